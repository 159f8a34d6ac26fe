#include "../../search/asm.S"

// Entries: x19 to x29 (0 to 10), d8 to d15, the lower halves of v8 to v15
// (11 to 18), sp (19).
#define SAVED           x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, d8, d9, d10, d11, d12, d13, d14, d15
#define WATCHED         x19, x20, x21, x22, x23, x24, x25, x26, x27, x28, x29, d8, d9, d10, d11, d12, d13, d14, d15

// int checkedCall(int value, const int numbers[], int count, SearchFunction search,
//                 std::uint64_t canaries[], std::uint64_t found[])
function checkedCall
        stp     x29, x30, [sp, #-176]!
        mov     x29, sp
        transfer str, sp, 2, SAVED, x5
        mov     x9, sp
        str     x9, [x4, #8 * 19]               // the stack pointer as it must come back
        ldr     x9, [x4]                        // garbage in the int arguments' upper
        orr     x0, x0, x9, lsl #32             // halves, which are undefined
        orr     x2, x2, x9, lsl #32
        transfer ldr, x4, 0, WATCHED
        blr     x3
        ldr     x5, [sp, #160]
        transfer str, x5, 0, WATCHED
        mov     x9, sp
        str     x9, [x5, #8 * 19]
        transfer ldr, sp, 2, SAVED
        ldp     x29, x30, [sp], #176
        ret
endfunc

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     w19, w19                        // x19's upper half cleared
        mov     w0, #-1
        ret
endfunc
