// Changes w5 and w6: what asmPrefetchingSearch and asmBranchingSearch share
// at their entry. An array of fewer than LARGE_ARRAY elements, len (w3), goes
// on at small; a larger one at first, with half (w5) short of the middle.
.macro enter_off_middle small, first
        cmp     w3, #LARGE_ARRAY
        b.lo    \small
        lsr     w5, w3, #1
        mov     w6, #OFF_MIDDLE
        sub     w5, w5, w6                      // the first half, short of the middle
        b       \first
.endm

// Changes w3 and x8 to x10: one level's len (w3) -= half (w5), and while this
// level's probe is on its way, the four places where the probe two levels
// down may land asked for, from base (x4).
.macro prefetch_two_levels_ahead
        sub     w3, w3, w5                      // len -= half
        lsr     w8, w3, #1                      // h1 = len / 2
        sub     w9, w3, w8
        lsr     w9, w9, #1                      // h2 = (len - h1) / 2
        add     x9, x4, x9, lsl #2              // base + h2
        add     x10, x9, x5, lsl #2             // base + half + h2
        lsl     x8, x8, #2                      // h1, in bytes
        prfm    pldl1keep, [x9]
        prfm    pldl1keep, [x9, x8]
        prfm    pldl1keep, [x10]
        prfm    pldl1keep, [x10, x8]
.endm
