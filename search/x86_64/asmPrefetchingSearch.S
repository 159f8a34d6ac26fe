#include "../asm.S"
#include "arguments.S"

        .intel_syntax noprefix

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// asmBranchlessSearch, which also asks for both places where its next probe
// may land while it waits for this one, for as long as they lie in different
// cache lines: a search whose next load is already on its way waits for it
// only half as long. Near the end, where the candidates share a line, it
// probes as asmBranchlessSearch does.
function asmPrefetchingSearch
        UNWIND(.seh_endprologue)
        mov     eax, -1
        test    count, count
        jle     L(exit)                         // no elements
        mov     r9d, count                      // len = count
        lea     r10, [numbers - 4]              // base = numbers - 1
        cmp     r9d, 32
        jbe     L(near)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them.
L(far):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
        sub     r9d, r11d                       // len -= half
        mov     r8d, r9d
        shr     r8d, 1                          // the next half
        lea     rax, [r10 + r11*4]              // base + half
        prefetcht0 [r10 + r8*4]                 // the next probe if this one is not below value
        prefetcht0 [rax + r8*4]                 // and if it is
        cmp     [r10 + r11*4], value            // base[half] < value?
        cmovl   r10, rax                        // then base += half
        cmp     r9d, 32
        ja      L(far)
L(near):
        cmp     r9d, 1
        jbe     L(last)
        hot_loop
L(halve):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
        sub     r9d, r11d                       // len -= half
        lea     rax, [r10 + r11*4]              // base + half
        cmp     [r10 + r11*4], value            // base[half] < value?
        cmovl   r10, rax                        // then base += half
        cmp     r9d, 1
        ja      L(halve)
L(last):
        lea     rax, [r10 + 4]                  // base[1] is the only candidate left
        sub     rax, numbers
        shr     rax, 2                          // its subscript: base + 1 - numbers
        cmp     [r10 + 4], value
        mov     r11d, -1
        cmovne  eax, r11d                       // result = equal ? subscript : -1
L(exit):
        ret
endfunc
