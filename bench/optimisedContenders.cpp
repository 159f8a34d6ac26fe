// The compiled contenders, built with -O2 by each compiler into a namespace
// named after it (COMPILER).
#include <algorithm>

namespace COMPILER {

#include "optimisedContenders.h"

// The program's own binarySearch, its source as it stands.
#include "binarySearch.cpp"

int lowerBoundSearch(int value, const int numbers[], int count)
{
    const int* end = numbers + count;
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

int branchlessSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    for (unsigned length = count; length > 1;) {
        unsigned half = length / 2;
        base += (base[half - 1] < value) * half; // GCC makes a branch of a ?: here
        length -= half;
    }
    return *base == value ? static_cast<int>(base - numbers) : -1;
}

} // namespace COMPILER
