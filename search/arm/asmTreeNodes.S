// What asmTreeSearch and asmTreeBatchSearch do at every node and leaf block:
// adds to sum the number of its sixteen keys below value, four keys loaded
// at a time, each compare followed by a conditional add. Moves node past the
// keys; changes r4 to r7.
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
