#include <algorithm>
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "selectionSort.h"

namespace {

// Each input sorted in the middle of a larger array, whose ends it must leave
// alone.
TEST(SelectionSort, LeavesASortedPermutationAndNothingElseChanged)
{
    std::vector<int> descending(100);
    for (int i = 0; i < 100; ++i) {
        descending[i] = 50 - 3 * i;
    }
    const std::vector<int> inputs[] = {
        {},
        {42},
        {2, 1},
        descending,
        {5, 3, 5, 1, 3, 5, 1},
        {INT_MAX, INT_MIN, 0, INT_MIN, -7, INT_MAX},
    };
    for (const std::vector<int>& input : inputs) {
        std::vector<int> numbers = input;
        numbers.insert(numbers.begin(), INT_MAX);
        numbers.push_back(INT_MIN);
        selectionSort(numbers.data() + 1, static_cast<int>(input.size()));
        std::vector<int> expected = input;
        std::sort(expected.begin(), expected.end());
        expected.insert(expected.begin(), INT_MAX);
        expected.push_back(INT_MIN);
        EXPECT_EQ(numbers, expected);
    }
}

} // namespace
