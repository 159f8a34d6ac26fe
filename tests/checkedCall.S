// The register checker, callWatchingRegisters, for the processor being built
// for, with the macros that the five of them share.
//
// int callWatchingRegisters(void (*function)(), const uintptr_t arguments[5],
//                           uint64_t canaries[], uint64_t seen[])
//
// calls function with the five arguments, the registers that the calling
// convention says it must keep loaded from canaries, and garbage in every
// other register that carries no argument; afterwards it stores what the
// kept registers hold, the stack pointer last, to seen. The canaries' entry
// for the stack pointer it writes itself. It gets its own stack back from
// L(stack), not from the stack pointer, which the function may have changed
// (and so takes one call at a time). watchedRegisterNames names the entries
// in order, one word each.

#include "../search/asm.S"

// Sets symbol to the number of registers given.
.macro count symbol, regs:vararg
        .set    \symbol, 0
        .irp    reg, \regs
        .set    \symbol, \symbol + 1
        .endr
.endm

// The names of the registers given, each repeated per 8-byte entry it takes.
.macro names entries, regs:vararg
        .irp    reg, \regs
        .rept   \entries
        .ascii  "\reg "
        .endr
        .endr
.endm

// L(stack): the stack pointer at the call.
.macro stack_at_call
        .data
        .p2align 3
L(stack):
        .quad   0
.endm

#if defined(__x86_64__) || defined(__i386__)
// With direction load, loads the registers given from table + offset on,
// stride bytes apart; with store, stores them there. move is mov, or movdqu
// for xmm registers.
.macro transfer direction, move, stride, table, offset, regs:vararg
        .set    at, \offset
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
// Loads (op a load) or stores (op a store) the registers given from table +
// offset on, 8 bytes apart.
.macro transfer op, table, offset, regs:vararg
        .set    at, \offset
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
#error "callWatchingRegisters is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
