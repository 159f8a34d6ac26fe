set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TRIPLE i686-w64-mingw32)
# The MinGW-w64 variant with POSIX threads has std::mutex, which GoogleTest needs.
set(VARIANT -posix)
# Linked statically, so the program needs no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
include(${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake)
