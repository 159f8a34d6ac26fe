// Entries: x19 to x29, d8 to d15 (the lower halves of v8 to v15), then sp.
#define X_REGS          x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, x29
#define D_REGS          d8, d9, d10, d11, d12, d13, d14, d15
#define WATCHED         X_REGS, D_REGS
#define SAVED           x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, D_REGS
// Every register that carries no argument, but x16, which holds the
// function, and x18, which the platform may keep for itself.
#define GARBAGE         x5, x6, x7, x8, x9, x10, x11, x12, x13, x14, x15, x17
        count   SP_ENTRY, WATCHED

// The page of a symbol, and its offset within it.
#if defined(__APPLE__)
#define PAGE(symbol)            symbol@PAGE
#define PAGE_OFFSET(symbol)     symbol@PAGEOFF
#else
#define PAGE(symbol)            symbol
#define PAGE_OFFSET(symbol)     :lo12:symbol
#endif

// The frame: the frame record, SAVED, then the function and seen.
        .set    SAVED_AT, 16
        .set    CALLED, 160
        .set    SEEN_AT, 168
        .set    FRAME, 176

function callWatchingRegisters
        SIGN_LR
        stp     x29, x30, [sp, #-FRAME]!
        mov     x29, sp
        transfer str, sp, SAVED_AT, SAVED
        stp     x0, x3, [sp, #CALLED]
        mov     x9, sp
        str     x9, [x2, #8 * SP_ENTRY]         // the stack pointer as it must come back
        adrp    x10, PAGE(L(stack))
        str     x9, [x10, PAGE_OFFSET(L(stack))]
        transfer ldr, x2, 0, WATCHED
        mov     x16, x0
        ldr     x9, [x2]
        .irp    reg, GARBAGE
        mov     \reg, x9
        .endr
        ldr     x0, [x1]
        ldp     x2, x3, [x1, #16]
        ldr     x4, [x1, #32]
        ldr     x1, [x1, #8]
        blr     x16
        mov     x9, sp                          // the stack pointer as it came back
        adrp    x10, PAGE(L(stack))
        ldr     x10, [x10, PAGE_OFFSET(L(stack))]
        mov     sp, x10
        ldr     x5, [sp, #SEEN_AT]
        transfer str, x5, 0, WATCHED
        str     x9, [x5, #8 * SP_ENTRY]
        transfer ldr, sp, SAVED_AT, SAVED
        ldp     x29, x30, [sp], #FRAME
        CHECK_LR
        ret
endfunc

constant watchedRegisterNames
        names   1, WATCHED
        .asciz  "sp"

        stack_at_call

// Stub for one entry: when w0, counted down from the entry sought, was 0,
// makes the change given and returns, with w0 -1.
.macro on_entry change:vararg
        subs    w0, w0, #1
        b.hs    1f                              // another entry
        \change
        ret
1:
.endm

// void clobberWatchedEntry(int entry)
function clobberWatchedEntry
        .irp    reg, X_REGS
        on_entry eor \reg, \reg, #0x8000000000000000 // its top bit flipped
        .endr
        .irp    reg, D_REGS
        on_entry fneg \reg, \reg                // its sign, bit 63 of v8 to v15, flipped
        .endr
        sub     sp, sp, #16                     // sp 16 too low, as if a push were left
        ret
endfunc
