#include "../../search/asm.S"

// Callee-saved: s0 to s11 (bits 0 to 11), fs0 to fs11 (bits 12 to 23), and
// gp, tp and sp (bits 24 to 26), which no routine may change at all.
#define CHECKED_S       s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11
#define CHECKED_FS      fs0, fs1, fs2, fs3, fs4, fs5, fs6, fs7, fs8, fs9, fs10, fs11
#define CANARY          0x5ca1ab1e5ca1ab10

// Stores (op sd or fsd) or loads (ld or fld) the registers given at sp +
// offset onwards.
.macro spill op, offset, regs:vararg
        .set    at, \offset
        .irp    reg, \regs
        \op     \reg, at(sp)
        .set    at, at + 8
        .endr
.endm

// Loads the registers given with canaries first, first + 1 and so on
// (canary n is t0 + n); move is mv for s registers, fmv.d.x for fs.
.macro canaries move, first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        addi    t1, t0, bit
        \move   \reg, t1
        .set    bit, bit + 1
        .endr
.endm

// Sets in t3 the given bit if reg differs from expected.
.macro check_one reg, expected, bit
        beq     \reg, \expected, 1f
        li      t1, 1 << \bit
        or      t3, t3, t1
1:
.endm

// Sets in t3 the bit of each register given that lost its canary; move is mv
// for s registers, fmv.x.d for fs.
.macro check move, first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        \move   t2, \reg
        addi    t4, t0, bit
        check_one t2, t4, bit
        .set    bit, bit + 1
        .endr
.endm

// int checkedCall(SearchFunction search, int value, const int numbers[], int count,
//                 unsigned *clobbered)
function checkedCall
        addi    sp, sp, -240
        sd      ra, 232(sp)
        spill   sd, 0, CHECKED_S
        spill   fsd, 96, CHECKED_FS
        spill   sd, 192, a4, gp, tp, sp         // clobbered, and what must come back
        mv      t5, a0                          // search(value, numbers, count)
        mv      a0, a1
        mv      a1, a2
        mv      a2, a3
        li      t0, CANARY
        canaries mv, 0, CHECKED_S
        canaries fmv.d.x, 12, CHECKED_FS
        jalr    t5
        li      t3, 0
        li      t0, CANARY
        check   mv, 0, CHECKED_S
        check   fmv.x.d, 12, CHECKED_FS
        .set    bit, 24
        .irp    reg, gp, tp, sp
        ld      t2, (200 + 8 * (bit - 24))(sp)
        check_one \reg, t2, bit
        .set    bit, bit + 1
        .endr
        ld      gp, 200(sp)
        ld      tp, 208(sp)
        ld      a4, 192(sp)
        sw      t3, 0(a4)
        spill   ld, 0, CHECKED_S
        spill   fld, 96, CHECKED_FS
        ld      ra, 232(sp)
        addi    sp, sp, 240
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        sext.w  s0, s0                          // s0's upper half changed
        li      a0, 0
        ret
endfunc
