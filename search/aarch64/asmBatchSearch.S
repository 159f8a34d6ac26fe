#include "../asm.S"
#include "aarch64/batchGroups.S"

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// Groups of sixteen searches, each of which prefetches its next probe as soon
// as it knows it, so that the load is there by the time the group comes round
// again. Each lane's value and base live on the stack.
#define LANE_VALUES     0                       // 16 ints
#define LANE_BASES      64                      // 16 pointers
#define FRAME           192

function asmBatchSearch
        cmp     w1, #1
        b.lt    L(done)                         // no queries
        cmp     w3, #1
        b.lt    L(none)                         // no elements
        sub     sp, sp, #FRAME
        add     x10, sp, #LANE_BASES
L(group):
        mov     w5, #LANES
        cmp     w1, w5
        csel    w5, w1, w5, lo                  // the group's queries
        sub     w6, w5, #1
        sub     x9, x2, #4                      // numbers - 1
        mov     w7, #0
L(copy):
        cmp     w7, w6
        csel    w8, w7, w6, ls
        ldr     w8, [x0, w8, uxtw #2]           // values[min(lane, queries - 1)]
        str     w8, [sp, w7, uxtw #2]
        str     x9, [x10, w7, uxtw #3]          // base = numbers - 1
        add     w7, w7, #1
        cmp     w7, #LANES
        b.lo    L(copy)
        add     w7, w3, #1                      // len = count + 1
        cmp     w3, #LARGE_ARRAY
        b.lo    L(next)
        lsr     w8, w7, #1
        mov     w11, #OFF_MIDDLE
        sub     w8, w8, w11                     // the first half, short of the middle
        b       L(first)
        hot_loop
L(level):
        lsr     w8, w7, #1                      // half = len / 2
L(first):
        sub     w7, w7, w8                      // len -= half
        lsl     x8, x8, #2                      // half, in bytes
        lsr     w11, w7, #1
        lsl     x11, x11, #2                    // the next half, in bytes
        .irp    lane, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        ldr     x12, [x10, #8 * \lane]          // base
        ldr     w13, [x12, x8]                  // base[half]
        ldr     w14, [sp, #4 * \lane]           // value
        add     x15, x12, x8
        cmp     w13, w14
        csel    x12, x15, x12, le               // base[half] <= value? base += half
        str     x12, [x10, #8 * \lane]
        prfm    pldl1keep, [x12, x11]           // the next probe
        .endr
L(next):
        cmp     w7, #1
        b.hi    L(level)
        mov     w7, #0
L(answer):
        ldr     x12, [x10, w7, uxtw #3]
        cmp     x12, x2
        csel    x12, x2, x12, lo                // the last element <= value, if any
        ldr     w13, [x12]
        ldr     w14, [sp, w7, uxtw #2]
        sub     x12, x12, x2
        lsr     x12, x12, #2                    // its subscript
        cmp     w13, w14
        csinv   w12, w12, wzr, eq               // result = equal ? subscript : -1
        str     w12, [x4, w7, uxtw #2]
        add     w7, w7, #1
        cmp     w7, w5
        b.lo    L(answer)
        add     x4, x4, w5, uxtw #2
        next_group w5, L(group)
        leave_batch FRAME, x4, L(done), L(none)
endfunc
