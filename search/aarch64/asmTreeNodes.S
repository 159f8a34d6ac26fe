// What asmTreeSearch and asmTreeBatchSearch do at every node and leaf block:
// adds to sum the number of its sixteen keys below the value, which is in
// every lane of the vector value. Each compare leaves -1 in the lanes whose
// key is below it, so the sum across all the lanes is minus that number: no
// mask to move out. Changes v0 to v3 and scratch.
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
