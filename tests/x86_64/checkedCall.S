#include "../../search/asm.S"

        .intel_syntax noprefix

#include "../x86/checkMacros.S"

// The two conventions differ in which registers a called routine must keep
// and where the arguments arrive: checkedCall's own (search, value, numbers,
// count, clobbered) and the search's (value, numbers, count). The bits of
// the registers: rbx, rbp, rdi, rsi, r12 to r15, xmm6 to xmm15, rsp (0 to 18)
// on Windows; rbx, rbp, r12 to r15, rsp (0 to 6) elsewhere.
#if defined(_WIN64)
#define CHECKED         rbx, rbp, rdi, rsi, r12, r13, r14, r15
#define SAVED           rbx, rdi, rsi, r12, r13, r14, r15
#define RESTORED        r15, r14, r13, r12, rsi, rdi, rbx
#define RSP_BIT         18
#define XMM_AREA        160                     // xmm6 to xmm15, which are callee-saved whole
#define CLOBBERED_ARG   [rbp + 48]
#define SEARCH_ARG      rcx
#define VALUE_ARG       edx
#define NUMBERS_ARG     r8
#define COUNT_ARG       r9d
#define VALUE           rcx
#define NUMBERS         rdx
#define COUNT           r8
#else
#define CHECKED         rbx, rbp, r12, r13, r14, r15
#define SAVED           rbx, r12, r13, r14, r15
#define RESTORED        r15, r14, r13, r12, rbx
#define RSP_BIT         6
#define XMM_AREA        0
#define CLOBBERED_ARG   r8
#define SEARCH_ARG      rdi
#define VALUE_ARG       esi
#define NUMBERS_ARG     rdx
#define COUNT_ARG       ecx
#define VALUE           rdi
#define NUMBERS         rsi
#define COUNT           rdx
#endif

// Below the registers saved: 32 bytes of shadow space for Windows, a slot
// that holds its own address (so a moved stack pointer shows), the clobbered
// pointer, the xmm registers, and padding to keep the calls 16-byte aligned.
#define MARKER          [rsp + 32]
#define CLOBBERED       [rsp + 40]
#define FRAME           (56 + XMM_AREA)

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    rbp
        UNWIND(.seh_pushreg rbp)
        mov     rbp, rsp
        .irp    reg, SAVED
        push    \reg
        UNWIND(.seh_pushreg \reg)
        .endr
        sub     rsp, FRAME
        UNWIND(.seh_stackalloc FRAME)
#if defined(_WIN64)
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        movdqa  [rsp + 48 + (\n - 6) * 16], xmm\n
        .seh_savexmm xmm\n, 48 + (\n - 6) * 16
        .endr
#endif
        UNWIND(.seh_endprologue)
        mov     rax, CLOBBERED_ARG
        mov     CLOBBERED, rax
        mov     MARKER, rsp
        mov     rax, SEARCH_ARG
        mov     r11, 0x5ca1ab1e00000000         // the int arguments' upper halves are
        mov     r10d, VALUE_ARG                 // undefined: fill them with garbage
        lea     VALUE, [r10 + r11]
        mov     NUMBERS, NUMBERS_ARG
        mov     r10d, COUNT_ARG
        lea     COUNT, [r10 + r11]
        canaries 0, CHECKED
#if defined(_WIN64)
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        mov     r11, CANARY(\n + 2)             // in both halves of xmm6 to xmm15
        movq    xmm\n, r11
        punpcklqdq xmm\n, xmm\n
        .endr
#endif
        call    rax
        xor     ecx, ecx
        check   0, CHECKED
#if defined(_WIN64)
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        mov     r11, CANARY(\n + 2)
        movq    xmm0, r11
        punpcklqdq xmm0, xmm0
        pcmpeqb xmm0, xmm\n
        pmovmskb r10d, xmm0
        cmp     r10d, 0xffff
        je      1f
        or      ecx, 1 << (\n + 2)
1:
        .endr
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        movdqa  xmm\n, [rsp + 48 + (\n - 6) * 16]
        .endr
#endif
        cmp     MARKER, rsp
        je      1f
        or      ecx, 1 << RSP_BIT
1:      mov     rdx, CLOBBERED
        mov     [rdx], ecx
        add     rsp, FRAME
        .irp    reg, RESTORED
        pop     \reg
        .endr
        pop     rbp
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     ebx, ebx                        // rbx's upper half cleared
        xor     eax, eax
        ret
endfunc
