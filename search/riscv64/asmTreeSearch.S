#include "../asm.S"
#include "riscv64/asmTreeNodes.S"

// int asmTreeSearch(int value, const SearchTree* tree)
function asmTreeSearch
        lw      t0, TREE_COUNT(a1)
        blez    t0, L(none)                     // no elements
        ld      t1, TREE_NODES(a1)
        lw      t2, TREE_LEVELS(a1)
        addi    t3, a1, TREE_FIRST_NODE
        li      t4, 0                           // k = 0: the root
        beqz    t2, L(leaf)
L(level):
        lw      t5, 0(t3)
        addi    t3, t3, 4
        add     t5, t5, t4
        slli    t5, t5, 6
        add     t5, t1, t5                      // node k of this level
        slli    t6, t4, 4
        add     t4, t4, t6
        add_keys_below t5, a0, t4, a2, a3, a4, a5 // k = 17 k + keys below value
        addi    t2, t2, -1
        bnez    t2, L(level)
L(leaf):
        ld      t1, TREE_NUMBERS(a1)
        lw      t3, TREE_TAIL_BLOCK(a1)
        addi    t0, t0, -1                      // count - 1
        answer_from_leaf a0, t4, a0, a1, t1, t3, t0, t5, a2, a3, a4, a5
        ret
L(none):
        li      a0, -1
        ret
endfunc
