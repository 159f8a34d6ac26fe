// What asmPrefetchingSearch and asmBranchingSearch share: one level's len
// -= half, and while this level's probe is on its way, the four places where
// the probe two levels down may land asked for.
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
