// What asmBatchSearch and asmTreeBatchSearch share: groups of LANES
// searches, on values (x0) and queries (w1), with a frame below sp for the
// lanes of a group.
#define LANES           16                      // searches a group

// Changes x0 and w1: after a group of size group, moves values on past it,
// and goes to the next group, if any.
.macro next_group group, label
        add     x0, x0, \group, uxtw #2
        subs    w1, w1, \group
        b.ne    \label
.endm

// Changes w1, w5 and results: frees the frame and returns; returns there from
// done too. At none, sets results[i] = -1 for every query, and returns.
.macro leave_batch frame, results, done, none
        add     sp, sp, #\frame
\done:
        ret
\none:
        mov     w5, #-1
\none\()Fill:
        str     w5, [\results], #4
        subs    w1, w1, #1
        b.ne    \none\()Fill
        ret
.endm
