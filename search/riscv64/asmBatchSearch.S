#include "../asm.S"
#include "riscv64/batchGroups.S"

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// Groups of sixteen searches, each of which asks for its next probe as soon
// as it knows it (prefetch.r, as in asmPrefetchingSearch), so that the load
// is there by the time the group comes round again. Each lane's value and
// base live on the stack.
#define LANE_VALUES     0                       // 16 ints
#define LANE_BASES      64                      // 16 pointers
#define FRAME           192

function asmBatchSearch
        blez    a1, L(done)                     // no queries
        blez    a3, L(none)                     // no elements
        addi    sp, sp, -FRAME
        li      a7, LANES
        li      a6, 1
L(group):
        mv      a5, a1
        bleu    a5, a7, L(groupSize)
        mv      a5, a7                          // the group's queries
L(groupSize):
        addi    t6, a5, -1
        addi    t5, a2, -4                      // numbers - 1
        li      t0, 0
L(copy):
        load_lane_value t1, t0, t6
        slli    t2, t0, 2
        add     t2, sp, t2
        sw      t1, LANE_VALUES(t2)
        slli    t2, t0, 3
        add     t2, sp, t2
        sd      t5, LANE_BASES(t2)              // base = numbers - 1
        addi    t0, t0, 1
        bltu    t0, a7, L(copy)
        addi    t0, a3, 1                       // len = count + 1
        li      t1, LARGE_ARRAY
        bltu    a3, t1, L(next)
        srli    t1, t0, 1
        li      t2, OFF_MIDDLE
        sub     t1, t1, t2                      // the first half, short of the middle
        j       L(first)
        hot_loop
L(level):
        srli    t1, t0, 1                       // half = len / 2
L(first):
        sub     t0, t0, t1                      // len -= half
        slli    t1, t1, 2                       // half, in bytes
        srli    t2, t0, 1
        slli    t2, t2, 2                       // the next half, in bytes
        .irp    lane, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        ld      t3, LANE_BASES+8*\lane(sp)      // base
        add     t4, t3, t1
        lw      t5, 0(t4)                       // base[half]
        lw      t6, LANE_VALUES+4*\lane(sp)     // value
        slt     t5, t6, t5
        addi    t5, t5, -1                      // mask = base[half] <= value ? ~0 : 0
        and     t5, t5, t1
        add     t3, t3, t5                      // base += half & mask
        sd      t3, LANE_BASES+8*\lane(sp)
        add     t4, t3, t2
        ori     zero, t4, 1                     // prefetch.r 0(t4): the next probe
        .endr
L(next):
        bltu    a6, t0, L(level)                // while len > 1
        li      t0, 0
L(answer):
        slli    t1, t0, 3
        add     t1, sp, t1
        ld      t3, LANE_BASES(t1)
        bgeu    t3, a2, L(inArray)
        mv      t3, a2                          // the last element <= value, if any
L(inArray):
        lw      t5, 0(t3)
        slli    t1, t0, 2
        add     t4, sp, t1
        lw      t6, LANE_VALUES(t4)
        sub     t3, t3, a2
        srli    t3, t3, 2                       // its subscript
        xor     t5, t5, t6
        snez    t5, t5
        neg     t5, t5                          // mask = equal ? 0 : ~0
        or      t3, t3, t5                      // result = equal ? subscript : -1
        add     t1, a4, t1
        sw      t3, 0(t1)
        addi    t0, t0, 1
        bltu    t0, a5, L(answer)
        slli    t1, a5, 2
        add     a0, a0, t1
        add     a4, a4, t1
        sub     a1, a1, a5
        bnez    a1, L(group)
        addi    sp, sp, FRAME
L(done):
        ret
        answer_none L(none), a4
endfunc
