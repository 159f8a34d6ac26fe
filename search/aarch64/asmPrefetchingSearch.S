#include "../asm.S"

// int asmPrefetchingSearch(int value, const int numbers[], int count)
function asmPrefetchingSearch
        cmp     w2, #1
        b.lt    L(none)                         // no elements
        mov     w3, w2                          // len = count
        sub     x4, x1, #4                      // base = numbers - 1
        cmp     w3, #32
        b.ls    L(near)
        hot_loop
// As in asmBranchlessSearch, the chain from one probe to the next runs only
// through base; the prefetches hang off it and nothing waits for them.
L(far):
        lsr     w5, w3, #1                      // half = len / 2
        sub     w3, w3, w5                      // len -= half
        lsr     w8, w3, #1
        lsl     w8, w8, #2                      // the next half, in bytes
        add     x6, x4, x5, lsl #2              // base + half
        prfm    pldl1keep, [x4, x8]             // the next probe if this one is not below value
        prfm    pldl1keep, [x6, x8]             // and if it is
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        csel    x4, x6, x4, lt                  // base[half] < value? base += half
        cmp     w3, #32
        b.hi    L(far)
L(near):
        cmp     w3, #1
        b.ls    L(last)
        hot_loop
L(halve):
        lsr     w5, w3, #1                      // half = len / 2
        sub     w3, w3, w5                      // len -= half
        add     x6, x4, x5, lsl #2              // base + half
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        csel    x4, x6, x4, lt                  // base[half] < value? base += half
        cmp     w3, #1
        b.hi    L(halve)
L(last):
        ldr     w7, [x4, #4]                    // base[1] is the only candidate left
        sub     x5, x4, x1
        add     x5, x5, #4
        lsr     x5, x5, #2                      // its subscript: base + 1 - numbers
        cmp     w7, w0
        csinv   w0, w5, wzr, eq                 // result = equal ? subscript : -1
        ret
L(none):
        mov     w0, #-1
        ret
endfunc
