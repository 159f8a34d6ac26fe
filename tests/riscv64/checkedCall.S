#include "../../search/asm.S"

// Entries: s0 to s11 (0 to 11), fs0 to fs11 (12 to 23), and gp, tp and sp
// (24 to 26), which no routine may change at all.
#define S_REGS          s0, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, s11
#define FS_REGS         fs0, fs1, fs2, fs3, fs4, fs5, fs6, fs7, fs8, fs9, fs10, fs11

// int checkedCall(int value, const int numbers[], int count, SearchFunction search,
//                 std::uint64_t canaries[], std::uint64_t found[])
function checkedCall
        addi    sp, sp, -224
        transfer sd, sp, 0, ra, S_REGS, a5
        transfer fsd, sp, 14, FS_REGS
        transfer sd, sp, 26, gp, tp
        transfer sd, a4, 24, gp, tp, sp         // as they must come back
        transfer ld, a4, 0, S_REGS
        transfer fld, a4, 12, FS_REGS
        jalr    a3
        ld      a5, 104(sp)
        transfer sd, a5, 0, S_REGS
        transfer fsd, a5, 12, FS_REGS
        transfer sd, a5, 24, gp, tp, sp
        transfer ld, sp, 0, ra, S_REGS
        transfer fld, sp, 14, FS_REGS
        transfer ld, sp, 26, gp, tp             // should the search have changed them
        addi    sp, sp, 224
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        sext.w  s0, s0                          // s0's upper half changed
        li      a0, -1
        ret
endfunc
