#include "../../search/asm.S"

        .fpu    vfpv3-d16

// Entries: r4 to r11 (0 to 7), d8 to d15 (8 to 15), sp (16).
#define R_REGS          r4, r5, r6, r7, r8, r9, r10, r11
#define D_REGS          d8, d9, d10, d11, d12, d13, d14, d15

// int checkedCall(int value, const int numbers[], int count, SearchFunction search,
//                 std::uint64_t canaries[], std::uint64_t found[])
function checkedCall
        push    {r4-r11, lr}
        vpush   {D_REGS}
        sub     sp, sp, #12                     // found, and 8-byte alignment at the call
        ldr     r12, [sp, #112]                 // canaries
        ldr     lr, [sp, #116]
        str     lr, [sp]
        mov     lr, sp
        str     lr, [r12, #8 * 16]              // the stack pointer as it must come back
        transfer ldr, r12, 0, R_REGS
        transfer vldr, r12, 8, D_REGS
        blx     r3
        ldr     r12, [sp]
        transfer str, r12, 0, R_REGS
        transfer vstr, r12, 8, D_REGS
        mov     lr, sp
        str     lr, [r12, #8 * 16]
        add     sp, sp, #12
        vpop    {D_REGS}
        pop     {r4-r11, pc}
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        movt    r4, #0                          // r4's upper half cleared
        mvn     r0, #0
        bx      lr
endfunc
