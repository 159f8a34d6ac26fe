#include "../asm.S"
#include "i386/halvingEntry.S"
#include "i386/twoLevelsAhead.S"

        .intel_syntax noprefix

// int asmBranchingSearch(int value, const int numbers[], int count)
//
// prefetcht0 needs SSE (a Pentium III or later). ebx, esi, edi and ebp are
// saved for half, value, h1 and one more address.
function asmBranchingSearch
        enter_halving 4, L(exit)
        enter_off_middle L(next), L(first)
        hot_loop
// The probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(farRight):
        lea     edx, [edx + ebx*4]              // base += half
        cmp     ecx, NEAR_END
        jbe     L(next)
L(far):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
L(first):
        prefetch_two_levels_ahead
        cmp     [edx + ebx*4], esi              // base[half] < value?
        jl      L(farRight)
        cmp     ecx, NEAR_END
        ja      L(far)
        jmp     L(next)
        hot_loop
// Each probe takes one jump whichever way it goes: to L(right), which falls
// into the next probe, or back to L(next).
L(right):
        lea     edx, [edx + ebx*4]              // base += half
L(next):
        cmp     ecx, 1
        jbe     L(last)
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
        sub     ecx, ebx                        // len -= half
        cmp     [edx + ebx*4], esi              // base[half] < value?
        jl      L(right)
        jmp     L(next)
L(last):
        mov     eax, -1
        cmp     [edx + 4], esi                  // base[1] is the only candidate left
        jne     L(exit)
        lea     eax, [edx + 4]
        sub     eax, [esp + 24]
        shr     eax, 2                          // its subscript: base + 1 - numbers
L(exit):
        leave_halving 4
endfunc
