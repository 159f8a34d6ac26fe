#include "../asm.S"
#include "aarch64/asmTreeNodes.S"
#include "aarch64/batchGroups.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it, so that the line is there
// by the time the group comes round again. Each lane's value and k live on
// the stack, side by side.
#define LANE            8                       // a lane: value, then k
#define FRAME           (LANES * LANE)

// Changes x14 to x16, v0 to v3 and v16: one level for every lane of the
// group, k = 17 k + keys below value, and the node that k then names asked
// for. This level starts at x12. Above the last level the node is one line
// of the level at x13; below it (leaves = 1), leaf block k or the tail,
// which may straddle two lines.
.macro descend_lanes lane, leaves
        mov     x14, sp
        b       \lane
        hot_loop
\lane:
        ld1r    {v16.4s}, [x14]                 // the value in every lane
        ldr     w15, [x14, #4]
        add     x16, x12, x15, lsl #6           // node k of this level
        add     w15, w15, w15, lsl #4
        add_keys_below x16, v16, w15, w16       // k = 17 k + keys below value
        str     w15, [x14, #4]
.if \leaves
        add     x16, x6, x15, lsl #6
        cmp     w15, w8
        csel    x16, x7, x16, eq                // leaf block k, or the tail
        prfm    pldl1keep, [x16]
        prfum   pldl1keep, [x16, #60]
.else
        add     x16, x13, x15, lsl #6           // node k of the next level
        prfm    pldl1keep, [x16]
.endif
        add     x14, x14, #LANE
        add     x16, sp, #FRAME
        cmp     x14, x16
        b.lo    \lane
.endm

function asmTreeBatchSearch
        cmp     w1, #1
        b.lt    L(done)                         // no queries
        ldr     w4, [x2, #TREE_COUNT]
        cmp     w4, #1
        b.lt    L(none)                         // no elements
        sub     sp, sp, #FRAME
        sub     w4, w4, #1                      // count - 1
        ldr     x5, [x2, #TREE_NODES]
        ldr     x6, [x2, #TREE_NUMBERS]
        ldr     x7, [x2, #TREE_TAIL]
        ldr     w8, [x2, #TREE_TAIL_BLOCK]
L(group):
        mov     w9, #LANES
        cmp     w1, w9
        csel    w9, w1, w9, lo                  // the group's queries
        sub     w10, w9, #1
        mov     w11, #0
L(copy):
        cmp     w11, w10
        csel    w12, w11, w10, ls
        ldr     w12, [x0, w12, uxtw #2]         // values[min(lane, queries - 1)]
        add     x13, sp, w11, uxtw #3
        stp     w12, wzr, [x13]                 // and k = 0: the root
        add     w11, w11, #1
        cmp     w11, #LANES
        b.lo    L(copy)
        ldr     w10, [x2, #TREE_LEVELS]
        add     x11, x2, #TREE_FIRST_NODE
        cbz     w10, L(leaves)
L(level):
        ldr     w12, [x11], #4
        add     x12, x5, x12, lsl #6            // this level's first node
        subs    w10, w10, #1
        b.eq    L(lastLevel)
        ldr     w13, [x11]
        add     x13, x5, x13, lsl #6            // the next level's
        descend_lanes L(node), 0
        b       L(level)
L(lastLevel):
        descend_lanes L(block), 1
L(leaves):
        mov     x14, sp
        add     x17, sp, w9, uxtw #3            // the group's last lane, and one
L(leaf):
        ld1r    {v16.4s}, [x14]
        ldr     w15, [x14, #4]
        ldr     w13, [x14]
        answer_from_leaf w15, 15, w13, v16, x6, x7, w8, w4, 16, 16
        str     w15, [x3], #4
        add     x14, x14, #LANE
        cmp     x14, x17
        b.lo    L(leaf)
        next_group w9, L(group)
        leave_batch FRAME, x3, L(done), L(none)
endfunc
