#include "../asm.S"
#include "x86_64/arguments.S"
#include "x86_64/branchFree.S"

        .intel_syntax noprefix

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// Leaves everything but rax, r9, r10 and r11 alone, so it saves nothing.
function asmBranchlessSearch
        UNWIND(.seh_endprologue)
        start_halving L(exit)
        halve_to_the_end
L(exit):
        ret
endfunc
