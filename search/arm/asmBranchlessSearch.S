#include "../asm.S"
#include "arm/branchFree.S"

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// ARM state, where nearly every instruction can be made conditional: a
// conditional add moves the base.
function asmBranchlessSearch
        push    {r4, lr}                        // r4 holds each element read
        cmp     r2, #1
        blt     L(none)                         // no elements
        sub     r3, r1, #4                      // base = numbers - 1
        halve_to_the_end
        pop     {r4, pc}
L(none):
        mvn     r0, #0
        pop     {r4, pc}
endfunc
