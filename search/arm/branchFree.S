// Changes r0, r2 to r4 and r12: the levels that asmBranchlessSearch and
// asmPrefetchingSearch share. Halves len (r2) until one candidate is left,
// base[1], and leaves the answer in r0; base is r3 (numbers - 1 at first).
.macro halve_to_the_end
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
        lsreq   r0, r3, #2                      // result = equal ? its subscript
        mvnne   r0, #0                          //                : -1
.endm
