#include "../asm.S"
#include "riscv64/branchFree.S"

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// RV64GC has no conditional move: a mask of all ones or none selects the
// half to add.
function asmBranchlessSearch
        blez    a2, L(none)                     // no elements
        mv      t0, a2                          // len = count
        addi    t1, a1, -4                      // base = numbers - 1
        li      t6, 1
        halve_to_the_end L(none)
endfunc
