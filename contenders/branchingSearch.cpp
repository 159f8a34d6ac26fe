// asmBranchingSearch's method, compiled (COMPILER names the compiler): a
// halving search whose base moves by a branch. In a large array the first probe sits off the
// middle, and while more than NEAR_END elements are left, each level prefetches every place where
// the probe two levels down may land.
#include <cstddef>

#include "firstProbe.h"

namespace COMPILER {

#include "methods.h"

namespace {

// from + by if right, by a jump: Clang would make a conditional move of
// the plain if, which is another method, and the empty asm, which it may
// not run where it was not asked to, keeps the jump.
template <typename Place> Place moveIf(bool right, Place from, std::ptrdiff_t by)
{
    if (right) {
        from += by;
        asm("" : "+r"(from));
    }
    return from;
}

} // namespace

int branchingSearch(int value, const int numbers[], int count)
{
    const unsigned NEAR_END = 32;
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    unsigned length = count;
    if (count >= LARGE_ARRAY) {
        for (unsigned half = length / 2 - OFF_MIDDLE; length > NEAR_END; half = length / 2) {
            length -= half;
            unsigned h1 = length / 2;
            const int* next = base + (length - h1) / 2 - 1;
            __builtin_prefetch(next);
            __builtin_prefetch(next + h1);
            __builtin_prefetch(next + half);
            __builtin_prefetch(next + half + h1);
            base = moveIf(base[half - 1] < value, base, half);
        }
    }
    while (length > 1) {
        unsigned half = length / 2;
        length -= half;
        base = moveIf(base[half - 1] < value, base, half);
    }
    // The answer by a jump too, so that a caller that waits for it goes on
    // along the guesses.
    return static_cast<int>(moveIf(*base == value, std::ptrdiff_t{-1}, base - numbers + 1));
}

} // namespace COMPILER
