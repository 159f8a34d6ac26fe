#if defined(__x86_64__)
#include "x86_64/checkedCall.S"
#elif defined(__i386__)
#include "i386/checkedCall.S"
#elif defined(__aarch64__)
#include "aarch64/checkedCall.S"
#else
#error "checkedCall is written for x86-64, 32-bit x86 and AArch64 only"
#endif
