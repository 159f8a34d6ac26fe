#include "../asm.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
function asmPrefetchingSearch
        push    {r4, r5, r6, lr}                // r4 holds each element read
        cmp     r2, #1
        blt     L(none)                         // no elements
        sub     r3, r1, #4                      // base = numbers - 1
        cmp     r2, #32
        bls     L(near)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them.
L(far):
        lsr     r12, r2, #1                     // half = len / 2
        sub     r2, r2, r12                     // len -= half
        lsr     r5, r2, #1                      // the next half
        add     r6, r3, r12, lsl #2             // base + half
        pld     [r3, r5, lsl #2]                // the next probe if this one is not below value
        pld     [r6, r5, lsl #2]                // and if it is
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        movlt   r3, r6                          // base[half] < value? base += half
        cmp     r2, #32
        bhi     L(far)
L(near):
        cmp     r2, #1
        bls     L(last)
        hot_loop
L(halve):
        lsr     r12, r2, #1                     // half = len / 2
        sub     r2, r2, r12                     // len -= half
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        addlt   r3, r3, r12, lsl #2             // base[half] < value? base += half
        cmp     r2, #1
        bhi     L(halve)
L(last):
        ldr     r4, [r3, #4]                    // base[1] is the only candidate left
        sub     r3, r3, r1
        add     r3, r3, #4
        cmp     r4, r0
        asreq   r0, r3, #2                      // result = equal ? its subscript
        mvnne   r0, #0                          //                : -1
        pop     {r4, r5, r6, pc}
L(none):
        mvn     r0, #0
        pop     {r4, r5, r6, pc}
endfunc
