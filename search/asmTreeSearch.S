// The hand-written search of a static search tree (searchTree.h): one node a
// level, the keys below the value counted at once, and in the leaf block the
// elements below it, which give the subscript of the first element not below
// the value.
#include "searchTree.h"

#if defined(__x86_64__)
#include "x86_64/asmTreeSearch.S"
#elif defined(__i386__)
#include "i386/asmTreeSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmTreeSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmTreeSearch.S"
#elif defined(__arm__)
#include "arm/asmTreeSearch.S"
#else
#error "asmTreeSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
