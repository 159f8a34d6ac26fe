#include "../asm.S"
#include "aarch64/branchFree.S"

// int asmBranchlessSearch(int value, const int numbers[], int count)
function asmBranchlessSearch
        cmp     w2, #1
        b.lt    L(none)                         // no elements
        mov     w3, w2                          // len = count
        sub     x4, x1, #4                      // base = numbers - 1
        halve_to_the_end
        ret
L(none):
        mov     w0, #-1
        ret
endfunc
