#include "../asm.S"
#include "riscv64/branchFree.S"
#include "riscv64/twoLevelsAhead.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// RV64GC has no prefetch: ori zero, rs, 1 is prefetch.r 0(rs) on a processor
// with the Zicbop extension, and a no-op on any other.
function asmPrefetchingSearch
        blez    a2, L(none)                     // no elements
        mv      t0, a2                          // len = count
        addi    t1, a1, -4                      // base = numbers - 1
        li      t6, 1
        li      a2, LARGE_ARRAY
        bltu    t0, a2, L(near)
        srli    t2, t0, 1
        li      a2, OFF_MIDDLE
        sub     t2, t2, a2                      // the first half, short of the middle
        li      a2, NEAR_END
        j       L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(far):
        srli    t2, t0, 1                       // half = len / 2
L(first):
        prefetch_two_levels_ahead
        add     t5, t1, t2
        lw      t3, 0(t5)                       // base[half]
        slt     t3, t3, a0
        neg     t3, t3                          // mask = base[half] < value ? ~0 : 0
        and     t2, t2, t3
        add     t1, t1, t2                      // base += half & mask
        bltu    a2, t0, L(far)                  // while len > NEAR_END
L(near):
        halve_to_the_end
        ret
L(none):
        li      a0, -1
        ret
endfunc
