#include "../asm.S"
#include "arm/batchGroups.S"

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// Groups of sixteen searches, each of which prefetches its next probe as soon
// as it knows it, so that the load is there by the time the group comes round
// again. Each lane's value and base live on the stack.
#define LANE_VALUES     0                       // 16 ints
#define LANE_BASES      64                      // 16 pointers
#define FRAME           132                     // keeps sp 8-byte aligned
#define RESULTS_ARG     36                      // above the nine registers pushed

function asmBatchSearch
        push    {r4-r11, lr}
        ldr     r4, [sp, #RESULTS_ARG]          // results
        cmp     r1, #1
        blt     L(done)                         // no queries
        cmp     r3, #1
        blt     L(none)                         // no elements
        sub     sp, sp, #FRAME
L(group):
        group_size r5
        sub     r6, r5, #1
        sub     r9, r2, #4                      // numbers - 1
        add     r10, sp, #LANE_BASES
        mov     r7, #0
L(copy):
        cmp     r7, r6
        movls   r8, r7
        movhi   r8, r6
        ldr     r8, [r0, r8, lsl #2]            // values[min(lane, queries - 1)]
        str     r8, [sp, r7, lsl #2]
        str     r9, [r10, r7, lsl #2]           // base = numbers - 1
        add     r7, r7, #1
        cmp     r7, #LANES
        blo     L(copy)
        add     r7, r3, #1                      // len = count + 1
        cmp     r3, #LARGE_ARRAY
        blo     L(next)
        lsr     r8, r7, #1
        movw    r11, #OFF_MIDDLE
        sub     r8, r8, r11                     // the first half, short of the middle
        b       L(first)
        hot_loop
L(level):
        lsr     r8, r7, #1                      // half = len / 2
L(first):
        sub     r7, r7, r8                      // len -= half
        lsl     r8, r8, #2                      // half, in bytes
        lsr     r11, r7, #1
        lsl     r11, r11, #2                    // the next half, in bytes
        .irp    lane, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        ldr     r12, [sp, #LANE_BASES + 4 * \lane] // base
        ldr     r10, [r12, r8]                  // base[half]
        ldr     lr, [sp, #4 * \lane]            // value
        cmp     r10, lr
        addle   r12, r12, r8                    // base[half] <= value? base += half
        str     r12, [sp, #LANE_BASES + 4 * \lane]
        pld     [r12, r11]                      // the next probe
        .endr
L(next):
        cmp     r7, #1
        bhi     L(level)
        add     r10, sp, #LANE_BASES
        mov     r7, #0
L(answer):
        ldr     r12, [r10, r7, lsl #2]
        cmp     r12, r2
        movlo   r12, r2                         // the last element <= value, if any
        ldr     r11, [r12]
        ldr     lr, [sp, r7, lsl #2]
        sub     r12, r12, r2
        cmp     r11, lr
        lsreq   r12, r12, #2                    // result = equal ? its subscript
        mvnne   r12, #0                         //                : -1
        str     r12, [r4, r7, lsl #2]
        add     r7, r7, #1
        cmp     r7, r5
        blo     L(answer)
        add     r4, r4, r5, lsl #2
        next_group r5, L(group)
        leave_batch FRAME, r4, L(done), L(none)
endfunc
