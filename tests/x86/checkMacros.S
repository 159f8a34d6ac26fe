// The register checkers' macros for 32- and 64-bit x86.

// Canary n, for the register that checkedCall numbers n. On x86-64 both
// halves are non-zero, so a 32-bit write, which clears the upper half, shows.
#if defined(__x86_64__)
#define CANARY(n) (0x5ca1ab1e5ca1ab10 + (n))
#define SCRATCH r11
#else
#define CANARY(n) (0x5ca1ab10 + (n))
#define SCRATCH edx
#endif

// Loads the registers given with canaries first, first + 1 and so on.
.macro canaries first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     \reg, CANARY(bit)
        .set    bit, bit + 1
        .endr
.endm

// Sets in ecx the bit of each register given that lost its canary.
.macro check first, regs:vararg
        .set    bit, \first
        .irp    reg, \regs
        mov     SCRATCH, CANARY(bit)
        cmp     \reg, SCRATCH
        je      1f
        or      ecx, 1 << bit
1:      .set    bit, bit + 1
        .endr
.endm
