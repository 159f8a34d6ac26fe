        .intel_syntax noprefix

// The two conventions differ in the registers that a called routine must
// keep and in where the arguments arrive.
#if defined(_WIN64)
#define FUNCTION        rcx
#define ENTRY           ecx                     // clobberWatchedEntry's argument
#define ARGUMENTS       rdx
#define CANARIES        r8
#define SEEN            r9
#define WATCHED         rbx, rbp, rdi, rsi, r12, r13, r14, r15
#define XMM             xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
#define IN_REGISTERS    rcx, rdx, r8, r9        // and the fifth argument on the stack
#define GARBAGE         r10                     // besides rax and r11
        count   XMMS, XMM
#else
#define FUNCTION        rdi
#define ENTRY           edi
#define ARGUMENTS       rsi
#define CANARIES        rdx
#define SEEN            rcx
#define WATCHED         rbx, rbp, r12, r13, r14, r15
#define IN_REGISTERS    rdi, rsi, rdx, rcx, r8
#define GARBAGE         r9, r10                 // besides rax and r11
        .set    XMMS, 0
#endif

// Entries: WATCHED, then on Windows xmm6 to xmm15 (two each), then rsp.
        count   XMM_ENTRY, WATCHED
        .set    RSP_ENTRY, XMM_ENTRY + 2 * XMMS
        .set    XMM_OFFSET, 8 * XMM_ENTRY

// The frame below the registers pushed, so that the call is 16-byte aligned:
// the callee's 32 bytes of shadow space (Windows), the fifth argument where
// Windows passes it, the function, seen, and the caller's xmm6 to xmm15.
        .set    FIFTH, 32
        .set    CALLED, 40
        .set    SEEN_AT, 48
        .set    XMM_SAVED, 56
        .set    FRAME, XMM_SAVED + 16 * XMMS

function callWatchingRegisters
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
        transfer store, movdqu, 16, rsp, XMM_SAVED, XMM
        .set    at, XMM_SAVED
        .irp    reg, XMM
        .seh_savexmm \reg, at
        .set    at, at + 16
        .endr
#endif
        UNWIND(.seh_endprologue)
        mov     [rsp + CALLED], FUNCTION
        mov     [rsp + SEEN_AT], SEEN
        mov     [CANARIES + 8 * RSP_ENTRY], rsp // the stack pointer as it must come back
        mov     r11, ARGUMENTS
#if defined(_WIN64)
        mov     rax, [r11 + 32]
        mov     [rsp + FIFTH], rax
        transfer load, movdqu, 16, CANARIES, XMM_OFFSET, XMM
#endif
        transfer load, mov, 8, CANARIES, 0, WATCHED
        mov     rax, [CANARIES]
        .irp    reg, GARBAGE
        mov     \reg, rax
        .endr
        transfer load, mov, 8, r11, 0, IN_REGISTERS
        mov     r11, rax
        mov     [rip + L(stack)], rsp           // the stack pointer at the call
        call    [rsp + CALLED]
        mov     r10, rsp                        // the stack pointer as it came back
        mov     rsp, [rip + L(stack)]
        mov     r11, [rsp + SEEN_AT]
        transfer store, mov, 8, r11, 0, WATCHED
#if defined(_WIN64)
        transfer store, movdqu, 16, r11, XMM_OFFSET, XMM
        transfer load, movdqu, 16, rsp, XMM_SAVED, XMM
#endif
        mov     [r11 + 8 * RSP_ENTRY], r10
        add     rsp, FRAME
        .irp    reg, r15, r14, r13, r12, rsi, rdi, rbx
        pop     \reg
        .endr
        pop     rbp
        ret
endfunc

constant watchedRegisterNames
        names   1, WATCHED
#if defined(_WIN64)
        names   2, XMM
#endif
        .asciz  "rsp"

        stack_at_call

// Stub for one entry: when eax, counted down from the entry sought, was 0,
// makes the change given and returns, with eax -1.
.macro on_entry change:vararg
        sub     eax, 1
        jnc     1f                              // another entry
        \change
        ret
1:
.endm

// void clobberWatchedEntry(int entry)
function clobberWatchedEntry
        UNWIND(.seh_endprologue)
        mov     eax, ENTRY
        .irp    reg, WATCHED
        on_entry btc \reg, 63                   // its top bit flipped
        .endr
#if defined(_WIN64)
        .irp    reg, XMM
        on_entry pinsrw \reg, eax, 0            // a word of its lower half
        on_entry pinsrw \reg, eax, 4            // a word of its upper half
        .endr
#endif
        ret     8                               // rsp 8 too high, as if it took an argument off
endfunc
