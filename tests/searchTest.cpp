#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "asmBinarySearch.h"
#include "binarySearch.h"
#include "guardedMemory.h"
#include "halvingReference.h"

namespace {

struct Search {
    const char* name;
    int (*find)(int value, const int numbers[], int count);
};

const Search searches[] = {{"binarySearch", binarySearch}, {"asmBinarySearch", asmBinarySearch}};

void PrintTo(const Search& search, std::ostream* out)
{
    *out << search.name;
}

class EverySearch : public testing::TestWithParam<Search> {};

INSTANTIATE_TEST_SUITE_P(, EverySearch, testing::ValuesIn(searches),
                         [](const testing::TestParamInfo<Search>& info) {
                             return info.param.name;
                         });

// The values worth looking for in a sorted array: its elements (a few
// hundred of them at most), their neighbours, and the ends of the int range.
std::vector<int> valuesToSeek(const std::vector<int>& numbers)
{
    std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    std::size_t stride = numbers.size() / 300 + 1;
    for (std::size_t i = 0; i < numbers.size(); i += stride) {
        int number = numbers[i];
        values.push_back(number);
        if (number > INT_MIN) {
            values.push_back(number - 1);
        }
        if (number < INT_MAX) {
            values.push_back(number + 1);
        }
    }
    return values;
}

// Sorted random arrays of every size up to 100, and of 10000, whose values
// come from ranges narrow enough for many duplicates and wide enough to
// reach both ends of int.
std::vector<std::vector<int>> sortedRandomArrays()
{
    std::mt19937 generator(20261206);
    const int ranges[][2] = {{1, 3}, {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}};
    std::vector<int> sizes;
    for (int size = 0; size <= 100; ++size) {
        sizes.push_back(size);
    }
    sizes.push_back(10000);

    std::vector<std::vector<int>> arrays;
    for (const auto& range : ranges) {
        std::uniform_int_distribution<int> pick(range[0], range[1]);
        for (int size : sizes) {
            std::vector<int> numbers(size);
            for (int& number : numbers) {
                number = pick(generator);
            }
            std::sort(numbers.begin(), numbers.end());
            arrays.push_back(numbers);
        }
    }
    arrays.push_back({INT_MIN, INT_MIN, 0, INT_MAX, INT_MAX});
    return arrays;
}

TEST_P(EverySearch, FindsAnEqualElementExactlyWhenThereIsOne)
{
    for (const std::vector<int>& numbers : sortedRandomArrays()) {
        int count = static_cast<int>(numbers.size());
        for (int value : valuesToSeek(numbers)) {
            bool present = std::find(numbers.begin(), numbers.end(), value) != numbers.end();
            int position = GetParam().find(value, numbers.data(), count);
            SCOPED_TRACE(testing::Message() << "value " << value << ", count " << count);
            if (present) {
                ASSERT_GE(position, 0);
                ASSERT_LT(position, count);
                ASSERT_EQ(numbers[position], value);
            } else {
                ASSERT_EQ(position, -1);
            }
        }
    }
}

TEST(BinarySearch, ReturnsTheFirstEqualElementItsHalvingMeets)
{
    for (const std::vector<int>& numbers : sortedRandomArrays()) {
        for (int value : valuesToSeek(numbers)) {
            ASSERT_EQ(binarySearch(value, numbers.data(), static_cast<int>(numbers.size())),
                      halvingReference(value, numbers))
                << "value " << value << ", count " << numbers.size();
        }
    }
}

TEST(BinarySearch, ProbesFromTheMiddle)
{
    struct Case {
        std::vector<int> numbers;
        int value;
        int position;
    };
    const Case cases[] = {
        {{1, 2, 2, 2, 2}, 2, 2},
        {{7}, 7, 0},
        {{7, 7}, 7, 0},
        {{1, 2, 3, 3}, 3, 2},
        {std::vector<int>(10000, 5), 5, 4999},
        {{3, 3, 3, 3, 3, 3, 4}, 3, 3},
        {{1, 4, 4, 4, 4, 4, 4, 4, 9}, 4, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(binarySearch(c.value, c.numbers.data(), static_cast<int>(c.numbers.size())),
                  c.position)
            << "value " << c.value << ", count " << c.numbers.size();
    }
}

TEST_P(EverySearch, ReadsNothingOutsideItsElements)
{
    const int counts[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 100, 1023, 1024, 1025, 10000};
    for (GuardedArray::Side side :
         {GuardedArray::FlushAgainstStart, GuardedArray::FlushAgainstEnd}) {
        for (int count : counts) {
            GuardedArray array(count, side);
            for (int i = 0; i < count; ++i) {
                array.data()[i] = 2 * i + 1;
            }
            array.seal();
            for (int value = -1; value <= 2 * count + 1; ++value) {
                bool present = value > 0 && value % 2 != 0 && value / 2 < count;
                int expected = present ? value / 2 : -1;
                ASSERT_EQ(GetParam().find(value, array.data(), count), expected)
                    << "value " << value << ", count " << count;
            }
            ASSERT_EQ(GetParam().find(INT_MIN, array.data(), count), -1);
            ASSERT_EQ(GetParam().find(INT_MAX, array.data(), count), -1);
            ASSERT_EQ(GetParam().find(1, array.data(), -count), -1); // a negative count is empty
        }
    }
}

#if INTPTR_MAX > INT32_MAX
// INT_MAX elements: each bound of the search passes 2^30, where the sum of
// the bounds no longer fits in an int.
TEST_P(EverySearch, SearchesTheLargestCount)
{
    const int* zeroes = mapZeroes(INT_MAX);
    EXPECT_EQ(GetParam().find(1, zeroes, INT_MAX), -1);
    EXPECT_EQ(GetParam().find(-1, zeroes, INT_MAX), -1);
    int position = GetParam().find(0, zeroes, INT_MAX);
    EXPECT_GE(position, 0);
    unmapZeroes(zeroes, INT_MAX);
}
#endif

} // namespace
