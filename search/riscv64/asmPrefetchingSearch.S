#include "../asm.S"
#include "riscv64/branchFree.S"
#include "riscv64/twoLevelsAhead.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// RV64GC has no prefetch: ori zero, rs, 1 is prefetch.r 0(rs) on a processor
// with the Zicbop extension, and a no-op on any other.
function asmPrefetchingSearch
        enter_off_middle L(none), L(near), L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(far):
        srli    t2, t0, 1                       // half = len / 2
L(first):
        prefetch_two_levels_ahead
        add_half_if_below
        bltu    a2, t0, L(far)                  // while len > NEAR_END
L(near):
        halve_to_the_end L(none)
endfunc
