#include "../../search/asm.S"

        .intel_syntax noprefix

// Canary n, for the register that checkedCall numbers n. Both halves are
// non-zero, so a 32-bit write, which clears the upper half, shows.
#define CANARY(n) (0x5ca1ab1e5ca1ab10 + (n))

// Loads the registers given with canaries first, first + 1 and so on.
.macro canaries first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     \reg, CANARY(bit)
        .set    bit, bit + 1
        .endr
.endm

// Sets in ecx the bit of each register given that lost its canary.
.macro check first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     r11, CANARY(bit)
        cmp     \reg, r11
        je      1f
        or      ecx, 1 << bit
1:      .set    bit, bit + 1
        .endr
.endm

#if defined(_WIN64)

// The same for xmm registers, with the canary in both halves.
.macro canaries_xmm first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     r11, CANARY(bit)
        movq    \reg, r11
        punpcklqdq \reg, \reg
        .set    bit, bit + 1
        .endr
.endm

.macro check_xmm first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     r11, CANARY(bit)
        movq    xmm0, r11
        punpcklqdq xmm0, xmm0
        pcmpeqd xmm0, \reg
        pmovmskb r10d, xmm0
        cmp     r10d, 0xffff
        je      1f
        or      ecx, 1 << bit
1:      .set    bit, bit + 1
        .endr
.endm

// Callee-saved: rbx, rbp, rdi, rsi, r12 to r15, and xmm6 to xmm15 whole.

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    rbp
        .seh_pushreg rbp
        mov     rbp, rsp
        .irp    reg, rbx, rdi, rsi, r12, r13, r14, r15
        push    \reg
        .seh_pushreg \reg
        .endr
        sub     rsp, 216                        // shadow space, a marker, xmm6 to xmm15
        .seh_stackalloc 216
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        movdqa  [rsp + 48 + (\n - 6) * 16], xmm\n
        .seh_savexmm xmm\n, 48 + (\n - 6) * 16
        .endr
        .seh_endprologue
        mov     [rsp + 32], rsp                 // a slot that holds its own address
        mov     rax, rcx                        // search(value, numbers, count)
        mov     ecx, edx
        mov     rdx, r8
        mov     r8d, r9d
        canaries 0, rbx, rbp, rdi, rsi, r12, r13, r14, r15
        canaries_xmm 8, xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
        call    rax
        xor     ecx, ecx
        check   0, rbx, rbp, rdi, rsi, r12, r13, r14, r15
        check_xmm 8, xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
        cmp     [rsp + 32], rsp
        je      1f
        or      ecx, 1 << 18                    // rsp
1:      mov     rdx, [rsp + 320]                // clobbered
        mov     [rdx], ecx
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        movdqa  xmm\n, [rsp + 48 + (\n - 6) * 16]
        .endr
        add     rsp, 216
        .irp    reg, r15, r14, r13, r12, rsi, rdi, rbx, rbp
        pop     \reg
        .endr
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        xor     eax, eax
        xor     ebx, ebx
        mov     rbp, rsp
        mov     edi, -1
        mov     si, 0
        .irp    reg, r12, r13, r14, r15
        xor     \reg, \reg
        .endr
        .irp    reg, xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14
        pxor    \reg, \reg
        .endr
        pinsrw  xmm15, eax, 7                   // the upper half alone
        ret
endfunc

#else

// Callee-saved: rbx, rbp and r12 to r15.

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    rbp
        mov     rbp, rsp
        .irp    reg, rbx, r12, r13, r14, r15, r8
        push    \reg                            // the callee-saved ones, and clobbered
        .endr
        sub     rsp, 16
        mov     [rsp], rsp                      // a slot that holds its own address
        mov     rax, rdi                        // search(value, numbers, count)
        mov     edi, esi
        mov     rsi, rdx
        mov     edx, ecx
        canaries 0, rbx, rbp, r12, r13, r14, r15
        call    rax
        xor     ecx, ecx
        check   0, rbx, rbp, r12, r13, r14, r15
        cmp     [rsp], rsp
        je      1f
        or      ecx, 1 << 6                     // rsp
1:      add     rsp, 16
        pop     rdx                             // clobbered
        mov     [rdx], ecx
        .irp    reg, r15, r14, r13, r12, rbx, rbp
        pop     \reg
        .endr
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        xor     eax, eax
        xor     ebx, ebx
        mov     rbp, rsp
        mov     r12d, -1
        mov     r13w, 0
        xor     r14, r14
        xor     r15, r15
        ret
endfunc

#endif
