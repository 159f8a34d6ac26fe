// The register checkers' macro for 32- and 64-bit x86: with direction load,
// loads the registers given from table + 8 * first on, stride bytes apart;
// with store, stores them there. move is mov, or movdqu for xmm registers.
.macro transfer direction, move, stride, table, first, regs:vararg
        .set    at, 8 * \first
        .irp    reg, \regs
        .ifc    \direction, load
        \move   \reg, [\table + at]
        .else
        \move   [\table + at], \reg
        .endif
        .set    at, at + \stride
        .endr
.endm
