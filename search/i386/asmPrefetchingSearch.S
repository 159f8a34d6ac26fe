#include "../asm.S"

        .intel_syntax noprefix

// int asmPrefetchingSearch(int value, const int numbers[], int count)
//
// prefetcht0 needs SSE (a Pentium III or later). ebx, esi and edi are saved
// for half, value and the next half.
function asmPrefetchingSearch
        push    ebx
        push    esi
        push    edi
        mov     eax, -1
        mov     ecx, [esp + 24]                 // len = count
        test    ecx, ecx
        jle     L(exit)                         // no elements
        mov     esi, [esp + 16]                 // value
        mov     edx, [esp + 20]
        sub     edx, 4                          // base = numbers - 1
        cmp     ecx, 32
        jbe     L(near)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them.
L(far):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
        sub     ecx, ebx                        // len -= half
        mov     edi, ecx
        shr     edi, 1                          // the next half
        lea     eax, [edx + ebx*4]              // base + half
        prefetcht0 [edx + edi*4]                // the next probe if this one is not below value
        prefetcht0 [eax + edi*4]                // and if it is
        cmp     [edx + ebx*4], esi              // base[half] < value?
        cmovl   edx, eax                        // then base += half
        cmp     ecx, 32
        ja      L(far)
L(near):
        cmp     ecx, 1
        jbe     L(last)
        hot_loop
L(halve):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
        sub     ecx, ebx                        // len -= half
        lea     eax, [edx + ebx*4]              // base + half
        cmp     [edx + ebx*4], esi              // base[half] < value?
        cmovl   edx, eax                        // then base += half
        cmp     ecx, 1
        ja      L(halve)
L(last):
        lea     eax, [edx + 4]                  // base[1] is the only candidate left
        sub     eax, [esp + 20]
        shr     eax, 2                          // its subscript: base + 1 - numbers
        cmp     [edx + 4], esi
        mov     ecx, -1
        cmovne  eax, ecx                        // result = equal ? subscript : -1
L(exit):
        pop     edi
        pop     esi
        pop     ebx
        ret
endfunc
