// The hand-written search for the processor being built for.
#if defined(__x86_64__)
#include "x86_64/asmBinarySearch.S"
#elif defined(__i386__)
#include "i386/asmBinarySearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBinarySearch.S"
#else
#error "asmBinarySearch is written for x86-64, 32-bit x86 and AArch64 only"
#endif
