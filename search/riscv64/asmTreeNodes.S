// What asmTreeSearch and asmTreeBatchSearch do at every node and leaf block:
// adds to sum the number of its sixteen keys below value, without a branch.
// Each four are summed apart, so that the chain through sum is four adds
// long, not sixteen. Changes a, b, c and d.
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
