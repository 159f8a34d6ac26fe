#include "../asm.S"

// int asmBinarySearch(int value, const int numbers[], int count)
function asmBinarySearch
        stp     x29, x30, [sp, #-32]!
        mov     x29, sp
        str     x19, [sp, #16]                  // w19 is base
        mov     w3, w0                          // value: w0 now holds the result
        mov     w0, #-1                         // result = -1
        cmp     w2, #1
        b.lt    .Lexit                          // no elements
        clz     w4, w2
        mov     w5, #0x80000000
        lsr     w5, w5, w4                      // step = highest power of two <= count
        mov     w19, #-1                        // base = -1
        sub     w6, w5, #1                      // probe = step - 1
        ldr     w7, [x1, w6, uxtw #2]
        cmp     w7, w3
        b.gt    .Lnext
        b.eq    .Lfound
        sub     w19, w2, w5                     // the rest lies in the last step - 1 elements:
        b       .Lnext                          // base = count - step
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
.Lright:
        add     w19, w19, w5                    // base += step
.Lnext:
        lsr     w5, w5, #1                      // step /= 2
        cbz     w5, .Lexit
        add     w6, w19, w5                     // probe = base + step
        ldr     w7, [x1, w6, uxtw #2]           // numbers[probe]
        cmp     w7, w3
        b.lt    .Lright
        b.gt    .Lnext
.Lfound:
        mov     w0, w6                          // result = probe
.Lexit:
        ldr     x19, [sp, #16]
        ldp     x29, x30, [sp], #32
        ret
endfunc
