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
