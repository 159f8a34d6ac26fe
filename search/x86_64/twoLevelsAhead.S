// What asmPrefetchingSearch and asmBranchingSearch share: one level's len
// -= half, and while this level's probe is on its way, the four places where
// the probe two levels down may land asked for.
.macro prefetch_two_levels_ahead
        sub     r9d, r11d                       // len -= half
        mov     r8d, r9d
        shr     r8d, 1                          // h1 = len / 2
        mov     eax, r9d
        sub     eax, r8d
        shr     eax, 1                          // h2 = (len - h1) / 2
        lea     rax, [r10 + rax*4]              // base + h2
        prefetcht0 [rax]
        prefetcht0 [rax + r8*4]
        prefetcht0 [rax + r11*4]
        lea     rax, [rax + r11*4]
        prefetcht0 [rax + r8*4]
.endm
