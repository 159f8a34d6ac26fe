#include "../../search/asm.S"

        .intel_syntax noprefix

// The two conventions differ in the registers a called routine must keep and
// in where the arguments arrive. The search's three come first, so they are
// where the search wants them. Entries on Windows: rbx, rbp, rdi, rsi, r12 to
// r15 (0 to 7), xmm6 to xmm15 (two each, 8 to 27), rsp (28); elsewhere rbx,
// rbp, r12 to r15 (0 to 5), rsp (6).
#if defined(_WIN64)
#define WATCHED         rbx, rbp, rdi, rsi, r12, r13, r14, r15
#define XMM             xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
#define XMM_AREA        160
#define RSP_ENTRY       28
#define VALUE           rcx
#define COUNT           r8
#define SEARCH          r9
#define CANARIES        [rbp + 48]
#define FOUND_ARG       [rbp + 56]
#else
#define WATCHED         rbx, rbp, r12, r13, r14, r15
#define XMM_AREA        0
#define RSP_ENTRY       6
#define VALUE           rdi
#define COUNT           rdx
#define SEARCH          rcx
#define CANARIES        r8
#define FOUND_ARG       r9
#endif

// Below the registers pushed: 32 bytes of shadow space for Windows, found,
// padding, the xmm registers on Windows (from rsp + 48), so that the call is
// 16-byte aligned.
#define FOUND           [rsp + 32]
#define FRAME           (56 + XMM_AREA)

// int checkedCall(int value, const int numbers[], int count, SearchFunction search,
//                 std::uint64_t canaries[], std::uint64_t found[])
function checkedCall
        push    rbp
        UNWIND(.seh_pushreg rbp)
        mov     rbp, rsp
        .irp    reg, rbx, rdi, rsi, r12, r13, r14, r15  // rdi and rsi for Windows only
        push    \reg
        UNWIND(.seh_pushreg \reg)
        .endr
        sub     rsp, FRAME
        UNWIND(.seh_stackalloc FRAME)
#if defined(_WIN64)
        transfer store, movdqu, 16, rsp, 6, XMM
        .irp    n, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        .seh_savexmm xmm\n, 48 + 16 * (\n - 6)
        .endr
#endif
        UNWIND(.seh_endprologue)
        mov     rax, FOUND_ARG
        mov     FOUND, rax
        mov     r10, CANARIES
        mov     [r10 + 8 * RSP_ENTRY], rsp      // the stack pointer as it must come back
        mov     rax, SEARCH
        mov     r11, 0x5ca1ab1e00000000         // garbage in the int arguments' upper
        or      VALUE, r11                      // halves, which are undefined
        or      COUNT, r11
        transfer load, mov, 8, r10, 0, WATCHED
#if defined(_WIN64)
        transfer load, movdqu, 16, r10, 8, XMM
#endif
        call    rax
        mov     r10, FOUND
        transfer store, mov, 8, r10, 0, WATCHED
#if defined(_WIN64)
        transfer store, movdqu, 16, r10, 8, XMM
        transfer load, movdqu, 16, rsp, 6, XMM
#endif
        mov     [r10 + 8 * RSP_ENTRY], rsp
        add     rsp, FRAME
        .irp    reg, r15, r14, r13, r12, rsi, rdi, rbx
        pop     \reg
        .endr
        pop     rbp
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     ebx, ebx                        // rbx's upper half cleared
        mov     eax, -1
        ret
endfunc
