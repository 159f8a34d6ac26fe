#include "../../search/asm.S"

        .intel_syntax noprefix

#define CANARY(n) (0x5ca1ab1e5ca1ab10 + (n))

// Loads register reg with the canary for bit n.
.macro canary reg, n
        mov     \reg, CANARY(\n)
.endm

// Sets bit n of ecx unless register reg still holds its canary.
.macro check reg, n
        mov     r11, CANARY(\n)
        cmp     \reg, r11
        je      1f
        or      ecx, 1 << \n
1:
.endm

#if defined(_WIN64)

// Callee-saved: rbx, rbp, rdi, rsi, r12 to r15, and xmm6 to xmm15 whole.
.macro canary_xmm reg, n
        mov     r11, CANARY(\n)
        movq    \reg, r11
        punpcklqdq \reg, \reg
.endm

.macro check_xmm reg, n
        movq    r10, \reg
        pshufd  xmm0, \reg, 0x4e                // the upper half
        movq    r11, xmm0
        cmp     r10, r11
        jne     2f
        mov     r11, CANARY(\n)
        cmp     r10, r11
        je      1f
2:      or      ecx, 1 << \n
1:
.endm

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    rbp
        mov     rbp, rsp
        push    rbx
        push    rdi
        push    rsi
        push    r12
        push    r13
        push    r14
        push    r15
        sub     rsp, 200                        // shadow space, a marker and xmm6 to xmm15
        mov     [rsp + 32], rsp                 // a slot that holds its own address
        movdqu  [rsp + 40], xmm6
        movdqu  [rsp + 56], xmm7
        movdqu  [rsp + 72], xmm8
        movdqu  [rsp + 88], xmm9
        movdqu  [rsp + 104], xmm10
        movdqu  [rsp + 120], xmm11
        movdqu  [rsp + 136], xmm12
        movdqu  [rsp + 152], xmm13
        movdqu  [rsp + 168], xmm14
        movdqu  [rsp + 184], xmm15
        mov     rax, rcx                        // search(value, numbers, count)
        mov     ecx, edx
        mov     rdx, r8
        mov     r8d, r9d
        canary  rbx, 0
        canary  rbp, 1
        canary  rdi, 2
        canary  rsi, 3
        canary  r12, 4
        canary  r13, 5
        canary  r14, 6
        canary  r15, 7
        canary_xmm xmm6, 8
        canary_xmm xmm7, 9
        canary_xmm xmm8, 10
        canary_xmm xmm9, 11
        canary_xmm xmm10, 12
        canary_xmm xmm11, 13
        canary_xmm xmm12, 14
        canary_xmm xmm13, 15
        canary_xmm xmm14, 16
        canary_xmm xmm15, 17
        call    rax
        xor     ecx, ecx
        check   rbx, 0
        check   rbp, 1
        check   rdi, 2
        check   rsi, 3
        check   r12, 4
        check   r13, 5
        check   r14, 6
        check   r15, 7
        check_xmm xmm6, 8
        check_xmm xmm7, 9
        check_xmm xmm8, 10
        check_xmm xmm9, 11
        check_xmm xmm10, 12
        check_xmm xmm11, 13
        check_xmm xmm12, 14
        check_xmm xmm13, 15
        check_xmm xmm14, 16
        check_xmm xmm15, 17
        cmp     [rsp + 32], rsp
        je      1f
        or      ecx, 1 << 18                    // rsp
1:      mov     rdx, [rsp + 304]                // clobbered
        mov     [rdx], ecx
        movdqu  xmm6, [rsp + 40]
        movdqu  xmm7, [rsp + 56]
        movdqu  xmm8, [rsp + 72]
        movdqu  xmm9, [rsp + 88]
        movdqu  xmm10, [rsp + 104]
        movdqu  xmm11, [rsp + 120]
        movdqu  xmm12, [rsp + 136]
        movdqu  xmm13, [rsp + 152]
        movdqu  xmm14, [rsp + 168]
        movdqu  xmm15, [rsp + 184]
        add     rsp, 200
        pop     r15
        pop     r14
        pop     r13
        pop     r12
        pop     rsi
        pop     rdi
        pop     rbx
        pop     rbp
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        xor     eax, eax
        xor     ebx, ebx
        xor     ebp, ebp
        xor     edi, edi
        xor     esi, esi
        xor     r12d, r12d
        xor     r13d, r13d
        xor     r14d, r14d
        xor     r15d, r15d
        pxor    xmm6, xmm6
        pxor    xmm7, xmm7
        pxor    xmm8, xmm8
        pxor    xmm9, xmm9
        pxor    xmm10, xmm10
        pxor    xmm11, xmm11
        pxor    xmm12, xmm12
        pxor    xmm13, xmm13
        pxor    xmm14, xmm14
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
        push    rbx
        push    r12
        push    r13
        push    r14
        push    r15
        push    r8                              // clobbered
        sub     rsp, 16
        mov     [rsp], rsp                      // a slot that holds its own address
        mov     rax, rdi                        // search(value, numbers, count)
        mov     edi, esi
        mov     rsi, rdx
        mov     edx, ecx
        canary  rbx, 0
        canary  rbp, 1
        canary  r12, 2
        canary  r13, 3
        canary  r14, 4
        canary  r15, 5
        call    rax
        xor     ecx, ecx
        check   rbx, 0
        check   rbp, 1
        check   r12, 2
        check   r13, 3
        check   r14, 4
        check   r15, 5
        cmp     [rsp], rsp
        je      1f
        or      ecx, 1 << 6                     // rsp
1:      add     rsp, 16
        pop     rdx                             // clobbered
        mov     [rdx], ecx
        pop     r15
        pop     r14
        pop     r13
        pop     r12
        pop     rbx
        pop     rbp
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        xor     eax, eax
        xor     ebx, ebx
        xor     ebp, ebp
        xor     r12d, r12d
        xor     r13d, r13d
        mov     r14d, -1                        // a 32-bit write clears the upper half
        mov     r15w, 0                         // the lower word alone
        ret
endfunc

#endif
