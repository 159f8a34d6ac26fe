#include "../asm.S"
#include "riscv64/asmTreeNodes.S"

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// asks for its next node as soon as it knows it (prefetch.r, as in
// asmPrefetchingSearch), so that the line is there by the time the group
// comes round again. Each lane's value and k live on the stack, side by
// side; s0 and s1 walk the tree's firstNode.
#define LANES           16
#define LANE            8                       // a lane: value, then k
#define SAVED           (LANES * LANE)          // s0 and s1
#define FRAME           (SAVED + 16)

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
        mv      t2, t0
        bleu    t2, t1, 1f
        mv      t2, t1
1:      slli    t2, t2, 2
        add     t2, a0, t2
        lw      t2, 0(t2)                       // values[min(lane, queries - 1)]
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
        ld      a6, TREE_NUMBERS(a2)            // below the last level, the leaf blocks
        lw      a7, TREE_TAIL_BLOCK(a2)         // and the tail
        beq     s0, s1, L(lanes)
        lw      a6, 0(s0)
        slli    a6, a6, 6
        add     a6, t1, a6                      // else the next level's first node
        li      a7, -1                          // and no tail
L(lanes):
        mv      t0, sp
        hot_loop
L(lane):
        lw      t1, 0(t0)                       // value
        lwu     t2, 4(t0)
        slli    t3, t2, 6
        add     t3, a5, t3                      // node k of this level
        slli    t4, t2, 4
        add     t2, t2, t4
        add_keys_below t3, t1, t2, t4, t5, t6, a4 // k = 17 k + keys below value
        sw      t2, 4(t0)
        slli    t3, t2, 6
        add     t3, a6, t3
        bne     t2, a7, 2f
        ld      t3, TREE_TAIL(a2)               // the next node, or the tail
2:      ori     zero, t3, 1                     // prefetch.r 0(t3)
        addi    t3, t3, 60
        ori     zero, t3, 1                     // a leaf block may straddle two lines
        addi    t0, t0, LANE
        addi    t4, sp, LANES * LANE
        bltu    t0, t4, L(lane)
        bne     s0, s1, L(level)
L(leaves):
        ld      a5, TREE_NUMBERS(a2)
        lw      a6, TREE_TAIL_BLOCK(a2)
        lw      a7, TREE_COUNT(a2)
        addi    a7, a7, -1                      // count - 1
        li      t1, LANES
        mv      s0, a1
        bleu    s0, t1, 3f
        mv      s0, t1                          // the group's queries
3:      slli    s1, s0, 3
        add     s1, sp, s1                      // past its last lane
        mv      t0, sp
L(leaf):
        lw      t1, 0(t0)
        lwu     t2, 4(t0)
        slli    t3, t2, 6
        add     t3, a5, t3
        bne     t2, a6, 4f
        ld      t3, TREE_TAIL(a2)               // leaf block k, or the tail
4:      slli    t2, t2, 4
        add_keys_below t3, t1, t2, t4, t5, t6, a4 // p = 16 k + elements below value
        mv      t3, t2
        bleu    t2, a7, 5f
        mv      t3, a7                          // p, or count - 1 where p is count
5:      slli    t3, t3, 2
        add     t3, a5, t3
        lw      t3, 0(t3)
        xor     t3, t3, t1
        snez    t3, t3
        neg     t3, t3                          // mask = numbers[p] == value ? 0 : ~0
        or      t2, t2, t3                      // result = numbers[p] == value ? p : -1
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
L(none):
        li      t0, -1
L(fill):
        sw      t0, 0(a3)
        addi    a3, a3, 4
        addi    a1, a1, -1
        bnez    a1, L(fill)
        ret
endfunc
