#include "../asm.S"
#include "aarch64/asmTreeNodes.S"

// int asmTreeSearch(int value, const SearchTree* tree)
function asmTreeSearch
        ldr     w2, [x1, #TREE_COUNT]
        cmp     w2, #1
        b.lt    L(none)                         // no elements
        ldr     x3, [x1, #TREE_NODES]
        ldr     w4, [x1, #TREE_LEVELS]
        add     x5, x1, #TREE_FIRST_NODE
        dup     v16.4s, w0                      // the value in every lane
        mov     w6, #0                          // k = 0: the root
        cbz     w4, L(leaf)
L(level):
        ldr     w7, [x5], #4
        add     w7, w7, w6
        add     x7, x3, x7, lsl #6              // node k of this level
        add     w6, w6, w6, lsl #4
        add_keys_below x7, v16, w6, w8          // k = 17 k + keys below value
        subs    w4, w4, #1
        b.ne    L(level)
L(leaf):
        ldr     x8, [x1, #TREE_NUMBERS]
        ldr     x9, [x1, #TREE_TAIL]
        ldr     w10, [x1, #TREE_TAIL_BLOCK]
        sub     w2, w2, #1                      // count - 1
        answer_from_leaf w0, 6, w0, v16, x8, x9, w10, w2, 7, 11
        ret
L(none):
        mov     w0, #-1
        ret
endfunc
