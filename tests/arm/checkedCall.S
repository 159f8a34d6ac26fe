        .fpu    vfpv3-d16

// Entries: r4 to r11, d8 to d15, then sp.
#define R_REGS          r4, r5, r6, r7, r8, r9, r10, r11
#define D_REGS          d8, d9, d10, d11, d12, d13, d14, d15
        count   D_ENTRY, R_REGS
        count   D_COUNT, D_REGS
        .set    SP_ENTRY, D_ENTRY + D_COUNT
        .set    D_OFFSET, 8 * D_ENTRY

// The frame below the registers pushed, 8-byte aligned at the call: the
// fifth argument, seen and the function.
        .set    FIFTH, 0
        .set    SEEN_AT, 4
        .set    CALLED, 8
        .set    FRAME, 12

function callWatchingRegisters
        push    {r4-r11, lr}
        vpush   {D_REGS}
        sub     sp, sp, #FRAME
        str     r3, [sp, #SEEN_AT]
        str     r0, [sp, #CALLED]
        ldr     r12, [r1, #16]
        str     r12, [sp, #FIFTH]
        mov     r12, sp
        str     r12, [r2, #8 * SP_ENTRY]        // the stack pointer as it must come back
        adr     r4, L(toStack)
        ldr     lr, L(toStack)
        str     r12, [r4, lr]                   // at L(stack)
        transfer ldr, r2, 0, R_REGS
        transfer vldr, r2, D_OFFSET, D_REGS
        ldr     r12, [r2]                       // garbage in r12, the one register left
        ldr     r0, [r1]
        ldr     r2, [r1, #8]
        ldr     r3, [r1, #12]
        ldr     r1, [r1, #4]
        ldr     lr, [sp, #CALLED]
        blx     lr
        mov     r1, sp                          // the stack pointer as it came back
        adr     r12, L(toStack)
        ldr     lr, L(toStack)
        ldr     r12, [r12, lr]
        mov     sp, r12
        ldr     r12, [sp, #SEEN_AT]
        transfer str, r12, 0, R_REGS
        transfer vstr, r12, D_OFFSET, D_REGS
        str     r1, [r12, #8 * SP_ENTRY]
        add     sp, sp, #FRAME
        vpop    {D_REGS}
        pop     {r4-r11, pc}
L(toStack):
        .word   L(stack) - L(toStack)
endfunc

constant watchedRegisterNames
        names   1, R_REGS, D_REGS
        .asciz  "sp"

        stack_at_call

// Stub for one entry: when r0, counted down from the entry sought, was 0,
// makes the change given and returns, with r0 -1.
.macro on_entry change:vararg
        subs    r0, r0, #1
        bhs     1f                              // another entry
        \change
        bx      lr
1:
.endm

// void clobberWatchedEntry(int entry)
function clobberWatchedEntry
        .irp    reg, R_REGS
        on_entry eor \reg, \reg, #0x80000000    // its top bit flipped
        .endr
        .irp    reg, D_REGS
        on_entry vneg.f64 \reg, \reg            // its sign, the top bit, flipped
        .endr
        sub     sp, sp, #8                      // sp 8 too low, as if a push were left
        bx      lr
endfunc
