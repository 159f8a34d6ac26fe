// The hand-written branch-free search that prefetches: asmBranchlessSearch's
// method, with the two places where the next probe may land asked for while
// the processor waits for this one.
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
