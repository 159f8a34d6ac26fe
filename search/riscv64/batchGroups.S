// What asmBatchSearch and asmTreeBatchSearch share: groups of LANES
// searches, on values (a0) and queries (a1).
#define LANES           16                      // searches a group

// Changes dst: dst = values[min(lane, last)], so that the lanes past the
// group's last query repeat it.
.macro load_lane_value dst, lane, last
        mv      \dst, \lane
        bleu    \dst, \last, L(lane\@)
        mv      \dst, \last
L(lane\@):
        slli    \dst, \dst, 2
        add     \dst, a0, \dst
        lw      \dst, 0(\dst)                   // values[min(lane, queries - 1)]
.endm

// Changes a1, t0 and results: sets results[i] = -1 for every query, at none,
// and returns.
.macro answer_none none, results
\none:
        li      t0, -1
\none\()Fill:
        sw      t0, 0(\results)
        addi    \results, \results, 4
        addi    a1, a1, -1
        bnez    a1, \none\()Fill
        ret
.endm
