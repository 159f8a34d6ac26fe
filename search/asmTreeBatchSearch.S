// The hand-written batch search of a static search tree (searchTree.h): a
// group of searches goes down the tree together, a level at a time, and each
// prefetches its next node as soon as it knows which, so that the node is
// there by the time the group comes round to it again.
#include "searchTree.h"

#if defined(__x86_64__)
#include "x86_64/asmTreeBatchSearch.S"
#elif defined(__i386__)
#include "i386/asmTreeBatchSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmTreeBatchSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmTreeBatchSearch.S"
#elif defined(__arm__)
#include "arm/asmTreeBatchSearch.S"
#else
#error "asmTreeBatchSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
