#include "../asm.S"
#include "i386/branchFree.S"
#include "i386/twoLevelsAhead.S"

        .intel_syntax noprefix

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// prefetcht0 needs SSE (a Pentium III or later). ebx, esi, edi and ebp are
// saved for half, value, h1 and one more address.
function asmPrefetchingSearch
        push    ebx
        push    esi
        push    edi
        push    ebp
        mov     eax, -1
        mov     ecx, [esp + 28]                 // len = count
        test    ecx, ecx
        jle     L(exit)                         // no elements
        mov     esi, [esp + 20]                 // value
        mov     edx, [esp + 24]
        sub     edx, 4                          // base = numbers - 1
        cmp     ecx, LARGE_ARRAY
        jb      L(near)
        mov     ebx, ecx
        shr     ebx, 1
        sub     ebx, OFF_MIDDLE                 // the first half, short of the middle
        jmp     L(first)
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
        pop     ebp
        pop     edi
        pop     esi
        pop     ebx
        ret
endfunc
