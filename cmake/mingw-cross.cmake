# What the two Windows cross builds share: MinGW-w64 in its variant with POSIX
# threads, which has the std::mutex that GoogleTest needs, and programs linked
# statically, so that they need no MinGW DLLs beside them.
set(VARIANT -posix)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
include(${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake)
