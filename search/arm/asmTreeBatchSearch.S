#include "../asm.S"
#include "arm/asmTreeNodes.S"
#include "arm/batchGroups.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it, so that the line is there
// by the time the group comes round again. Each lane's value and k live on
// the stack, side by side.
#define LANE            8                       // a lane: value, then k
#define POSITION        128                     // the next level's firstNode
#define END             132                     // past the last level's, or lane's
#define FRAME           140                     // keeps sp 8-byte aligned

// Changes r4 to r11: one level for every lane of the group, k = 17 k + keys
// below value, and the node that k then names asked for. This level starts
// at r12. Above the last level the node is one line of the level at lr;
// below it (leaves = 1), leaf block k from numbers at lr or the tail, which
// may straddle two lines.
.macro descend_lanes lane, leaves
        mov     r8, sp
        b       \lane
        hot_loop
\lane:
        ldr     r9, [r8]                        // value
        ldr     r10, [r8, #4]
        add     r11, r12, r10, lsl #6           // node k of this level
        add     r10, r10, r10, lsl #4
        add_keys_below r11, r9, r10             // k = 17 k + keys below value
        str     r10, [r8, #4]
        add     r11, lr, r10, lsl #6            // node k below
.if \leaves
        ldr     r4, [r2, #TREE_TAIL_BLOCK]
        cmp     r10, r4
        ldreq   r11, [r2, #TREE_TAIL]           // leaf block k, or the tail
        pld     [r11]
        pld     [r11, #60]
.else
        pld     [r11]
.endif
        add     r8, r8, #LANE
        add     r4, sp, #LANES * LANE
        cmp     r8, r4
        blo     \lane
.endm

function asmTreeBatchSearch
        push    {r4-r11, lr}
        cmp     r1, #1
        blt     L(done)                         // no queries
        ldr     r4, [r2, #TREE_COUNT]
        cmp     r4, #1
        blt     L(none)                         // no elements
        sub     sp, sp, #FRAME
L(group):
        group_size r5
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
        cmp     r4, r5
        beq     L(lastLevel)
        ldr     lr, [r4]
        add     lr, r6, lr, lsl #6              // the next level's
        str     r4, [sp, #POSITION]
        descend_lanes L(node), 0
        ldr     r4, [sp, #POSITION]
        ldr     r5, [sp, #END]
        b       L(level)
L(lastLevel):
        ldr     lr, [r2, #TREE_NUMBERS]         // below it, the leaf blocks
        descend_lanes L(block), 1
L(leaves):
        ldr     r12, [r2, #TREE_NUMBERS]
        ldr     lr, [r2, #TREE_COUNT]
        sub     lr, lr, #1                      // count - 1
        group_size r4
        add     r4, sp, r4, lsl #3
        str     r4, [sp, #END]                  // past its last lane
        mov     r8, sp
L(leaf):
        ldr     r9, [r8]
        ldr     r10, [r8, #4]
        answer_from_leaf r10, r9, r2, r12, lr, r11, r4
        str     r10, [r3], #4
        add     r8, r8, #LANE
        ldr     r4, [sp, #END]
        cmp     r8, r4
        blo     L(leaf)
        group_size r4
        next_group r4, L(group)
        leave_batch FRAME, r3, L(done), L(none)
endfunc
