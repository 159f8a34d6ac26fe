// The register checkers' macros for 32- and 64-bit x86.

// Loads the registers given from table + 8 * first on, stride bytes apart;
// move is mov, or movdqu for xmm registers.
.macro load move, stride, table, first, regs:vararg
        .set    at, 8 * \first
        .irp    reg, \regs
        \move   \reg, [\table + at]
        .set    at, at + \stride
        .endr
.endm

// Stores the registers given in the same places.
.macro store move, stride, table, first, regs:vararg
        .set    at, 8 * \first
        .irp    reg, \regs
        \move   [\table + at], \reg
        .set    at, at + \stride
        .endr
.endm
