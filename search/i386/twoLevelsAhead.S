// What asmPrefetchingSearch and asmBranchingSearch share: one level's len
// -= half, and while this level's probe is on its way, the four places where
// the probe two levels down may land asked for.
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
