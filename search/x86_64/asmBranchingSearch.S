#include "../asm.S"
#include "x86_64/arguments.S"
#include "x86_64/twoLevelsAhead.S"

        .intel_syntax noprefix

// int asmBranchingSearch(int value, const int numbers[], int count)
//
// Leaves everything but rax and r8 to r11 alone, so it saves nothing.
// Its entry is asmPrefetchingSearch's, through the same macros; the two
// part at the levels, which this one takes by branches.
function asmBranchingSearch
        UNWIND(.seh_endprologue)
        start_halving L(exit)
        first_probe L(next), L(first)
        hot_loop
// The probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(farRight):
        lea     r10, [r10 + r11*4]              // base += half
        cmp     r9d, NEAR_END
        jbe     L(next)
L(far):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
L(first):
        prefetch_two_levels_ahead
        cmp     [r10 + r11*4], value            // base[half] < value?
        jl      L(farRight)
        cmp     r9d, NEAR_END
        ja      L(far)
        jmp     L(next)
        hot_loop
// Each probe takes one jump whichever way it goes: to L(right), which falls
// into the next probe, or back to L(next).
L(right):
        lea     r10, [r10 + r11*4]              // base += half
L(next):
        cmp     r9d, 1
        jbe     L(last)
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
        sub     r9d, r11d                       // len -= half
        cmp     [r10 + r11*4], value            // base[half] < value?
        jl      L(right)
        jmp     L(next)
L(last):
        mov     eax, -1
        cmp     [r10 + 4], value                // base[1] is the only candidate left
        jne     L(exit)
        lea     rax, [r10 + 4]
        sub     rax, numbers
        shr     rax, 2                          // its subscript: base + 1 - numbers
L(exit):
        ret
endfunc
