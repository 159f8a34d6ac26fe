#pragma once

#include <cstdint>
#include <vector>

// The halving that binarySearch promises, with a midpoint that cannot
// overflow because it is taken in 64 bits: the subscript of the first equal
// element its probes meet, or -1.
inline int halvingReference(int value, const std::vector<int>& numbers)
{
    std::int64_t lower = 0;
    std::int64_t upper = static_cast<std::int64_t>(numbers.size()) - 1;
    while (lower <= upper) {
        std::int64_t midpoint = (lower + upper) / 2;
        if (numbers[midpoint] == value) {
            return static_cast<int>(midpoint);
        }
        if (numbers[midpoint] > value) {
            upper = midpoint - 1;
        } else {
            lower = midpoint + 1;
        }
    }
    return -1;
}
