#include "../asm.S"

        .intel_syntax noprefix

// Both conventions leave rax, rcx, rdx and r8 to r11 to the called routine;
// they differ in where the arguments arrive.
#if defined(_WIN64)
#define value   ecx
#define numbers rdx
#define count   r8d
#else
#define value   edi
#define numbers rsi
#define count   edx
#endif

// int asmBinarySearch(int value, const int numbers[], int count)
function asmBinarySearch
        push    rbp
        UNWIND(.seh_pushreg rbp)
        mov     rbp, rsp
        push    rbx                             // rbx is base
        UNWIND(.seh_pushreg rbx)
        UNWIND(.seh_endprologue)
        mov     eax, -1                         // result = -1
        test    count, count
        jle     .Lexit                          // no elements
        bsr     r11d, count
        xor     r9d, r9d
        bts     r9d, r11d                       // step = highest power of two <= count
        mov     ebx, -1                         // base = -1
        lea     r10d, [r9 - 1]                  // probe = step - 1
        cmp     [numbers + r10*4], value
        jg      .Lnext
        je      .Lfound
        mov     ebx, count                      // the rest lies in the last step - 1 elements:
        sub     ebx, r9d                        // base = count - step
        jmp     .Lnext
        hot_loop
// Each probe jumps back to one of two places, so it takes one jump whichever
// way it goes; only a hit falls through, to the exit.
.Lright:
        add     ebx, r9d                        // base += step
.Lnext:
        shr     r9d, 1                          // step /= 2
        jz      .Lexit
        lea     r10d, [rbx + r9]                // probe = base + step
        cmp     [numbers + r10*4], value        // numbers[probe] vs value
        jl      .Lright
        jg      .Lnext
.Lfound:
        mov     eax, r10d                       // result = probe
.Lexit:
        pop     rbx
        pop     rbp
        ret
endfunc
