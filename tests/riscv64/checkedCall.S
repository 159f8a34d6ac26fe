// Entries: s0 to s11, fs0 to fs11, then gp, tp and sp, which no routine may
// change at all.
#define S_REGS          s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11
#define FS_REGS         fs0, fs1, fs2, fs3, fs4, fs5, fs6, fs7, fs8, fs9, fs10, fs11
// Every register that carries no argument, but t6, which holds the function.
#define GARBAGE         t1, t2, t3, t4, t5, a5, a6, a7
        count   FS_ENTRY, S_REGS
        count   FS_COUNT, FS_REGS
        .set    GP_ENTRY, FS_ENTRY + FS_COUNT
        .set    FS_OFFSET, 8 * FS_ENTRY
        .set    GP_OFFSET, 8 * GP_ENTRY

// gp may come back changed, so no address here may be relaxed to one
// relative to it.
        .option norelax

// The frame: ra, S_REGS, FS_REGS, gp and tp, then seen.
        .set    S_AT, 8
        .set    FS_AT, S_AT + 8 * FS_ENTRY
        .set    GP_AT, FS_AT + 8 * FS_COUNT
        .set    SEEN_AT, GP_AT + 16
        .set    FRAME, SEEN_AT + 8

function callWatchingRegisters
        addi    sp, sp, -FRAME
        sd      ra, 0(sp)
        transfer sd, sp, S_AT, S_REGS
        transfer fsd, sp, FS_AT, FS_REGS
        transfer sd, sp, GP_AT, gp, tp
        sd      a3, SEEN_AT(sp)
        transfer sd, a2, GP_OFFSET, gp, tp, sp // as they must come back
        lla     t0, L(stack)
        sd      sp, 0(t0)
        transfer ld, a2, 0, S_REGS
        transfer fld, a2, FS_OFFSET, FS_REGS
        mv      t6, a0
        ld      t0, 0(a2)
        .irp    reg, GARBAGE
        mv      \reg, t0
        .endr
        ld      a0, 0(a1)
        ld      a2, 16(a1)
        ld      a3, 24(a1)
        ld      a4, 32(a1)
        ld      a1, 8(a1)
        jalr    t6
        mv      t1, sp                          // the stack pointer as it came back
        lla     t0, L(stack)
        ld      sp, 0(t0)
        ld      t0, SEEN_AT(sp)
        transfer sd, t0, 0, S_REGS
        transfer fsd, t0, FS_OFFSET, FS_REGS
        transfer sd, t0, GP_OFFSET, gp, tp, t1
        ld      ra, 0(sp)
        transfer ld, sp, S_AT, S_REGS
        transfer fld, sp, FS_AT, FS_REGS
        transfer ld, sp, GP_AT, gp, tp          // should the function have changed them
        addi    sp, sp, FRAME
        ret
endfunc

constant watchedRegisterNames
        names   1, S_REGS, FS_REGS, gp, tp
        .asciz  "sp"

        stack_at_call

// Stub for one entry: when a0, counted down from the entry sought, was 0,
// makes the change given and returns, with a0 -1.
.macro on_entry change:vararg
        addi    a0, a0, -1
        bgez    a0, 1f                          // another entry
        \change
        ret
1:
.endm

// void clobberWatchedEntry(int entry)
function clobberWatchedEntry
        li      t0, -1
        slli    t0, t0, 63                      // the top bit
        .irp    reg, S_REGS
        on_entry xor \reg, \reg, t0             // its top bit flipped
        .endr
        .irp    reg, FS_REGS
        on_entry fneg.d \reg, \reg              // its sign, the top bit, flipped
        .endr
        .irp    reg, gp, tp
        on_entry xor \reg, \reg, t0
        .endr
        addi    sp, sp, -16                     // sp 16 too low, as if a push were left
        ret
endfunc
