#include "../asm.S"
#include "aarch64/asmTreeNodes.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it, so that the line is there
// by the time the group comes round again. Each lane's value and k live on
// the stack, side by side.
#define LANES           16
#define LANE            8                       // a lane: value, then k
#define FRAME           (LANES * LANE)

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
        mov     x13, x6                         // below the last level, the leaf blocks
        mov     w17, w8                         // and the tail
        subs    w10, w10, #1
        b.eq    L(lanes)
        ldr     w13, [x11]
        add     x13, x5, x13, lsl #6            // else the next level's first node
        mov     w17, #-1                        // and no tail
L(lanes):
        mov     x14, sp
        hot_loop
L(lane):
        ld1r    {v16.4s}, [x14]                 // the value in every lane
        ldr     w15, [x14, #4]
        add     x16, x12, x15, lsl #6           // node k of this level
        add     w15, w15, w15, lsl #4
        add_keys_below x16, v16, w15, w16       // k = 17 k + keys below value
        str     w15, [x14, #4]
        add     x16, x13, x15, lsl #6
        cmp     w15, w17
        csel    x16, x7, x16, eq                // the next node, or the tail
        prfm    pldl1keep, [x16]
        prfum   pldl1keep, [x16, #60]           // a leaf block may straddle two lines
        add     x14, x14, #LANE
        add     x16, sp, #FRAME
        cmp     x14, x16
        b.lo    L(lane)
        cbnz    w10, L(level)
L(leaves):
        mov     x14, sp
        add     x17, sp, w9, uxtw #3            // the group's last lane, and one
L(leaf):
        ld1r    {v16.4s}, [x14]
        ldr     w15, [x14, #4]
        add     x16, x6, x15, lsl #6
        cmp     w15, w8
        csel    x16, x7, x16, eq                // leaf block k, or the tail
        lsl     w15, w15, #4
        add_keys_below x16, v16, w15, w16       // p = 16 k + elements below value
        cmp     w15, w4
        csel    w16, w15, w4, lo                // p, or count - 1 where p is count
        ldr     w16, [x6, w16, uxtw #2]
        ldr     w13, [x14]
        cmp     w16, w13
        csinv   w15, w15, wzr, eq               // result = numbers[p] == value ? p : -1
        str     w15, [x3], #4
        add     x14, x14, #LANE
        cmp     x14, x17
        b.lo    L(leaf)
        add     x0, x0, w9, uxtw #2
        subs    w1, w1, w9
        b.ne    L(group)
        add     sp, sp, #FRAME
L(done):
        ret
L(none):
        mov     w5, #-1
L(fill):
        str     w5, [x3], #4
        subs    w1, w1, #1
        b.ne    L(fill)
        ret
endfunc
