// The hand-written branch-free search that prefetches: asmBranchlessSearch's
// method, which also asks for the four places where the probe two levels
// down may land, while it waits for this one. Each level is then a load
// that set off two levels before: three levels go by in the time of one
// trip to memory instead of one. (One level ahead, two lines a level, the
// processor manages two; three ahead, eight lines a level, asks more of the
// memory than it gives back.)
//
// An array of fewer than LARGE_ARRAY elements (128 KB) is searched without:
// in L1 a prefetch only costs, and in L2 it pays only when each search waits
// for the last; searches that overlap hide an L2 load anyway, and then four
// prefetches a level are only more instructions. Nor does the search
// prefetch once len is down to NEAR_END elements (128 bytes), whose lines are
// already on their way.
#include "firstProbe.h"
#define NEAR_END        32

#if defined(__x86_64__)
#include "x86_64/asmPrefetchingSearch.S"
#elif defined(__i386__)
#include "i386/asmPrefetchingSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmPrefetchingSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmPrefetchingSearch.S"
#elif defined(__arm__)
#include "arm/asmPrefetchingSearch.S"
#else
#error "asmPrefetchingSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
