// The hand-written branch-free search: a lower bound by halving, whose probe
// moves the base by a conditional move (or what stands in for one) instead
// of a jump, then one compare for equality.
#if defined(__x86_64__)
#include "x86_64/asmBranchlessSearch.S"
#elif defined(__i386__)
#include "i386/asmBranchlessSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBranchlessSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmBranchlessSearch.S"
#elif defined(__arm__)
#include "arm/asmBranchlessSearch.S"
#else
#error "asmBranchlessSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
