#include "../../search/asm.S"

        .intel_syntax noprefix

// Callee-saved: ebx, esi, edi and ebp.

// Canary n, for the register that checkedCall numbers n.
#define CANARY(n) (0x5ca1ab10 + (n))

// Loads the registers given with canaries 0, 1 and so on.
.macro canaries regs:vararg
        .set    bit, 0
        .irp    reg, \regs
        mov     \reg, CANARY(bit)
        .set    bit, bit + 1
        .endr
.endm

// Sets in ecx the bit of each register given that lost its canary.
.macro check regs:vararg
        .set    bit, 0
        .irp    reg, \regs
        cmp     \reg, CANARY(bit)
        je      1f
        or      ecx, 1 << bit
1:      .set    bit, bit + 1
        .endr
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
        canaries ebx, esi, edi, ebp
        call    eax
        xor     ecx, ecx
        check   ebx, esi, edi, ebp
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
        mov     si, 0
        xor     edi, edi
        mov     ebp, esp
        ret
endfunc
