#include <algorithm>

#include "contenders.h"

int lowerBoundSearch(int value, const int numbers[], int count)
{
    const int* end = numbers + count;
    const int* first = std::lower_bound(numbers, end, value);
    return first != end && *first == value ? static_cast<int>(first - numbers) : -1;
}
