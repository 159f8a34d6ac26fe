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
        slli    t5, t4, 6
        add     t5, t1, t5
        bne     t4, t3, 1f
        ld      t5, TREE_TAIL(a1)               // leaf block k, or the tail
1:      slli    t4, t4, 4
        add_keys_below t5, a0, t4, a2, a3, a4, a5 // p = 16 k + elements below value
        addi    t0, t0, -1
        mv      t6, t4
        bleu    t4, t0, 2f
        mv      t6, t0                          // p, or count - 1 where p is count
2:      slli    t6, t6, 2
        add     t6, t1, t6
        lw      t6, 0(t6)
        xor     t6, t6, a0
        snez    t6, t6
        neg     t6, t6                          // mask = numbers[p] == value ? 0 : ~0
        or      a0, t4, t6                      // result = numbers[p] == value ? p : -1
        ret
L(none):
        li      a0, -1
        ret
endfunc
