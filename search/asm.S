// Macros that hide how each object format names and marks a routine, so that
// a routine is written once per instruction set and reads
//
//     function name
//             ...
//     endfunc
//
// On 64-bit Windows each routine also gets an entry in the table through
// which Windows unwinds the stack; a routine that saves registers describes
// its prologue to it with UNWIND(.seh_...) notes, which are empty elsewhere.

#if defined(_WIN64)
#define UNWIND(note) note
#else
#define UNWIND(note)
#endif

#if defined(__arm__)
// ARM state (not Thumb) for ARMv7-A; the objects say that they pass
// floating-point arguments in registers, as the hard-float C code does.
        .syntax unified
        .arch   armv7-a
        .arm
#if defined(__ARM_PCS_VFP)
        .eabi_attribute 28, 1
#endif
#endif

.macro function_symbol symbol
        .text
#if defined(__riscv)
        .option push
#endif
        .p2align 4
        .globl  \symbol
#if defined(__ELF__)
        .type   \symbol, %function
#elif defined(_WIN32)
        .def    \symbol; .scl 2; .type 32; .endef
#endif
\symbol:
        UNWIND(.seh_proc \symbol)
    .macro endfunc
#if defined(__ELF__)
        .size   \symbol, . - \symbol
#endif
        UNWIND(.seh_endproc)
#if defined(__riscv)
        .option pop
#endif
        .purgem endfunc
    .endm
.endm

// Aligns the top of a hot loop to 32 bytes, so that a loop of up to 32 bytes
// never straddles a 64-byte boundary, wherever the linker puts the routine.
// (Where it does, the same instructions can run 40 % slower.) The benchmark
// builds one routine with STRADDLE_HOT_LOOP to show it: its loop then starts
// 12 bytes before such a boundary. The padding is never run: control jumps
// over it.
.macro hot_loop
#if defined(STRADDLE_HOT_LOOP)
        .p2align 6
        .skip   52
#else
        .p2align 5
#endif
.endm

#if defined(__APPLE__) || (defined(_WIN32) && defined(__i386__))
// C names carry a leading underscore here.
.macro function name
        function_symbol _\name
.endm
#else
.macro function name
        function_symbol \name
.endm
#endif

#if defined(__ELF__)
// None of these routines needs an executable stack.
        .section .note.GNU-stack, "", %progbits
#endif
