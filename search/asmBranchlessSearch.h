#pragma once

// The hand-written branch-free search, on every instruction set but 32-bit x86:
// the subscript of an element of numbers[0..count) equal to value, or -1
// when there is none. numbers must be in non-decreasing order.
#if defined(__x86_64__) || defined(__aarch64__) || (defined(__riscv) && __riscv_xlen == 64) ||     \
    defined(__arm__)
#define HAVE_ASM_BRANCHLESS_SEARCH 1
extern "C" int asmBranchlessSearch(int value, const int numbers[], int count);
#endif
