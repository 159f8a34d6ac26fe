// The hand-written search, for the processor being built for.
//
// The candidates are numbers[base + 1 .. base + 2 * step - 1], and each probe
// takes the one in the middle, numbers[base + step]. base starts at -1 and
// step at the largest power of two that fits in count, and step halves after
// each probe. So from one probe to the next the search does one add and one
// shift, and no sum of bounds can overflow.
//
// The first probe, numbers[step - 1], is the one exception: when it is below
// the value, the rest of the array may be shorter than step - 1, so the
// window moves to the last step - 1 elements: base = count - step.
#if defined(__x86_64__)
#include "x86_64/asmBinarySearch.S"
#elif defined(__i386__)
#include "i386/asmBinarySearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBinarySearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmBinarySearch.S"
#elif defined(__arm__)
#include "arm/asmBinarySearch.S"
#else
#error "asmBinarySearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
