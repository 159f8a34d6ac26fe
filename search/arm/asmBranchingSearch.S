#include "../asm.S"
#include "arm/twoLevelsAhead.S"

// int asmBranchingSearch(int value, const int numbers[], int count)
function asmBranchingSearch
        push    {r4, r5, r6, lr}                // r4 holds each element read
        enter_off_middle L(none), L(next), L(first)
        hot_loop
// The probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(farRight):
        add     r3, r3, r12, lsl #2             // base += half
        cmp     r2, #NEAR_END
        bls     L(next)
        prefetch_two_levels_ahead L(far), L(first)
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        blt     L(farRight)                     // base[half] < value?
        cmp     r2, #NEAR_END
        bhi     L(far)
        b       L(next)
        hot_loop
// Each probe takes one branch whichever way it goes: to L(right), which falls
// into the next probe, or back to L(next). len is r2.
L(right):
        add     r3, r3, r12, lsl #2             // base += half
L(next):
        cmp     r2, #1
        bls     L(last)
        lsr     r12, r2, #1                     // half = len / 2
        sub     r2, r2, r12                     // len -= half
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        blt     L(right)                        // base[half] < value?
        b       L(next)
L(last):
        ldr     r4, [r3, #4]                    // base[1] is the only candidate left
        cmp     r4, r0
        bne     L(none)
        sub     r3, r3, r1
        add     r3, r3, #4
        lsr     r0, r3, #2                      // its subscript: base + 1 - numbers
        pop     {r4, r5, r6, pc}
L(none):
        mvn     r0, #0
        pop     {r4, r5, r6, pc}
endfunc
