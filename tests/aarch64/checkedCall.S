#include "../../search/asm.S"

// Callee-saved: x19 to x28, x29 (the frame pointer), sp and the lower
// halves d8 to d15 of v8 to v15. Canary n is x9 + n.

.macro canary_base
        movz    x9, #0x5ca1, lsl #48
        movk    x9, #0xab1e, lsl #32
        movk    x9, #0x5ca1, lsl #16
        movk    x9, #0xab10
.endm

.macro canary reg, n
        add     \reg, x9, #\n
.endm

.macro canary_d reg, n
        add     x10, x9, #\n
        fmov    \reg, x10
.endm

// Sets bit n of w11 unless register reg still holds its canary.
.macro check reg, n
        add     x10, x9, #\n
        cmp     \reg, x10
        b.eq    1f
        orr     w11, w11, #(1 << \n)
1:
.endm

.macro check_d reg, n
        fmov    x12, \reg
        check   x12, \n
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
        canary  x19, 0
        canary  x20, 1
        canary  x21, 2
        canary  x22, 3
        canary  x23, 4
        canary  x24, 5
        canary  x25, 6
        canary  x26, 7
        canary  x27, 8
        canary  x28, 9
        canary  x29, 10
        canary_d d8, 11
        canary_d d9, 12
        canary_d d10, 13
        canary_d d11, 14
        canary_d d12, 15
        canary_d d13, 16
        canary_d d14, 17
        canary_d d15, 18
        blr     x13
        mov     w11, #0
        canary_base
        check   x19, 0
        check   x20, 1
        check   x21, 2
        check   x22, 3
        check   x23, 4
        check   x24, 5
        check   x25, 6
        check   x26, 7
        check   x27, 8
        check   x28, 9
        check   x29, 10
        check_d d8, 11
        check_d d9, 12
        check_d d10, 13
        check_d d11, 14
        check_d d12, 15
        check_d d13, 16
        check_d d14, 17
        check_d d15, 18
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
        mov     x19, #0
        mov     x20, #0
        mov     x21, #0
        mov     x22, #0
        mov     x23, #0
        mov     x24, #0
        mov     x25, #0
        movk    x26, #0                         // the lowest 16 bits alone
        mov     x27, #0
        mov     x28, #0
        mov     x29, #0
        movi    d8, #0
        movi    d9, #0
        movi    d10, #0
        movi    d11, #0
        movi    d12, #0
        movi    d13, #0
        movi    d14, #0
        ins     v15.s[1], wzr                   // the upper half of d15 alone
        ret
endfunc
