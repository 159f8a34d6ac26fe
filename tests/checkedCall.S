// The register checker, checkedCall, for the processor being built for, and
// the macro with which it loads the registers it watches from one table and
// stores them to another.

#if defined(__x86_64__) || defined(__i386__)
// With direction load, loads the registers given from table + 8 * first on,
// stride bytes apart; with store, stores them there. move is mov, or movdqu
// for xmm registers.
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
#else
// Loads (op a load) or stores (op a store) the registers given at table +
// 8 * first on.
.macro transfer op, table, first, regs:vararg
        .set    at, 8 * \first
        .irp    reg, \regs
#if defined(__riscv)
        \op     \reg, at(\table)
#else
        \op     \reg, [\table, #at]
#endif
        .set    at, at + 8
        .endr
.endm
#endif

#if defined(__x86_64__)
#include "x86_64/checkedCall.S"
#elif defined(__i386__)
#include "i386/checkedCall.S"
#elif defined(__aarch64__)
#include "aarch64/checkedCall.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/checkedCall.S"
#elif defined(__arm__)
#include "arm/checkedCall.S"
#else
#error "checkedCall is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
