#include "../asm.S"
#include "riscv64/asmTreeNodes.S"
#include "riscv64/batchGroups.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// asks for its next node as soon as it knows it (prefetch.r, as in
// asmPrefetchingSearch), so that the line is there by the time the group
// comes round again. Each lane's value and k live on the stack, side by
// side; s0 and s1 walk the tree's firstNode.
#define LANE            8                       // a lane: value, then k
#define SAVED           (LANES * LANE)          // s0 and s1
#define FRAME           (SAVED + 16)

// Changes t0 to t6 and a4: one level for every lane of the group, k = 17 k +
// keys below value, and the node that k then names asked for. This level
// starts at a5. Above the last level the node is one line of the level at
// a6; below it (leaves = 1), leaf block k from numbers at a6, or the tail
// where k is a7, which may straddle two lines.
.macro descend_lanes lane, leaves
        mv      t0, sp
        j       \lane
        hot_loop
\lane:
        lw      t1, 0(t0)                       // value
        lwu     t2, 4(t0)
        slli    t3, t2, 6
        add     t3, a5, t3                      // node k of this level
        slli    t4, t2, 4
        add     t2, t2, t4
        add_keys_below t3, t1, t2, t4, t5, t6, a4 // k = 17 k + keys below value
        sw      t2, 4(t0)
        slli    t3, t2, 6
        add     t3, a6, t3                      // node k below
.if \leaves
        bne     t2, a7, \lane\()Prefetch
        ld      t3, TREE_TAIL(a2)               // leaf block k, or the tail
\lane\()Prefetch:
        ori     zero, t3, 1                     // prefetch.r 0(t3)
        addi    t3, t3, 60
        ori     zero, t3, 1
.else
        ori     zero, t3, 1                     // prefetch.r 0(t3)
.endif
        addi    t0, t0, LANE
        addi    t4, sp, LANES * LANE
        bltu    t0, t4, \lane
.endm

function asmTreeBatchSearch
        blez    a1, L(done)                     // no queries
        lw      t0, TREE_COUNT(a2)
        blez    t0, L(none)                     // no elements
        addi    sp, sp, -FRAME
        sd      s0, SAVED(sp)
        sd      s1, SAVED+8(sp)
L(group):
        addi    t1, a1, -1                      // the group's last query
        li      t0, 0
L(copy):
        load_lane_value t2, t0, t1
        slli    t3, t0, 3
        add     t3, sp, t3
        sw      t2, 0(t3)
        sw      zero, 4(t3)                     // and k = 0: the root
        addi    t0, t0, 1
        li      t4, LANES
        bltu    t0, t4, L(copy)
        lw      t0, TREE_LEVELS(a2)
        addi    s0, a2, TREE_FIRST_NODE
        slli    t0, t0, 2
        add     s1, s0, t0                      // past the last level's
        beq     s0, s1, L(leaves)
L(level):
        ld      t1, TREE_NODES(a2)
        lw      a5, 0(s0)
        slli    a5, a5, 6
        add     a5, t1, a5                      // this level's first node
        addi    s0, s0, 4
        beq     s0, s1, L(lastLevel)
        lw      a6, 0(s0)
        slli    a6, a6, 6
        add     a6, t1, a6                      // the next level's
        descend_lanes L(node), 0
        j       L(level)
L(lastLevel):
        ld      a6, TREE_NUMBERS(a2)            // below it, the leaf blocks
        lw      a7, TREE_TAIL_BLOCK(a2)
        descend_lanes L(block), 1
L(leaves):
        ld      a5, TREE_NUMBERS(a2)
        lw      a6, TREE_TAIL_BLOCK(a2)
        lw      a7, TREE_COUNT(a2)
        addi    a7, a7, -1                      // count - 1
        li      t1, LANES
        mv      s0, a1
        bleu    s0, t1, L(groupSize)
        mv      s0, t1                          // the group's queries
L(groupSize):
        slli    s1, s0, 3
        add     s1, sp, s1                      // past its last lane
        mv      t0, sp
L(leaf):
        lw      t1, 0(t0)
        lwu     t2, 4(t0)
        answer_from_leaf t2, t2, t1, a2, a5, a6, a7, t3, t4, t5, t6, a4
        sw      t2, 0(a3)
        addi    a3, a3, 4
        addi    t0, t0, LANE
        bltu    t0, s1, L(leaf)
        slli    t1, s0, 2
        add     a0, a0, t1
        sub     a1, a1, s0
        bnez    a1, L(group)
        ld      s0, SAVED(sp)
        ld      s1, SAVED+8(sp)
        addi    sp, sp, FRAME
L(done):
        ret
        answer_none L(none), a3
endfunc
