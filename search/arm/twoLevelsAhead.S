// Changes r3, r5 and r12: the entry that asmPrefetchingSearch and
// asmBranchingSearch share. With no elements, goes to none; else sets base
// (r3) = numbers - 1, and an array of fewer than LARGE_ARRAY elements, len
// (r2), goes on at small, a larger one at first, with half (r12) short of the
// middle.
.macro enter_off_middle none, small, first
        cmp     r2, #1
        blt     \none                           // no elements
        sub     r3, r1, #4                      // base = numbers - 1
        cmp     r2, #LARGE_ARRAY
        blo     \small
        lsr     r12, r2, #1
        movw    r5, #OFF_MIDDLE
        sub     r12, r12, r5                    // the first half, short of the middle
        b       \first
.endm

// Changes r2, r5, r6, r12 and lr: the start of a level, at far with half
// (r12) = len / 2 or at first with half given. len (r2) -= half, and while
// this level's probe is on its way, the four places where the probe two
// levels down may land asked for, from base (r3).
.macro prefetch_two_levels_ahead far, first
\far:
        lsr     r12, r2, #1                     // half = len / 2
\first:
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
