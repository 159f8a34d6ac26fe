// The single searches of the hand-written methods, compiled (COMPILER names
// the compiler).
#include <algorithm>

namespace COMPILER {

#include "methods.h"

int lowerBoundSearch(int value, const int numbers[], int count)
{
    const int* end = numbers + std::max(count, 0);
    const int* first = std::lower_bound(numbers, end, value);
    return first != end && *first == value ? static_cast<int>(first - numbers) : -1;
}

int powerOfTwoSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    int step = 1 << (31 - __builtin_clz(count));
    int base = -1;
    if (numbers[step - 1] == value) {
        return step - 1;
    }
    if (numbers[step - 1] < value) {
        base = count - step;
    }
    while ((step /= 2) > 0) {
        int probe = base + step;
        if (numbers[probe] < value) {
            base = probe;
        } else if (numbers[probe] == value) {
            return probe;
        }
    }
    return -1;
}

namespace {

// A lower bound by halving; with PREFETCH it also asks, while it waits for
// this probe, for both places where the next one may land.
template <bool PREFETCH> int halvingSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    for (unsigned length = count; length > 1;) {
        unsigned half = length / 2;
        length -= half;
        if (PREFETCH) {
            // The next probe is base[length / 2 - 1] or base[half + length / 2 - 1];
            // prefetching never faults, even where the first lies before numbers.
            const char* next = reinterpret_cast<const char*>(base) + (length / 2) * sizeof(int);
            __builtin_prefetch(next - sizeof(int));
            __builtin_prefetch(next + (half - 1) * sizeof(int));
        }
        base += (base[half - 1] < value) * half; // GCC makes a branch of a ?: here
    }
    return *base == value ? static_cast<int>(base - numbers) : -1;
}

} // namespace

int branchlessSearch(int value, const int numbers[], int count)
{
    return halvingSearch<false>(value, numbers, count);
}

int prefetchingSearch(int value, const int numbers[], int count)
{
    return halvingSearch<true>(value, numbers, count);
}

} // namespace COMPILER
