// Macros that hide how each object format names and marks a routine, so that
// a routine is written once per instruction set and reads
//
//     function name
//             ...
//     endfunc
//
// Its labels are written L(name): local on ELF and COFF as .Lname, and on
// Mach-O as Lname, the form that Mach-O leaves out of the symbol table, so
// that a debugger or profiler sees each routine whole.
//
// On 64-bit Windows each routine also gets an entry in the table through
// which Windows unwinds the stack; a routine that saves registers describes
// its prologue to it with UNWIND(.seh_...) notes, which are empty elsewhere.

#if defined(__APPLE__)
#define L(name) L##name
#else
#define L(name) .L##name
#endif

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

#if defined(__aarch64__)
// Built with -mbranch-protection, every routine begins with a landing pad for
// indirect calls (BTI c), a routine that keeps the return address on the
// stack signs it there (SIGN_LR, CHECK_LR), and the object says so in a note,
// without which the linker turns branch protection off for the whole binary.
// Both instructions are in the hint space: older processors run them as nops.
#if defined(__ARM_FEATURE_BTI_DEFAULT) && __ARM_FEATURE_BTI_DEFAULT == 1
#define LANDING_PAD     hint #34                // bti c
#define PROPERTY_BTI    1
#else
#define LANDING_PAD
#define PROPERTY_BTI    0
#endif
#if defined(__ARM_FEATURE_PAC_DEFAULT) && (__ARM_FEATURE_PAC_DEFAULT & 1)
#define SIGN_LR         hint #25                // paciasp
#define CHECK_LR        hint #29                // autiasp
#define PROPERTY_PAC    2
#elif defined(__ARM_FEATURE_PAC_DEFAULT)
#define SIGN_LR         hint #27                // pacibsp
#define CHECK_LR        hint #31                // autibsp
#define PROPERTY_PAC    2
#else
#define SIGN_LR
#define CHECK_LR
#define PROPERTY_PAC    0
#endif
#if (PROPERTY_BTI | PROPERTY_PAC) && defined(__ELF__)
        .pushsection .note.gnu.property, "a"
        .balign 8
        .long   4                               // name size
        .long   16                              // property size
        .long   5                               // NT_GNU_PROPERTY_TYPE_0
        .asciz  "GNU"
        .long   0xc0000000                      // GNU_PROPERTY_AARCH64_FEATURE_1_AND
        .long   4
        .long   PROPERTY_BTI | PROPERTY_PAC
        .long   0
        .popsection
#endif
#endif

.macro function_symbol symbol
        .text
        .p2align 4
        .globl  \symbol
#if defined(__ELF__)
        .type   \symbol, %function
#elif defined(_WIN32)
        .def    \symbol; .scl 2; .type 32; .endef
#endif
\symbol:
        UNWIND(.seh_proc \symbol)
#if defined(__aarch64__)
        LANDING_PAD
#endif
    .macro endfunc
#if defined(__ELF__)
        .size   \symbol, . - \symbol
#endif
        UNWIND(.seh_endproc)
        .purgem endfunc
    .endm
.endm

// Aligns the top of a hot loop to 32 bytes, so that a loop of up to 32 bytes
// never straddles a 64-byte boundary, wherever the linker puts the routine.
// (Where it does, the same instructions can run markedly slower.) The
// benchmark builds one routine with STRADDLE_HOT_LOOP to show it: its loop
// then starts 12 bytes before such a boundary. The padding is never run:
// control jumps over it. Straddled, the tests build every routine, and the
// padding ends in instructions that trap, so that a routine that falls into
// it stops them.
.macro hot_loop
#if defined(STRADDLE_HOT_LOOP)
        .p2align 6
        trap_padding 52
#else
        .p2align 5
#endif
.endm

// trap_padding bytes: that many bytes (a multiple of 4) of instructions that
// trap.
.macro trap_padding bytes
#if defined(__i386__) || defined(__x86_64__)
        .fill   \bytes, 1, 0xcc                 // int3
#elif defined(__arm__) || defined(__aarch64__)
        .rept   \bytes / 4
        udf     #0
        .endr
#else
        .fill   \bytes, 1, 0                    // RISC-V: an all-zero instruction is illegal
#endif
.endm

// Read-only data under a C name: constant name, then the data.
.macro constant_symbol symbol
#if defined(__APPLE__)
        .const
#elif defined(_WIN32)
        .section .rdata, "dr"
#else
        .section .rodata
#endif
        .globl  \symbol
\symbol:
.endm

#if defined(__APPLE__) || (defined(_WIN32) && defined(__i386__))
// C names carry a leading underscore here.
#define C_NAME(name) _\name
#else
#define C_NAME(name) \name
#endif
.macro function name
        function_symbol C_NAME(name)
.endm
.macro constant name
        constant_symbol C_NAME(name)
.endm

#if defined(__ELF__)
// None of these routines needs an executable stack.
        .section .note.GNU-stack, "", %progbits
#endif
