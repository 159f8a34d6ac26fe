#include "../asm.S"
#include "arm/asmTreeNodes.S"

// int asmTreeSearch(int value, const SearchTree* tree)
function asmTreeSearch
        push    {r4-r8, lr}                     // r4 to r7 hold four keys at a time
        ldr     r2, [r1, #TREE_COUNT]
        cmp     r2, #1
        blt     L(none)                         // no elements
        ldr     r8, [r1, #TREE_NODES]
        ldr     r3, [r1, #TREE_LEVELS]
        add     r12, r1, #TREE_FIRST_NODE
        mov     r2, #0                          // k = 0: the root
        cmp     r3, #0
        beq     L(leaf)
L(level):
        ldr     lr, [r12], #4
        add     lr, lr, r2
        add     lr, r8, lr, lsl #6              // node k of this level
        add     r2, r2, r2, lsl #4
        add_keys_below lr, r0, r2               // k = 17 k + keys below value
        subs    r3, r3, #1
        bne     L(level)
L(leaf):
        ldr     r8, [r1, #TREE_NUMBERS]
        ldr     r12, [r1, #TREE_COUNT]
        sub     r12, r12, #1                    // count - 1
        answer_from_leaf r2, r0, r1, r8, r12, lr, r3
        mov     r0, r2
        pop     {r4-r8, pc}
L(none):
        mvn     r0, #0
        pop     {r4-r8, pc}
endfunc
