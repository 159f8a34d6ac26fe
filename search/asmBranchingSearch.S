// The hand-written branching search: asmBranchlessSearch's halving, whose
// probe moves the base by a conditional jump instead of a conditional move,
// then one compare for equality, a jump too. A predicted jump does not wait
// for its load: the processor issues the next level's load along its guess
// while this one is on its way, and when the guess is right, a level goes by
// for nothing. Past the caches, where each load is a trip to memory, that
// takes it further than a conditional move, which must wait at every level.
// Nor does the answer wait for a load: it comes from the path taken, so a
// caller that waits for it runs on into its next search along the guesses.
//
// In an array of LARGE_ARRAY elements (128 KB) or more the first probe sits
// off the middle, and while len is over NEAR_END elements (128 bytes) each
// level also asks for the four places where the probe two levels down may
// land, as in asmPrefetchingSearch: when a guess turns out wrong, the load on
// the right path finds its line already on the way. A smaller array goes
// without. There the prefetches made random values an eighth faster, but a
// value searched again and again, whose guesses are all right, half as slow
// again: for it they are only more instructions.
#include "firstProbe.h"
#define NEAR_END        32

#if defined(__x86_64__)
#include "x86_64/asmBranchingSearch.S"
#elif defined(__i386__)
#include "i386/asmBranchingSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBranchingSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmBranchingSearch.S"
#elif defined(__arm__)
#include "arm/asmBranchingSearch.S"
#else
#error "asmBranchingSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
