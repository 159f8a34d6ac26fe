#include "../asm.S"
#include "arm/branchFree.S"
#include "arm/twoLevelsAhead.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
function asmPrefetchingSearch
        push    {r4, r5, r6, lr}                // r4 holds each element read
        enter_off_middle L(none), L(near), L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
        prefetch_two_levels_ahead L(far), L(first)
        ldr     r4, [r3, r12, lsl #2]           // base[half]
        cmp     r4, r0
        addlt   r3, r3, r12, lsl #2             // base[half] < value? base += half
        cmp     r2, #NEAR_END
        bhi     L(far)
L(near):
        halve_to_the_end
        pop     {r4, r5, r6, pc}
L(none):
        mvn     r0, #0
        pop     {r4, r5, r6, pc}
endfunc
