// What asmPrefetchingSearch and asmBranchingSearch share: one level's len
// -= half, and while this level's probe is on its way, the four places where
// the probe two levels down may land asked for.
.macro prefetch_two_levels_ahead
        sub     r2, r2, r12                     // len -= half
        lsr     r5, r2, #1                      // h1 = len / 2
        sub     r6, r2, r5
        lsr     r6, r6, #1                      // h2 = (len - h1) / 2
        add     r6, r3, r6, lsl #2              // base + h2
        add     lr, r6, r12, lsl #2             // base + half + h2
        pld     [r6]
        pld     [r6, r5, lsl #2]
        pld     [lr]
        pld     [lr, r5, lsl #2]
.endm
