#include "../../search/asm.S"

        .fpu    vfpv3-d16

// Callee-saved: r4 to r11 (bits 0 to 7), d8 to d15 (bits 8 to 15) and sp
// (bit 16). Canary n is r3 + n, and for a d register r3 + n in its lower
// half and r3 in its upper half.
#define CHECKED_R       r4, r5, r6, r7, r8, r9, r10, r11
#define CHECKED_D       d8, d9, d10, d11, d12, d13, d14, d15
#define CANARY          0x5ca1ab10

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        push    {r4-r11, lr}
        vpush   {CHECKED_D}
        sub     sp, sp, #12                     // 8-byte alignment at the call
        str     sp, [sp]                        // a slot that holds its own address
        mov     r12, r0                         // search(value, numbers, count)
        mov     r0, r1
        mov     r1, r2
        mov     r2, r3
        ldr     r3, =CANARY
        .set    bit, 0
        .irp    reg, CHECKED_R
        add     \reg, r3, #bit
        .set    bit, bit + 1
        .endr
        .irp    reg, CHECKED_D
        add     lr, r3, #bit
        vmov    \reg, lr, r3
        .set    bit, bit + 1
        .endr
        blx     r12
        mov     r1, #0                          // the bits of the registers that changed
        ldr     r3, =CANARY
        .set    bit, 0
        .irp    reg, CHECKED_R
        add     r2, r3, #bit
        cmp     \reg, r2
        orrne   r1, r1, #(1 << bit)
        .set    bit, bit + 1
        .endr
        .irp    reg, CHECKED_D
        vmov    r2, r12, \reg
        add     lr, r3, #bit
        cmp     r2, lr
        cmpeq   r12, r3
        orrne   r1, r1, #(1 << bit)
        .set    bit, bit + 1
        .endr
        ldr     r2, [sp]
        mov     r12, sp
        cmp     r2, r12
        orrne   r1, r1, #(1 << 16)              // sp
        ldr     r2, [sp, #112]                  // clobbered
        str     r1, [r2]
        add     sp, sp, #12
        vpop    {CHECKED_D}
        pop     {r4-r11, pc}
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        movt    r4, #0                          // r4's upper half cleared
        mov     r0, #0
        bx      lr
endfunc
