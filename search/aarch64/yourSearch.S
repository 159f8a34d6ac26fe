// Your copy of asmBinarySearch for this instruction set (see ../yourSearch.S).
#include "../asm.S"

// int yourSearch(int value, const int numbers[], int count)
//
// The frame record {x29, x30} lets a debugger or a profiler that follows frame
// pointers walk through the routine. base lives in x19, which the routine
// must save and restore.
function yourSearch
        SIGN_LR
        stp     x29, x30, [sp, #-32]!
        mov     x29, sp
        str     x19, [sp, #16]                  // w19 is base
        mov     w3, w0                          // value: w0 now holds the result
        mov     w0, #-1                         // result = -1
        cmp     w2, #1
        b.lt    L(exit)                         // no elements
        clz     w4, w2
        mov     w5, #0x80000000
        lsr     w5, w5, w4                      // step = highest power of two <= count
        mov     w19, #-1                        // base = -1
        sub     w6, w5, #1                      // probe = step - 1
        ldr     w7, [x1, w6, uxtw #2]
        cmp     w7, w3
        b.gt    L(next)
        b.eq    L(found)
        sub     w19, w2, w5                     // the rest lies in the last step - 1 elements:
        b       L(next)                         // base = count - step
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
L(right):
        add     w19, w19, w5                    // base += step
L(next):
        lsr     w5, w5, #1                      // step /= 2
        cbz     w5, L(exit)
        add     w6, w19, w5                     // probe = base + step
        ldr     w7, [x1, w6, uxtw #2]           // numbers[probe]
        cmp     w7, w3
        b.lt    L(right)
        b.gt    L(next)
L(found):
        mov     w0, w6                          // result = probe
L(exit):
        ldr     x19, [sp, #16]
        ldp     x29, x30, [sp], #32
        CHECK_LR
        ret
endfunc
