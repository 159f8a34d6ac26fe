#include "../asm.S"
#include "aarch64/halvingEntry.S"
#include "aarch64/twoLevelsAhead.S"

// int asmBranchingSearch(int value, const int numbers[], int count)
function asmBranchingSearch
        enter_halving L(none)
        enter_off_middle L(next), L(first)
        hot_loop
// The probe two levels down is base[h2], base[h1 + h2], base[half + h2] or
// base[half + h1 + h2], where h1 and h2 are the halves of those levels.
L(farRight):
        add     x4, x4, x5, lsl #2              // base += half
        cmp     w3, #NEAR_END
        b.ls    L(next)
L(far):
        lsr     w5, w3, #1                      // half = len / 2
L(first):
        prefetch_two_levels_ahead
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        b.lt    L(farRight)                     // base[half] < value?
        cmp     w3, #NEAR_END
        b.hi    L(far)
        b       L(next)
        hot_loop
// Each probe takes one branch whichever way it goes: to L(right), which falls
// into the next probe, or back to L(next).
L(right):
        add     x4, x4, x5, lsl #2              // base += half
L(next):
        cmp     w3, #1
        b.ls    L(last)
        lsr     w5, w3, #1                      // half = len / 2
        sub     w3, w3, w5                      // len -= half
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        b.lt    L(right)                        // base[half] < value?
        b       L(next)
L(last):
        ldr     w7, [x4, #4]                    // base[1] is the only candidate left
        cmp     w7, w0
        b.ne    L(none)
        sub     x5, x4, x1
        add     x5, x5, #4
        lsr     x0, x5, #2                      // its subscript: base + 1 - numbers
        ret
L(none):
        mov     w0, #-1
        ret
endfunc
