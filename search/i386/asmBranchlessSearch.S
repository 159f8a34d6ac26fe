#include "../asm.S"
#include "i386/branchFree.S"
#include "i386/halvingEntry.S"

        .intel_syntax noprefix

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// cmov needs a Pentium Pro or later. With only eax, ecx and edx free to use,
// ebx and esi are saved for half and value.
function asmBranchlessSearch
        enter_halving 2, L(exit)
        halve_to_the_end [esp+16]
L(exit):
        leave_halving 2
endfunc
