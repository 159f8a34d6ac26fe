#include "../asm.S"
#include "x86_64/arguments.S"
#include "x86_64/branchFree.S"
#include "x86_64/twoLevelsAhead.S"

        .intel_syntax noprefix

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// Leaves everything but rax and r8 to r11 alone, so it saves nothing.
function asmPrefetchingSearch
        UNWIND(.seh_endprologue)
        start_halving L(exit)
        first_probe L(near), L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(far):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
L(first):
        prefetch_two_levels_ahead
        lea     rax, [r10 + r11*4]              // base + half
        cmp     [r10 + r11*4], value            // base[half] < value?
        cmovl   r10, rax                        // then base += half
        cmp     r9d, NEAR_END
        ja      L(far)
L(near):
        halve_to_the_end
L(exit):
        ret
endfunc
