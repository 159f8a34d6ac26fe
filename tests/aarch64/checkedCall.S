#include "../../search/asm.S"

// Callee-saved: x19 to x29 (bits 0 to 10), the lower halves d8 to d15 of v8
// to v15 (bits 11 to 18), and sp (bit 19).
#define CHECKED_X       x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, x29
#define CHECKED_D       d8, d9, d10, d11, d12, d13, d14, d15
#define CANARY          0x5ca1ab1e5ca1ab10

// Stores (op str) or loads (op ldr) the registers given at sp + 16 onwards.
.macro spill op, regs:vararg
        .set    offset, 16
        .irp    reg, \regs
        \op     \reg, [sp, #offset]
        .set    offset, offset + 8
        .endr
.endm

// Loads the registers given with canaries first, first + 1 and so on
// (canary n is x9 + n); move is mov for x registers, fmov for d registers.
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
        spill   str, x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, CHECKED_D, x4
        mov     x10, sp
        str     x10, [sp, #168]                 // the stack pointer as it must come back
        ldr     x9, =CANARY
        mov     x13, x0                         // search(value, numbers, count), with
        mov     w0, w1                          // garbage in the int arguments' upper
        orr     x0, x0, x9, lsl #32             // halves, which are undefined
        mov     x1, x2
        mov     w2, w3
        orr     x2, x2, x9, lsl #32
        canaries mov, 0, CHECKED_X
        canaries fmov, 11, CHECKED_D
        blr     x13
        mov     w11, #0
        ldr     x9, =CANARY
        check   mov, 0, CHECKED_X
        check   fmov, 11, CHECKED_D
        ldr     x10, [sp, #168]
        mov     x12, sp
        cmp     x10, x12
        b.eq    1f
        orr     w11, w11, #(1 << 19)            // sp
1:      ldr     x4, [sp, #160]
        str     w11, [x4]
        spill   ldr, x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, CHECKED_D
        ldp     x29, x30, [sp], #176
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     w19, w19                        // x19's upper half cleared
        mov     w0, #0
        ret
endfunc
