#include "../../search/asm.S"

        .intel_syntax noprefix

// Entries: ebx, esi, edi, ebp (0 to 3), esp (4).

// int checkedCall(int value, const int numbers[], int count, SearchFunction search,
//                 std::uint64_t canaries[], std::uint64_t found[])
function checkedCall
        push    ebp
        mov     ebp, esp
        push    ebx
        push    esi
        push    edi
        sub     esp, 28                         // the arguments, found, padding to 16 bytes
        .irp    n, 0, 1, 2                      // value, numbers, count
        mov     eax, [ebp + 8 + 4 * \n]
        mov     [esp + 4 * \n], eax
        .endr
        mov     eax, [ebp + 28]
        mov     [esp + 12], eax
        mov     eax, [ebp + 24]
        mov     [eax + 32], esp                 // the stack pointer as it must come back
        mov     ecx, [ebp + 20]
        transfer load, mov, 8, eax, 0, ebx, esi, edi, ebp
        call    ecx
        mov     ecx, [esp + 12]
        transfer store, mov, 8, ecx, 0, ebx, esi, edi, ebp, esp
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
        mov     eax, -1
        ret
endfunc
