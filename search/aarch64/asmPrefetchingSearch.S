#include "../asm.S"
#include "aarch64/branchFree.S"
#include "aarch64/halvingEntry.S"
#include "aarch64/twoLevelsAhead.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
function asmPrefetchingSearch
        enter_halving L(none)
        enter_off_middle L(near), L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(far):
        lsr     w5, w3, #1                      // half = len / 2
L(first):
        prefetch_two_levels_ahead
        add     x6, x4, x5, lsl #2              // base + half
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        csel    x4, x6, x4, lt                  // base[half] < value? base += half
        cmp     w3, #NEAR_END
        b.hi    L(far)
L(near):
        halve_to_the_end L(none)
endfunc
