// Your own search, to change as you like: a copy of asmBinarySearch, one file
// per instruction set beside it. asmBinarySearch stays as it is, so that a
// changed copy can be timed against the original in one run, and both go
// through the same tests (the unit tests, the register checkers and the
// fuzzer take every contender, this one too). For example:
//
//     build/native/bench/search_contest --benchmark_filter='^(asmBinarySearch|yourSearch)/'
#if defined(__x86_64__)
#include "x86_64/yourSearch.S"
#elif defined(__i386__)
#include "i386/yourSearch.S"
#elif defined(__aarch64__)
#include "aarch64/yourSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/yourSearch.S"
#elif defined(__arm__)
#include "arm/yourSearch.S"
#else
#error "yourSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
