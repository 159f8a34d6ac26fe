#include "../../search/asm.S"

// Callee-saved: x19 to x28, x29 (the frame pointer), sp and the lower halves
// d8 to d15 of v8 to v15.

// x9 = the canary base; canary n, for the register that checkedCall numbers
// n, is x9 + n.
.macro canary_base
        movz    x9, #0x5ca1, lsl #48
        movk    x9, #0xab1e, lsl #32
        movk    x9, #0x5ca1, lsl #16
        movk    x9, #0xab10
.endm

// Loads the registers given with canaries first, first + 1 and so on; move
// is mov for x registers, fmov for d registers.
.macro canaries move, first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        add     x10, x9, #bit
        \move   \reg, x10
        .set    bit, bit + 1
        .endr
.endm

// Sets in w11 the bit of each register given that lost its canary.
.macro check move, first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        \move   x12, \reg
        add     x10, x9, #bit
        cmp     x12, x10
        b.eq    1f
        orr     w11, w11, #(1 << bit)
1:      .set    bit, bit + 1
        .endr
.endm

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        stp     x29, x30, [sp, #-176]!
        mov     x29, sp
        stp     x19, x20, [sp, #16]
        stp     x21, x22, [sp, #32]
        stp     x23, x24, [sp, #48]
        stp     x25, x26, [sp, #64]
        stp     x27, x28, [sp, #80]
        stp     d8, d9, [sp, #96]
        stp     d10, d11, [sp, #112]
        stp     d12, d13, [sp, #128]
        stp     d14, d15, [sp, #144]
        mov     x10, sp
        stp     x4, x10, [sp, #160]             // clobbered, and the stack pointer
        mov     x13, x0                         // search(value, numbers, count)
        mov     w0, w1
        mov     x1, x2
        mov     w2, w3
        canary_base
        canaries mov, 0, x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, x29
        canaries fmov, 11, d8, d9, d10, d11, d12, d13, d14, d15
        blr     x13
        mov     w11, #0
        canary_base
        check   mov, 0, x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, x29
        check   fmov, 11, d8, d9, d10, d11, d12, d13, d14, d15
        ldp     x4, x10, [sp, #160]
        mov     x12, sp
        cmp     x10, x12
        b.eq    1f
        orr     w11, w11, #(1 << 19)            // sp
1:      str     w11, [x4]
        ldp     x19, x20, [sp, #16]
        ldp     x21, x22, [sp, #32]
        ldp     x23, x24, [sp, #48]
        ldp     x25, x26, [sp, #64]
        ldp     x27, x28, [sp, #80]
        ldp     d8, d9, [sp, #96]
        ldp     d10, d11, [sp, #112]
        ldp     d12, d13, [sp, #128]
        ldp     d14, d15, [sp, #144]
        ldp     x29, x30, [sp], #176
        ret
endfunc

// int clobberCalleeSaved(int value, const int numbers[], int count)
function clobberCalleeSaved
        mov     w0, #0
        .irp    reg, x19, x20, x21, x22, x23, x24, x25, x28, x29
        mov     \reg, #0
        .endr
        movk    x26, #0
        mov     w27, #-1
        .irp    reg, d8, d9, d10, d11, d12, d13, d14
        movi    \reg, #0
        .endr
        ins     v15.s[1], wzr                   // the upper half of d15 alone
        ret
endfunc
