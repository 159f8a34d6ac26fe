// What asmBatchSearch and asmTreeBatchSearch share: the four registers they
// keep, under a frame for the lanes of a group, the group's values copied
// into its lanes, and the answer to every query of an empty array.
#define LANES           16                      // searches a group
.macro enter_batch frame
        push    ebp
        push    ebx
        push    esi
        push    edi
        sub     esp, \frame
.endm

.macro leave_batch frame
        add     esp, \frame
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
.endm

// Changes eax, ebx and ecx: stores the group's size, min(LANES, queries), at
// group, and copies its values into the lanes, values[min(lane, group - 1)]
// into value_at with eax the lane, so that the lanes past the last query
// repeat it; state goes into state_at.
.macro copy_group copy, values, queries, group, value_at, state_at, state
        mov     ecx, LANES
        cmp     \queries, ecx
        cmovb   ecx, \queries
        mov     \group, ecx
        dec     ecx                             // the group's last query
        xor     eax, eax
\copy:
        mov     ebx, eax
        cmp     ebx, ecx
        cmova   ebx, ecx
        mov     ebx, [\values + ebx*4]          // values[min(lane, group - 1)]
        mov     \value_at, ebx
        mov     \state_at, \state
        inc     eax
        cmp     eax, LANES
        jb      \copy
.endm

// Changes eax, ecx and edi: results[i] = -1 for each of the queries.
.macro answer_none results, queries
        mov     edi, \results
        mov     ecx, \queries
        mov     eax, -1
        rep stosd
.endm
