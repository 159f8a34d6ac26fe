// Changes eax, ebx, ecx and edx: the levels that asmBranchlessSearch and
// asmPrefetchingSearch share. Halves len (ecx) until one candidate is left,
// base[1], and leaves the answer in eax. base is edx (numbers - 1 at first)
// and value esi; numbers says where the argument numbers is.
.macro halve_to_the_end numbers
        jmp     L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and a conditional move. len and half do not wait for it.
L(halve):
        mov     ebx, ecx
        shr     ebx, 1                          // half = len / 2
        sub     ecx, ebx                        // len -= half
        lea     eax, [edx + ebx*4]              // base + half
        cmp     [edx + ebx*4], esi              // base[half] < value?
        cmovl   edx, eax                        // then base += half
L(next):
        cmp     ecx, 1
        ja      L(halve)
        lea     eax, [edx + 4]                  // base[1] is the only candidate left
        sub     eax, \numbers
        shr     eax, 2                          // its subscript: base + 1 - numbers
        cmp     [edx + 4], esi
        mov     ecx, -1
        cmovne  eax, ecx                        // result = equal ? subscript : -1
.endm
