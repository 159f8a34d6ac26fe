// Changes ebx: what asmPrefetchingSearch and asmBranchingSearch share at
// their entry. An array of fewer than LARGE_ARRAY elements, len (ecx), goes
// on at small; a larger one at first, with half (ebx) short of the middle.
.macro enter_off_middle small, first
        cmp     ecx, LARGE_ARRAY
        jb      \small
        mov     ebx, ecx
        shr     ebx, 1
        sub     ebx, OFF_MIDDLE                 // the first half, short of the middle
        jmp     \first
.endm

// Changes ecx, eax, edi and ebp: one level's len (ecx) -= half (ebx), and
// while this level's probe is on its way, the four places where the probe
// two levels down may land asked for, from base (edx).
.macro prefetch_two_levels_ahead
        sub     ecx, ebx                        // len -= half
        mov     edi, ecx
        shr     edi, 1                          // h1 = len / 2
        mov     eax, ecx
        sub     eax, edi
        shr     eax, 1                          // h2 = (len - h1) / 2
        lea     eax, [edx + eax*4]              // base + h2
        lea     ebp, [eax + ebx*4]              // base + half + h2
        prefetcht0 [eax]
        prefetcht0 [eax + edi*4]
        prefetcht0 [ebp]
        prefetcht0 [ebp + edi*4]
.endm
