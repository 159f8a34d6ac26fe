#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "asmBinarySearch.h"
#include "checkedCall.h"

namespace {

// The registers that checkedCall watches, by bit; the stack pointer is last.
#if defined(__x86_64__) && defined(_WIN64)
const char* const calleeSavedRegisters[] = {
    "rbx",  "rbp",  "rdi",   "rsi",   "r12",   "r13",   "r14",   "r15",   "xmm6", "xmm7",
    "xmm8", "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15", "rsp"};
#elif defined(__x86_64__)
const char* const calleeSavedRegisters[] = {"rbx", "rbp", "r12", "r13", "r14", "r15", "rsp"};
#elif defined(__i386__)
const char* const calleeSavedRegisters[] = {"ebx", "esi", "edi", "ebp", "esp"};
#elif defined(__aarch64__)
const char* const calleeSavedRegisters[] = {"x19", "x20", "x21", "x22", "x23", "x24", "x25",
                                            "x26", "x27", "x28", "x29", "d8",  "d9",  "d10",
                                            "d11", "d12", "d13", "d14", "d15", "sp"};
#endif
const int calleeSavedCount = sizeof calleeSavedRegisters / sizeof calleeSavedRegisters[0];

std::string namesOf(unsigned clobbered)
{
    std::string names;
    for (int bit = 0; bit < calleeSavedCount; ++bit) {
        if (clobbered & (1u << bit)) {
            names += std::string(names.empty() ? "" : ", ") + calleeSavedRegisters[bit];
        }
    }
    return names.empty() ? "none" : names;
}

TEST(CalleeSavedRegisters, SurviveTheHandWrittenSearch)
{
    std::vector<int> numbers;
    for (int i = 0; i < 10000; ++i) {
        numbers.push_back(i / 3 - 1000);
    }
    const int counts[] = {0, 1, 2, 3, 10000};
    const int values[] = {INT_MIN, -1000, -1, 0, 1, 2332, 2333, INT_MAX};
    for (int count : counts) {
        for (int value : values) {
            unsigned clobbered = ~0u;
            int position = checkedCall(asmBinarySearch, value, numbers.data(), count, &clobbered);
            EXPECT_EQ(namesOf(clobbered), "none") << "value " << value << ", count " << count;
            if (position != -1) {
                EXPECT_EQ(numbers[position], value);
            }
        }
    }
}

TEST(CalleeSavedRegisters, AreWatchedEveryOne)
{
    unsigned clobbered = 0;
    checkedCall(clobberCalleeSaved, 0, nullptr, 0, &clobbered);
    unsigned everyOneButTheStackPointer = (1u << (calleeSavedCount - 1)) - 1;
    EXPECT_EQ(namesOf(clobbered), namesOf(everyOneButTheStackPointer));
}

} // namespace
