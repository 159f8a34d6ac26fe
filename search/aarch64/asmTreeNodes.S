// Changes v0 to v3, sum and scratch: what asmTreeSearch and
// asmTreeBatchSearch do at every node and leaf block. Adds to sum the number
// of its sixteen keys below the value, which is in every lane of the vector
// value. Each compare leaves -1 in the lanes whose key is below it, so the
// sum across all the lanes is minus that number: no mask to move out.
.macro add_keys_below node, value, sum, scratch
        ld1     {v0.4s, v1.4s, v2.4s, v3.4s}, [\node]
        cmgt    v0.4s, \value\().4s, v0.4s      // key < value: -1, else 0
        cmgt    v1.4s, \value\().4s, v1.4s
        cmgt    v2.4s, \value\().4s, v2.4s
        cmgt    v3.4s, \value\().4s, v3.4s
        add     v0.4s, v0.4s, v1.4s
        add     v2.4s, v2.4s, v3.4s
        add     v0.4s, v0.4s, v2.4s
        addv    s0, v0.4s                       // minus the keys below value
        fmov    \scratch, s0
        sub     \sum, \sum, \scratch
.endm

// Changes result, register k, register block and register scratch (given by
// number, x and w alike), and v0 to v3: the last step of both, below the last
// level. From k, the leaf block's elements below value (in every lane of
// vector) give p = 16 k + that many, which goes into k; result = p where
// numbers[p] == value, else -1. The tree's fields are registers too.
.macro answer_from_leaf result, k, value, vector, numbers, tail, tail_block, last, block, scratch
        add     x\block, \numbers, x\k, lsl #6
        cmp     w\k, \tail_block
        csel    x\block, \tail, x\block, eq     // leaf block k, or the tail
        lsl     w\k, w\k, #4
        add_keys_below x\block, \vector, w\k, w\scratch // p = 16 k + elements below value
        cmp     w\k, \last
        csel    w\scratch, w\k, \last, lo       // p, or count - 1 where p is count
        ldr     w\scratch, [\numbers, w\scratch, uxtw #2]
        cmp     w\scratch, \value
        csinv   \result, w\k, wzr, eq           // result = numbers[p] == value ? p : -1
.endm
