#include "../asm.S"
#include "i386/branchFree.S"

        .intel_syntax noprefix

// int asmBranchlessSearch(int value, const int numbers[], int count)
//
// cmov needs a Pentium Pro or later. With only eax, ecx and edx free to use,
// ebx and esi are saved for half and value.
function asmBranchlessSearch
        push    ebx
        push    esi
        mov     eax, -1
        mov     ecx, [esp + 20]                 // len = count
        test    ecx, ecx
        jle     L(exit)                         // no elements
        mov     esi, [esp + 12]                 // value
        mov     edx, [esp + 16]
        sub     edx, 4                          // base = numbers - 1
        halve_to_the_end [esp+16]
L(exit):
        pop     esi
        pop     ebx
        ret
endfunc
