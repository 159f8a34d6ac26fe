// Where a search's three arguments, (value, numbers, count), arrive: System V
// passes them in rdi, rsi and rdx, Windows in rcx, rdx and r8. Both leave rax,
// rcx, rdx and r8 to r11 to the called routine.
#if defined(_WIN64)
#define value   ecx
#define numbers rdx
#define count   r8d
#else
#define value   edi
#define numbers rsi
#define count   edx
#endif

// Changes rax, r9 and r10: how every halving search starts. Sets eax to -1
// and returns it at exit when there are no elements, and otherwise r9d (len)
// to count and r10 (base) to numbers - 1.
.macro start_halving exit
        mov     eax, -1
        test    count, count
        jle     \exit                           // no elements
        mov     r9d, count                      // len = count
        lea     r10, [numbers - 4]              // base = numbers - 1
.endm
