#include "../asm.S"
#include "i386/branchFree.S"
#include "i386/halvingEntry.S"
#include "i386/twoLevelsAhead.S"

        .intel_syntax noprefix

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// The registers as in asmBranchingSearch: ebx, esi, edi and ebp are saved
// for half, value, h1 and one more address; prefetcht0 needs SSE too.
function asmPrefetchingSearch
        enter_halving 4, L(exit)
        enter_off_middle L(near), L(first)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them. The
// probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(far):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
L(first):
        prefetch_two_levels_ahead
        lea     eax, [edx + ebx*4]              // base + half
        cmp     [edx + ebx*4], esi              // base[half] < value?
        cmovl   edx, eax                        // then base += half
        cmp     ecx, NEAR_END
        ja      L(far)
L(near):
        halve_to_the_end [esp+24]
L(exit):
        leave_halving 4
endfunc
