#include <algorithm>
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "selectionSort.h"

namespace {

TEST(SelectionSort, LeavesASortedPermutation)
{
    std::vector<int> ascending(100);
    for (int i = 0; i < 100; ++i) {
        ascending[i] = i * 3 - 50;
    }
    std::vector<int> descending(ascending.rbegin(), ascending.rend());

    const std::vector<int> inputs[] = {
        {},
        {42},
        {2, 1},
        ascending,
        descending,
        {5, 3, 5, 1, 3, 5, 1},
        {0, -7, 12, -7, -1000, 3},
        {INT_MAX, INT_MIN, 0, INT_MIN, INT_MAX},
        std::vector<int>(50, 9),
    };
    for (const std::vector<int>& input : inputs) {
        std::vector<int> numbers = input;
        selectionSort(numbers.data(), static_cast<int>(numbers.size()));
        std::vector<int> expected = input;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(numbers, expected);
    }
}

TEST(SelectionSort, TouchesNothingBeyondItsCount)
{
    int numbers[] = {-1, 9, 8, 7, -1};
    selectionSort(numbers + 1, 3);
    EXPECT_EQ(std::vector<int>(numbers, numbers + 5), (std::vector<int>{-1, 7, 8, 9, -1}));
    selectionSort(numbers + 1, 0);
    selectionSort(numbers + 1, 1);
    EXPECT_EQ(std::vector<int>(numbers, numbers + 5), (std::vector<int>{-1, 7, 8, 9, -1}));
}

TEST(SwapValues, ExchangesTwoValuesOrLeavesOneAlone)
{
    int a = 3;
    int b = -4;
    swapValues(&a, &b);
    EXPECT_EQ(a, -4);
    EXPECT_EQ(b, 3);
    swapValues(&a, &a);
    EXPECT_EQ(a, -4);
}

} // namespace
