#include "../asm.S"
#include "arguments.S"
#include "branchFree.S"

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
        halve_to_the_end
L(exit):
        ret
endfunc
