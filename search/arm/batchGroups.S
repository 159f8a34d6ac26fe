// What asmBatchSearch and asmTreeBatchSearch share: groups of LANES
// searches, on values (r0) and queries (r1), with a frame below sp for the
// lanes of a group, and r4 to r11 and lr saved above it.
#define LANES           16                      // searches a group

// Sets reg to the size of this group, min(LANES, queries).
.macro group_size reg
        cmp     r1, #LANES
        movlo   \reg, r1
        movhs   \reg, #LANES
.endm

// Changes r0 and r1: after a group of size group, moves values on past it,
// and goes to the next group, if any.
.macro next_group group, label
        add     r0, r0, \group, lsl #2
        subs    r1, r1, \group
        bne     \label
.endm

// Changes r1, r5 and results: frees the frame and returns; returns there from
// done too. At none, sets results[i] = -1 for every query, and returns.
.macro leave_batch frame, results, done, none
        add     sp, sp, #\frame
\done:
        pop     {r4-r11, pc}
\none:
        mvn     r5, #0
\none\()Fill:
        str     r5, [\results], #4
        subs    r1, r1, #1
        bne     \none\()Fill
        pop     {r4-r11, pc}
.endm
