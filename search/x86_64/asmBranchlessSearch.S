#include "../asm.S"
#include "arguments.S"

        .intel_syntax noprefix

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// Leaves everything but rax, r9, r10 and r11 alone, so it saves nothing.
function asmBranchlessSearch
        UNWIND(.seh_endprologue)
        mov     eax, -1
        test    count, count
        jle     L(exit)                         // no elements
        mov     r9d, count                      // len = count
        lea     r10, [numbers - 4]              // base = numbers - 1
        jmp     L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and a conditional move. len and half do not wait for it.
L(halve):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
        sub     r9d, r11d                       // len -= half
        lea     rax, [r10 + r11*4]              // base + half
        cmp     [r10 + r11*4], value            // base[half] < value?
        cmovl   r10, rax                        // then base += half
L(next):
        cmp     r9d, 1
        ja      L(halve)
        lea     rax, [r10 + 4]                  // base[1] is the only candidate left
        sub     rax, numbers
        shr     rax, 2                          // its subscript: base + 1 - numbers
        cmp     [r10 + 4], value
        mov     r11d, -1
        cmovne  eax, r11d                       // result = equal ? subscript : -1
L(exit):
        ret
endfunc
