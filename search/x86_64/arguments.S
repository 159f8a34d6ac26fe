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
