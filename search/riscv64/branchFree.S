// Changes t1, t2 and t3: base (t1) += half (t2, in bytes) where base[half] <
// value (a0), without a branch.
.macro add_half_if_below
        add     t3, t1, t2
        lw      t3, 0(t3)                       // base[half]
        slt     t3, t3, a0
        neg     t3, t3                          // mask = base[half] < value ? ~0 : 0
        and     t2, t2, t3
        add     t1, t1, t2                      // base += half & mask
.endm

// Changes a0, t0 and t1 to t3: the levels that asmBranchlessSearch and
// asmPrefetchingSearch share, and their return. Halves len (t0) until one
// candidate is left, base[1], and returns the answer in a0; base is t1
// (numbers - 1 at first) and t6 holds 1. At none, returns -1.
.macro halve_to_the_end none
        j       L(next)
        hot_loop
// The only chain from one probe to the next runs through base: an add, a
// load, a compare and the masked add. len and half do not wait for it.
L(halve):
        srli    t2, t0, 1                       // half = len / 2
        sub     t0, t0, t2                      // len -= half
        slli    t2, t2, 2
        add_half_if_below
L(next):
        bltu    t6, t0, L(halve)                // while len > 1
        lw      t3, 4(t1)                       // base[1] is the only candidate left
        sub     t2, t1, a1
        addi    t2, t2, 4
        srli    t2, t2, 2                       // its subscript: base + 1 - numbers
        xor     t3, t3, a0
        snez    t3, t3
        neg     t3, t3                          // mask = equal ? 0 : ~0
        or      a0, t2, t3                      // result = equal ? subscript : -1
        ret
\none:
        li      a0, -1
        ret
.endm
