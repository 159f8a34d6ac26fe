// Changes rax (left the answer), r9 to r11: the levels that
// asmBranchlessSearch and asmPrefetchingSearch share, which halve len (r9d)
// until one candidate is left, base[1] (base is r10, numbers - 1 at first).
.macro halve_to_the_end
        jmp     L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and a conditional move. len and half do not wait for it.
L(halve):
        mov     r11d, r9d
        shr     r11d, 1                         // half = len / 2
        sub     r9d, r11d                       // len -= half
        lea     rax, [r10 + r11*4]              // base + half
        cmp     [r10 + r11*4], value            // base[half] < value?
        cmovl   r10, rax                        // then base += half
L(next):
        cmp     r9d, 1
        ja      L(halve)
        lea     rax, [r10 + 4]                  // base[1] is the only candidate left
        sub     rax, numbers
        shr     rax, 2                          // its subscript: base + 1 - numbers
        cmp     [r10 + 4], value
        mov     r11d, -1
        cmovne  eax, r11d                       // result = equal ? subscript : -1
.endm
