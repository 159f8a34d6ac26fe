#include "checkedSearch.h"

#include <algorithm>
#include <sstream>

#include "asmBinarySearch.h"
#include "binarySearch.h"

const Search searches[] = {{"binarySearch", binarySearch}, {"asmBinarySearch", asmBinarySearch}};
const int searchCount = sizeof searches / sizeof searches[0];

namespace {

// The registers that checkedCall watches, by bit.
#if defined(__x86_64__) && defined(_WIN64)
const char calleeSaved[] = "rbx rbp rdi rsi r12 r13 r14 r15 xmm6 xmm7 xmm8 xmm9 xmm10 xmm11 xmm12 "
                           "xmm13 xmm14 xmm15 rsp";
#elif defined(__x86_64__)
const char calleeSaved[] = "rbx rbp r12 r13 r14 r15 rsp";
#elif defined(__i386__)
const char calleeSaved[] = "ebx esi edi ebp esp";
#elif defined(__aarch64__)
const char calleeSaved[] = "x19 x20 x21 x22 x23 x24 x25 x26 x27 x28 x29 d8 d9 d10 d11 d12 d13 d14 "
                           "d15 sp";
#elif defined(__riscv)
const char calleeSaved[] = "s0 s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 s11 fs0 fs1 fs2 fs3 fs4 fs5 fs6 fs7 "
                           "fs8 fs9 fs10 fs11 gp tp sp";
#elif defined(__arm__)
const char calleeSaved[] = "r4 r5 r6 r7 r8 r9 r10 r11 d8 d9 d10 d11 d12 d13 d14 d15 sp";
#endif

} // namespace

std::string registerNames(unsigned clobbered)
{
    std::istringstream registers(calleeSaved);
    std::string names;
    std::string name;
    for (unsigned bit = 1; registers >> name; bit <<= 1) {
        if (clobbered & bit) {
            names += (names.empty() ? "" : " ") + name;
        }
    }
    return names;
}

std::string faultOf(SearchFunction search, int value, const int numbers[], int count)
{
    unsigned clobbered = 0;
    int position = checkedCall(search, value, numbers, count, &clobbered);
    const int* end = numbers + std::max(count, 0);
    bool present = std::find(numbers, end, value) != end;
    bool right =
        present ? position >= 0 && position < count && numbers[position] == value : position == -1;
    std::ostringstream fault;
    if (!right) {
        fault << "returned " << position << " though the value is "
              << (present ? "there" : "not there");
    }
    if (clobbered != 0) {
        fault << (right ? "" : "; ") << "changed " << registerNames(clobbered);
    }
    return fault.str();
}
