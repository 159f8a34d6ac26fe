#include "../asm.S"

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// ARM state, where nearly every instruction can be made conditional: a
// conditional add moves the base.
function asmBranchlessSearch
        push    {r4, lr}                        // r4 holds each element read
        cmp     r2, #1
        blt     L(none)                         // no elements
        sub     r3, r1, #4                      // base = numbers - 1
        b       L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and the conditional add. len and half do not wait for it.
L(halve):
        lsr     r12, r2, #1                     // half = len / 2
        sub     r2, r2, r12                     // len -= half
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        addlt   r3, r3, r12, lsl #2             // base[half] < value? base += half
L(next):
        cmp     r2, #1
        bhi     L(halve)
        ldr     r4, [r3, #4]                    // base[1] is the only candidate left
        sub     r3, r3, r1
        add     r3, r3, #4
        cmp     r4, r0
        asreq   r0, r3, #2                      // result = equal ? its subscript
        mvnne   r0, #0                          //                : -1
        pop     {r4, pc}
L(none):
        mvn     r0, #0
        pop     {r4, pc}
endfunc
