// Changes node, sum and r4 to r7: what asmTreeSearch and asmTreeBatchSearch
// do at every node and leaf block. Adds to sum the number of its sixteen keys
// below value, four keys loaded at a time, each compare followed by a
// conditional add, and moves node past the keys.
.macro add_keys_below node, value, sum
        .rept   4
        ldm     \node!, {r4-r7}
        cmp     r4, \value
        addlt   \sum, \sum, #1                  // sum += key < value
        cmp     r5, \value
        addlt   \sum, \sum, #1
        cmp     r6, \value
        addlt   \sum, \sum, #1
        cmp     r7, \value
        addlt   \sum, \sum, #1
        .endr
.endm

// Changes k, block, scratch and r4 to r7: the last step of both, below the
// last level. From k, the elements of leaf block k below value give p = 16 k
// + that many; k = p where numbers[p] == value, else -1. numbers is the
// tree's, last its count - 1.
.macro answer_from_leaf k, value, tree, numbers, last, block, scratch
        ldr     \scratch, [\tree, #TREE_TAIL_BLOCK]
        add     \block, \numbers, \k, lsl #6
        cmp     \k, \scratch
        ldreq   \block, [\tree, #TREE_TAIL]     // leaf block k, or the tail
        lsl     \k, \k, #4
        add_keys_below \block, \value, \k       // p = 16 k + elements below value
        cmp     \k, \last
        movlo   \scratch, \k
        movhs   \scratch, \last                 // p, or count - 1 where p is count
        ldr     \scratch, [\numbers, \scratch, lsl #2]
        cmp     \scratch, \value
        mvnne   \k, #0                          // k = numbers[p] == value ? p : -1
.endm
