// Changes sum, a, b, c and d: what asmTreeSearch and asmTreeBatchSearch do
// at every node and leaf block. Adds to sum the number of its sixteen keys
// below value, without a branch. Each four are summed apart, so that the
// chain through sum is four adds long, not sixteen.
.macro add_keys_below node, value, sum, a, b, c, d
        .irp    four, 0, 16, 32, 48
        lw      \a, \four(\node)
        lw      \b, \four+4(\node)
        lw      \c, \four+8(\node)
        lw      \d, \four+12(\node)
        slt     \a, \a, \value                  // node[key] < value
        slt     \b, \b, \value
        slt     \c, \c, \value
        slt     \d, \d, \value
        add     \a, \a, \b
        add     \c, \c, \d
        add     \a, \a, \c
        add     \sum, \sum, \a
        .endr
.endm

// Changes result, k, block, a, b, c and d: the last step of both, below the
// last level. From k, the elements of leaf block k below value give p = 16 k
// + that many, which goes into k; result = p where numbers[p] == value, else
// -1. numbers and tail_block are the tree's, last its count - 1.
.macro answer_from_leaf result, k, value, tree, numbers, tail_block, last, block, a, b, c, d
        slli    \block, \k, 6
        add     \block, \numbers, \block
        bne     \k, \tail_block, L(block\@)
        ld      \block, TREE_TAIL(\tree)        // leaf block k, or the tail
L(block\@):
        slli    \k, \k, 4
        add_keys_below \block, \value, \k, \a, \b, \c, \d // p = 16 k + elements below value
        mv      \block, \k
        bleu    \k, \last, L(probe\@)
        mv      \block, \last                   // p, or count - 1 where p is count
L(probe\@):
        slli    \block, \block, 2
        add     \block, \numbers, \block
        lw      \block, 0(\block)
        xor     \block, \block, \value
        snez    \block, \block
        neg     \block, \block                  // mask = numbers[p] == value ? 0 : ~0
        or      \result, \k, \block             // result = numbers[p] == value ? p : -1
.endm
