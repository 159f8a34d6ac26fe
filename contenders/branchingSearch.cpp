// asmBranchingSearch's method compiled, built with -O2 by each compiler into
// a namespace named after it (COMPILER): a halving search whose base moves by
// a branch, with the first probe of a large array off the middle, and while
// more than NEAR_END elements are left, a prefetch of each place where the
// probe two levels down may land.
#include "firstProbe.h"

namespace COMPILER {

int branchingSearch(int value, const int numbers[], int count)
{
    const unsigned NEAR_END = 32;
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    unsigned length = count;
    unsigned half = length / 2 - (count >= LARGE_ARRAY ? OFF_MIDDLE : 0);
    for (; length > 1; half = length / 2) {
        bool far = length > NEAR_END;
        length -= half;
        if (far) {
            unsigned h1 = length / 2;
            const int* next = base + (length - h1) / 2 - 1;
            __builtin_prefetch(next);
            __builtin_prefetch(next + h1);
            __builtin_prefetch(next + half);
            __builtin_prefetch(next + half + h1);
        }
        if (base[half - 1] < value) {
            base += half;
        }
    }
    if (*base != value) {
        return -1;
    }
    return static_cast<int>(base - numbers);
}

} // namespace COMPILER
