# The parts every cross build shares: the GNU toolchain named by TRIPLE (and
# VARIANT, where there is more than one), and libraries and headers from the
# target's own tree only.
set(CMAKE_C_COMPILER ${TRIPLE}-gcc${VARIANT})
set(CMAKE_CXX_COMPILER ${TRIPLE}-g++${VARIANT})
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
