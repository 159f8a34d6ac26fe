// Sets w3 and x4: the entry of asmBranchlessSearch, asmPrefetchingSearch and
// asmBranchingSearch. With no elements, goes to none; else sets len (w3) =
// count and base (x4) = numbers - 1.
.macro enter_halving none
        cmp     w2, #1
        b.lt    \none                           // no elements
        mov     w3, w2                          // len = count
        sub     x4, x1, #4                      // base = numbers - 1
.endm
