set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(TRIPLE aarch64-linux-gnu)
# Return addresses signed with qemu's own cipher, which checks them as the
# architecture's does at a fifth of the cost of emulating that one.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -cpu max,pauth-impdef=on -L /usr/${TRIPLE})
include(${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake)
# Branch protection (BTI and return addresses signed), which the hand-written
# routines keep; the compiled contenders, built with flags of their own, are
# given TARGET_FLAGS too.
set(TARGET_FLAGS -mbranch-protection=standard)
set(CMAKE_C_FLAGS_INIT ${TARGET_FLAGS})
set(CMAKE_CXX_FLAGS_INIT ${TARGET_FLAGS})
set(CMAKE_ASM_FLAGS_INIT ${TARGET_FLAGS})
