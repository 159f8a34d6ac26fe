// Your copy of asmBinarySearch for this instruction set (see ../yourSearch.S).
#include "../asm.S"

        .intel_syntax noprefix

// int yourSearch(int value, const int numbers[], int count)
//
// With only eax, ecx and edx free to use, ebx holds &numbers[base] rather
// than base. The ebp frame lets a debugger or a profiler that follows frame
// pointers walk through the routine.
function yourSearch
        push    ebp
        mov     ebp, esp
        push    ebx                             // ebx is &numbers[base]
        mov     eax, -1                         // result = -1
        mov     ecx, [ebp + 16]                 // count
        test    ecx, ecx
        jle     L(exit)                         // no elements
        bsr     edx, ecx
        xor     ecx, ecx
        bts     ecx, edx                        // step = highest power of two <= count
        mov     edx, [ebp + 8]                  // value
        mov     ebx, [ebp + 12]
        sub     ebx, 4                          // base = -1
        cmp     [ebx + ecx*4], edx              // numbers[step - 1] vs value
        jg      L(next)
        je      L(found)
        mov     ebx, [ebp + 16]                 // the rest lies in the last step - 1 elements:
        sub     ebx, ecx
        shl     ebx, 2
        add     ebx, [ebp + 12]                 // base = count - step
        jmp     L(next)
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
L(right):
        lea     ebx, [ebx + ecx*4]              // base += step
L(next):
        shr     ecx, 1                          // step /= 2
        jz      L(exit)
        cmp     [ebx + ecx*4], edx              // numbers[base + step] vs value
        jl      L(right)
        jg      L(next)
L(found):
        lea     eax, [ebx + ecx*4]
        sub     eax, [ebp + 12]
        shr     eax, 2                          // result = base + step
L(exit):
        pop     ebx
        pop     ebp
        ret
endfunc
