#include "../asm.S"
#include "riscv64/twoLevelsAhead.S"

// int asmBranchingSearch(int value, const int numbers[], int count)
//
// Its prefetches are those of asmPrefetchingSearch: each ori zero, rs, 1 asks
// for 0(rs) where Zicbop is there, and does nothing elsewhere.
function asmBranchingSearch
        enter_off_middle L(none), L(next), L(first)
        hot_loop
// The probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(farRight):
        add     t1, t1, t2                      // base += half, which the prefetch made bytes
        bgeu    a2, t0, L(next)                 // len <= NEAR_END
L(far):
        srli    t2, t0, 1                       // half = len / 2
L(first):
        prefetch_two_levels_ahead
        add     t5, t1, t2
        lw      t3, 0(t5)                       // base[half]
        blt     t3, a0, L(farRight)             // base[half] < value?
        bltu    a2, t0, L(far)                  // while len > NEAR_END
        j       L(next)
        hot_loop
// Each probe takes one branch whichever way it goes: to L(right), which falls
// into the next probe, or back to L(next).
L(right):
        add     t1, t1, t2                      // base += half
L(next):
        bgeu    t6, t0, L(last)                 // len <= 1
        srli    t2, t0, 1                       // half = len / 2
        sub     t0, t0, t2                      // len -= half
        slli    t2, t2, 2
        add     t3, t1, t2
        lw      t3, 0(t3)                       // base[half]
        blt     t3, a0, L(right)                // base[half] < value?
        j       L(next)
L(last):
        lw      t3, 4(t1)                       // base[1] is the only candidate left
        bne     t3, a0, L(none)
        sub     t2, t1, a1
        addi    t2, t2, 4
        srli    a0, t2, 2                       // its subscript: base + 1 - numbers
        ret
L(none):
        li      a0, -1
        ret
endfunc
