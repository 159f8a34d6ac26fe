#include <cstdint>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "checkedCall.h"

namespace {

// The registers that each calling convention says a routine must keep, one
// name per 8-byte entry, then the stack pointer.
const char* const mustKeep =
#if defined(__x86_64__) && defined(_WIN64)
    "rbx rbp rdi rsi r12 r13 r14 r15 xmm6 xmm6 xmm7 xmm7 xmm8 xmm8 xmm9 xmm9 xmm10 xmm10 "
    "xmm11 xmm11 xmm12 xmm12 xmm13 xmm13 xmm14 xmm14 xmm15 xmm15 rsp";
#elif defined(__x86_64__)
    "rbx rbp r12 r13 r14 r15 rsp";
#elif defined(__i386__)
    "ebx esi edi ebp esp";
#elif defined(__aarch64__)
    "x19 x20 x21 x22 x23 x24 x25 x26 x27 x28 x29 d8 d9 d10 d11 d12 d13 d14 d15 sp";
#elif defined(__riscv)
    "s0 s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 s11 "
    "fs0 fs1 fs2 fs3 fs4 fs5 fs6 fs7 fs8 fs9 fs10 fs11 gp tp sp";
#elif defined(__arm__)
    "r4 r5 r6 r7 r8 r9 r10 r11 d8 d9 d10 d11 d12 d13 d14 d15 sp";
#endif

void describeClobber(const void* entry)
{
    std::fprintf(stderr, "clobberWatchedEntry(%d)", *static_cast<const int*>(entry));
}

// Each entry changed in part, the stack pointer last, and the checker must
// name that register and no other: so it is blind to none of them, nor to a
// half of one, and gets its own stack back from a callee that loses it.
TEST(CheckedCall, NamesEachKeptRegisterChangedInPart)
{
    std::istringstream words(mustKeep);
    const std::vector<std::string> names(std::istream_iterator<std::string>(words), {});
    for (int entry = 0; entry < static_cast<int>(names.size()); ++entry) {
        const std::uintptr_t arguments[5] = {intArgument(entry), unusedArgument, unusedArgument,
                                             unusedArgument, unusedArgument};
        std::string clobbered;
        checkedCall(reinterpret_cast<AnyFunction>(clobberWatchedEntry), arguments, describeClobber,
                    &entry, clobbered);
        EXPECT_EQ(clobbered, names[entry]) << "entry " << entry;
    }
}

} // namespace
