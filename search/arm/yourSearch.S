// Your copy of asmBinarySearch for this instruction set (see ../yourSearch.S).
#include "../asm.S"

// int yourSearch(int value, const int numbers[], int count)
//
// ARM state. With only r0 to r3, r12 and lr free to use, r4 holds
// &numbers[base] rather than base. The frame record {r11, lr} lets a debugger
// or a profiler that follows frame pointers walk through the routine.
function yourSearch
        push    {r4, r11, lr}                   // r4 is &numbers[base]
        add     r11, sp, #4                     // r11 points at the frame record {r11, lr}
        mov     r3, r0                          // value: r0 now holds the result
        mvn     r0, #0                          // result = -1
        cmp     r2, #1
        blt     L(exit)                         // no elements
        clz     r12, r2
        mov     lr, #0x80000000
        lsr     r12, lr, r12                    // step = highest power of two <= count
        sub     r4, r1, #4                      // base = -1
        ldr     lr, [r4, r12, lsl #2]           // numbers[step - 1]
        cmp     lr, r3
        bgt     L(next)
        beq     L(found)
        sub     r2, r2, r12                     // the rest lies in the last step - 1 elements:
        add     r4, r1, r2, lsl #2              // base = count - step
        b       L(next)
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
L(right):
        add     r4, r4, r12, lsl #2             // base += step
L(next):
        lsrs    r12, r12, #1                    // step /= 2
        beq     L(exit)
        ldr     lr, [r4, r12, lsl #2]           // numbers[base + step]
        cmp     lr, r3
        blt     L(right)
        bgt     L(next)
L(found):
        add     r0, r4, r12, lsl #2
        sub     r0, r0, r1
        lsr     r0, r0, #2                      // result = base + step
L(exit):
        pop     {r4, r11, pc}
endfunc
