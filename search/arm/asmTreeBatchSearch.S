#include "../asm.S"
#include "arm/asmTreeNodes.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it, so that the line is there
// by the time the group comes round again. Each lane's value and k live on
// the stack, side by side.
#define LANES           16
#define LANE            8                       // a lane: value, then k
#define NEXT_TAIL       128                     // the tail block below, or -1
#define POSITION        132                     // the next level's firstNode
#define END             136                     // past the last level's, or lane's
#define FRAME           140                     // keeps sp 8-byte aligned

function asmTreeBatchSearch
        push    {r4-r11, lr}
        cmp     r1, #1
        blt     L(done)                         // no queries
        ldr     r4, [r2, #TREE_COUNT]
        cmp     r4, #1
        blt     L(none)                         // no elements
        sub     sp, sp, #FRAME
L(group):
        cmp     r1, #LANES
        movlo   r5, r1
        movhs   r5, #LANES
        sub     r5, r5, #1                      // the group's last query
        mov     r6, #0
        mov     r7, #0
L(copy):
        cmp     r6, r5
        movls   r4, r6
        movhi   r4, r5
        ldr     r4, [r0, r4, lsl #2]            // values[min(lane, queries - 1)]
        add     r8, sp, r6, lsl #3
        str     r4, [r8]
        str     r7, [r8, #4]                    // and k = 0: the root
        add     r6, r6, #1
        cmp     r6, #LANES
        blo     L(copy)
        add     r4, r2, #TREE_FIRST_NODE
        ldr     r5, [r2, #TREE_LEVELS]
        add     r5, r4, r5, lsl #2
        str     r5, [sp, #END]                  // past the last level's
        cmp     r4, r5
        beq     L(leaves)
L(level):
        ldr     r6, [r2, #TREE_NODES]
        ldr     r12, [r4], #4
        add     r12, r6, r12, lsl #6            // this level's first node
        ldr     lr, [r2, #TREE_NUMBERS]         // below the last level, the leaf blocks
        ldr     r7, [r2, #TREE_TAIL_BLOCK]      // and the tail
        cmp     r4, r5
        ldrne   lr, [r4]
        addne   lr, r6, lr, lsl #6              // else the next level's first node
        mvnne   r7, #0                          // and no tail
        str     r7, [sp, #NEXT_TAIL]
        str     r4, [sp, #POSITION]
        mov     r8, sp
        hot_loop
L(lane):
        ldr     r9, [r8]                        // value
        ldr     r10, [r8, #4]
        add     r11, r12, r10, lsl #6           // node k of this level
        add     r10, r10, r10, lsl #4
        add_keys_below r11, r9, r10             // k = 17 k + keys below value
        str     r10, [r8, #4]
        add     r11, lr, r10, lsl #6
        ldr     r4, [sp, #NEXT_TAIL]
        cmp     r10, r4
        ldreq   r11, [r2, #TREE_TAIL]           // the next node, or the tail
        pld     [r11]
        pld     [r11, #60]                      // a leaf block may straddle two lines
        add     r8, r8, #LANE
        add     r4, sp, #LANES * LANE
        cmp     r8, r4
        blo     L(lane)
        ldr     r4, [sp, #POSITION]
        ldr     r5, [sp, #END]
        cmp     r4, r5
        bne     L(level)
L(leaves):
        ldr     r12, [r2, #TREE_NUMBERS]
        ldr     lr, [r2, #TREE_COUNT]
        sub     lr, lr, #1                      // count - 1
        cmp     r1, #LANES
        movlo   r4, r1
        movhs   r4, #LANES                      // the group's queries
        add     r4, sp, r4, lsl #3
        str     r4, [sp, #END]                  // past its last lane
        mov     r8, sp
L(leaf):
        ldr     r9, [r8]
        ldr     r10, [r8, #4]
        ldr     r4, [r2, #TREE_TAIL_BLOCK]
        add     r11, r12, r10, lsl #6
        cmp     r10, r4
        ldreq   r11, [r2, #TREE_TAIL]           // leaf block k, or the tail
        lsl     r10, r10, #4
        add_keys_below r11, r9, r10             // p = 16 k + elements below value
        cmp     r10, lr
        movlo   r4, r10
        movhs   r4, lr                          // p, or count - 1 where p is count
        ldr     r4, [r12, r4, lsl #2]
        cmp     r4, r9
        mvnne   r10, #0                         // result = numbers[p] == value ? p : -1
        str     r10, [r3], #4
        add     r8, r8, #LANE
        ldr     r4, [sp, #END]
        cmp     r8, r4
        blo     L(leaf)
        cmp     r1, #LANES
        movlo   r4, r1
        movhs   r4, #LANES
        add     r0, r0, r4, lsl #2
        subs    r1, r1, r4
        bne     L(group)
        add     sp, sp, #FRAME
L(done):
        pop     {r4-r11, pc}
L(none):
        mvn     r5, #0
L(fill):
        str     r5, [r3], #4
        subs    r1, r1, #1
        bne     L(fill)
        pop     {r4-r11, pc}
endfunc
