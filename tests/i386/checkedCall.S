#include "../../search/asm.S"

        .intel_syntax noprefix

// Callee-saved: ebx, esi, edi and ebp.

#define CANARY(n) (0x5ca1ab10 + (n))

// Sets bit n of ecx unless register reg still holds its canary.
.macro check reg, n
        cmp     \reg, CANARY(\n)
        je      1f
        or      ecx, 1 << \n
1:
.endm

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    ebp
        mov     ebp, esp
        push    ebx
        push    esi
        push    edi
        sub     esp, 28                         // arguments, a marker, padding to 16 bytes
        mov     [esp + 12], esp                 // a slot that holds its own address
        mov     eax, [ebp + 12]                 // search(value, numbers, count)
        mov     [esp], eax
        mov     eax, [ebp + 16]
        mov     [esp + 4], eax
        mov     eax, [ebp + 20]
        mov     [esp + 8], eax
        mov     eax, [ebp + 8]
        mov     ebx, CANARY(0)
        mov     esi, CANARY(1)
        mov     edi, CANARY(2)
        mov     ebp, CANARY(3)
        call    eax
        xor     ecx, ecx
        check   ebx, 0
        check   esi, 1
        check   edi, 2
        check   ebp, 3
        cmp     [esp + 12], esp
        je      1f
        or      ecx, 1 << 4                     // esp
1:      mov     edx, [esp + 64]                 // clobbered
        mov     [edx], ecx
        add     esp, 28
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        xor     eax, eax
        xor     ebx, ebx
        mov     si, 0                           // the lower word alone
        xor     edi, edi
        xor     ebp, ebp
        ret
endfunc
