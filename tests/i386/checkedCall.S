#include "../../search/asm.S"

        .intel_syntax noprefix

#include "../x86/checkMacros.S"

// Callee-saved: ebx, esi, edi, ebp and esp (bits 0 to 4).

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
        .irp    n, 0, 1, 2                      // search(value, numbers, count)
        mov     eax, [ebp + 12 + 4 * \n]
        mov     [esp + 4 * \n], eax
        .endr
        mov     eax, [ebp + 8]
        canaries 0, ebx, esi, edi, ebp
        call    eax
        xor     ecx, ecx
        check   0, ebx, esi, edi, ebp
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

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     bl, 0                           // the lowest byte of ebx alone
        xor     eax, eax
        ret
endfunc
