// Changes w0, w3 and x4 to x7: the levels that asmBranchlessSearch and
// asmPrefetchingSearch share, and their return. Halves len (w3) until one
// candidate is left, base[1], and returns the answer in w0; base is x4
// (numbers - 1 at first). At none, returns -1.
.macro halve_to_the_end none
        b       L(next)
        hot_loop
// The only chain from one probe to the next runs through base: a load, a
// compare and a conditional select. len and half do not wait for it.
L(halve):
        lsr     w5, w3, #1                      // half = len / 2
        sub     w3, w3, w5                      // len -= half
        add     x6, x4, x5, lsl #2              // base + half
        ldr     w7, [x4, x5, lsl #2]            // base[half]
        cmp     w7, w0
        csel    x4, x6, x4, lt                  // base[half] < value? base += half
L(next):
        cmp     w3, #1
        b.hi    L(halve)
        ldr     w7, [x4, #4]                    // base[1] is the only candidate left
        sub     x5, x4, x1
        add     x5, x5, #4
        lsr     x5, x5, #2                      // its subscript: base + 1 - numbers
        cmp     w7, w0
        csinv   w0, w5, wzr, eq                 // result = equal ? subscript : -1
        ret
\none:
        mov     w0, #-1
        ret
.endm
