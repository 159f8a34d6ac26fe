// Your copy of asmBinarySearch for this instruction set (see ../yourSearch.S).
#include "../asm.S"

// int yourSearch(int value, const int numbers[], int count)
//
// count arrives sign-extended to 64 bits, and lw sign-extends each element,
// so 64-bit compares are the signed 32-bit ones. The frame record, ra and the
// caller's s0 just below s0, lets a debugger or a profiler that follows frame
// pointers walk through the routine, which is why this leaf saves ra. base
// lives in s1, which the routine must save and restore.
function yourSearch
        addi    sp, sp, -32
        sd      ra, 24(sp)
        sd      s0, 16(sp)
        sd      s1, 8(sp)                       // s1 is base
        addi    s0, sp, 32                      // s0 is the caller's sp
        mv      a3, a0                          // value: a0 now holds the result
        li      a0, -1                          // result = -1
        blez    a2, L(exit)                     // no elements
// Without count-leading-zeros: copy count's top bit into every bit below it,
// then keep the top bit alone.
        mv      t0, a2
        .irp    shift, 1, 2, 4, 8, 16
        srli    t1, t0, \shift
        or      t0, t0, t1
        .endr
        srli    t1, t0, 1
        sub     t0, t0, t1                      // step = highest power of two <= count
        li      s1, -1                          // base = -1
        addi    t1, t0, -1                      // probe = step - 1
        slli    t2, t1, 2
        add     t2, a1, t2
        lw      t2, 0(t2)
        bgt     t2, a3, L(next)
        beq     t2, a3, L(found)
        sub     s1, a2, t0                      // the rest lies in the last step - 1 elements:
        j       L(next)                         // base = count - step
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
L(right):
        add     s1, s1, t0                      // base += step
L(next):
        srli    t0, t0, 1                       // step /= 2
        beqz    t0, L(exit)
        add     t1, s1, t0                      // probe = base + step
        slli    t2, t1, 2
        add     t2, a1, t2
        lw      t2, 0(t2)                       // numbers[probe]
        blt     t2, a3, L(right)
        bgt     t2, a3, L(next)
L(found):
        mv      a0, t1                          // result = probe
L(exit):
        ld      ra, 24(sp)
        ld      s0, 16(sp)
        ld      s1, 8(sp)
        addi    sp, sp, 32
        ret
endfunc
