// The hand-written batch search: many searches advanced together, level by
// level, so that their loads are in flight at once. Each moves its base as
// asmBranchlessSearch does, but when the element it probes is no greater
// than the value, so that it ends on the last such element, or at -1 when
// there is none. Its length starts at count + 1, as if numbers[count] were
// greater than any value: the probes never reach that far, and a value that
// is no smaller than the last element ends on it. In a large array the
// first probe sits off the middle, as firstProbe.h says.
#include "firstProbe.h"

#if defined(__x86_64__)
#include "x86_64/asmBatchSearch.S"
#elif defined(__i386__)
#include "i386/asmBatchSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBatchSearch.S"
#elif defined(__riscv) && __riscv_xlen == 64
#include "riscv64/asmBatchSearch.S"
#elif defined(__arm__)
#include "arm/asmBatchSearch.S"
#else
#error "asmBatchSearch is written for x86-64, 32-bit x86, AArch64, RISC-V 64 and 32-bit ARM only"
#endif
