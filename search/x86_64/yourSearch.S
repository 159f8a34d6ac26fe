// Your copy of asmBinarySearch for this instruction set (see ../yourSearch.S).
#include "../asm.S"
#include "arguments.S"

        .intel_syntax noprefix

// int yourSearch(int value, const int numbers[], int count)
//
// The rbp frame lets a debugger or a profiler that follows frame pointers
// walk through the routine. base lives in rbx, which the routine must save
// and restore.
function yourSearch
        push    rbp
        UNWIND(.seh_pushreg rbp)
        mov     rbp, rsp
        push    rbx                             // rbx is base
        UNWIND(.seh_pushreg rbx)
        UNWIND(.seh_endprologue)
        mov     eax, -1                         // result = -1
        test    count, count
        jle     L(exit)                         // no elements
        bsr     r11d, count
        xor     r9d, r9d
        bts     r9d, r11d                       // step = highest power of two <= count
        mov     ebx, -1                         // base = -1
        lea     r10d, [r9 - 1]                  // probe = step - 1
        cmp     [numbers + r10*4], value
        jg      L(next)
        je      L(found)
        mov     ebx, count                      // the rest lies in the last step - 1 elements:
        sub     ebx, r9d                        // base = count - step
        jmp     L(next)
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
L(right):
        add     ebx, r9d                        // base += step
L(next):
        shr     r9d, 1                          // step /= 2
        jz      L(exit)
        lea     r10d, [rbx + r9]                // probe = base + step
        cmp     [numbers + r10*4], value        // numbers[probe] vs value
        jl      L(right)
        jg      L(next)
L(found):
        mov     eax, r10d                       // result = probe
L(exit):
        pop     rbx
        pop     rbp
        ret
endfunc
