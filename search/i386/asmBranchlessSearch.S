#include "../asm.S"

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
        jmp     L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and a conditional move. len and half do not wait for it.
L(halve):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
        sub     ecx, ebx                        // len -= half
        lea     eax, [edx + ebx*4]              // base + half
        cmp     [edx + ebx*4], esi              // base[half] < value?
        cmovl   edx, eax                        // then base += half
L(next):
        cmp     ecx, 1
        ja      L(halve)
        lea     eax, [edx + 4]                  // base[1] is the only candidate left
        sub     eax, [esp + 16]
        shr     eax, 2                          // its subscript: base + 1 - numbers
        cmp     [edx + 4], esi
        mov     ecx, -1
        cmovne  eax, ecx                        // result = equal ? subscript : -1
L(exit):
        pop     esi
        pop     ebx
        ret
endfunc
