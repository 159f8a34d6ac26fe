// What asmPrefetchingSearch and asmBranchingSearch share: the first probe of
// a large array, off the middle, and the prefetch two levels ahead.

// Changes r11 (the first half, in a large array): enters the halving of r9d
// (len, at first count) at near in an array of fewer than LARGE_ARRAY
// elements, and otherwise at first, the first half short of the middle by
// OFF_MIDDLE (firstProbe.h).
.macro first_probe near, first
        cmp     r9d, LARGE_ARRAY
        jb      \near
        mov     r11d, r9d
        shr     r11d, 1
        sub     r11d, OFF_MIDDLE                // the first half, short of the middle
        jmp     \first
.endm

// Changes r9 (len -= half), rax and r8: one level's len -= half, and while
// this level's probe is on its way, the four places where the probe two
// levels down may land asked for. base is r10, half r11d.
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
