// Sets t0, t1, t6, a2 and t2: the entry that asmPrefetchingSearch and
// asmBranchingSearch share. With no elements, goes to none; else sets len
// (t0) = count, base (t1) = numbers - 1 and t6 = 1. An array of fewer than
// LARGE_ARRAY elements goes on at small; a larger one at first, with half
// (t2) short of the middle and a2 = NEAR_END.
.macro enter_off_middle none, small, first
        blez    a2, \none                       // no elements
        mv      t0, a2                          // len = count
        addi    t1, a1, -4                      // base = numbers - 1
        li      t6, 1
        li      a2, LARGE_ARRAY
        bltu    t0, a2, \small
        srli    t2, t0, 1
        li      a2, OFF_MIDDLE
        sub     t2, t2, a2                      // the first half, short of the middle
        li      a2, NEAR_END
        j       \first
.endm

// Changes t0, t2 (half, which it turns into bytes), t3, t4, a3 and a4: one
// level's len (t0) -= half, and while this level's probe is on its way, the
// four places where the probe two levels down may land asked for, from base
// (t1).
.macro prefetch_two_levels_ahead
        sub     t0, t0, t2                      // len -= half
        srli    t4, t0, 1                       // h1 = len / 2
        sub     a3, t0, t4
        srli    a3, a3, 1                       // h2 = (len - h1) / 2
        slli    t2, t2, 2
        slli    t4, t4, 2
        slli    a3, a3, 2                       // all three in bytes
        add     a3, t1, a3                      // base + h2
        add     a4, a3, t2                      // base + half + h2
        ori     zero, a3, 1
        add     t3, a3, t4
        ori     zero, t3, 1
        ori     zero, a4, 1
        add     t3, a4, t4
        ori     zero, t3, 1
.endm
