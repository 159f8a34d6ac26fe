#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "binarySearch.h"
#include "checkedSearch.h"
#include "guardedMemory.h"
#include "halvingReference.h"

// Names a search in a test's parameters.
void PrintTo(const Search& search, std::ostream* out)
{
    *out << search.name;
}

namespace {

// Sorted random arrays of every size to 100 and of 1000 and 10000, whose
// values come from ranges narrow enough for many duplicates and wide enough
// to reach both ends of int.
std::vector<std::vector<int>> sortedRandomArrays()
{
    std::mt19937 generator(20261206);
    const int ranges[][2] = {{1, 3}, {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}};
    std::vector<std::vector<int>> arrays;
    for (const auto& range : ranges) {
        std::uniform_int_distribution<int> pick(range[0], range[1]);
        for (int size = 0; size <= 10000; size = size < 100 ? size + 1 : size * 10) {
            std::vector<int> numbers(size);
            std::generate(numbers.begin(), numbers.end(), [&] { return pick(generator); });
            std::sort(numbers.begin(), numbers.end());
            arrays.push_back(numbers);
        }
    }
    return arrays;
}

// The values worth looking for in a sorted array: its elements (a few
// hundred of them at most), their neighbours, and the ends of the int range.
std::vector<int> valuesToSeek(const std::vector<int>& numbers)
{
    std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (std::size_t i = 0; i < numbers.size(); i += numbers.size() / 300 + 1) {
        for (long long value : {numbers[i] - 1LL, numbers[i] + 0LL, numbers[i] + 1LL}) {
            if (value >= INT_MIN && value <= INT_MAX) {
                values.push_back(static_cast<int>(value));
            }
        }
    }
    return values;
}

class EverySearch : public testing::TestWithParam<Search> {};

INSTANTIATE_TEST_SUITE_P(, EverySearch, testing::ValuesIn(searches, searches + searchCount),
                         [](const testing::TestParamInfo<Search>& info) {
                             return info.param.name;
                         });

// Each array lies flush against an inaccessible page at one end and then at
// the other, so that a read of one element outside it faults; a negative
// count must read nothing at all.
TEST_P(EverySearch, AnswersRightReadsNothingElseAndKeepsItsRegisters)
{
    for (const std::vector<int>& numbers : sortedRandomArrays()) {
        int count = static_cast<int>(numbers.size());
        for (bool flushAgainstEnd : {false, true}) {
            GuardedArray array(numbers.data(), numbers.size(), flushAgainstEnd);
            for (int value : valuesToSeek(numbers)) {
                ASSERT_EQ(faultOf(GetParam().find, value, array.data(), count), "")
                    << "value " << value << ", count " << count;
            }
            ASSERT_EQ(faultOf(GetParam().find, 1, array.data(), -count), "") << "count " << -count;
        }
    }
}

#if INTPTR_MAX > INT32_MAX
// INT_MAX elements: each bound of the search passes 2^30, where the sum of
// the bounds no longer fits in an int.
TEST_P(EverySearch, SearchesTheLargestCount)
{
    GuardedArray zeroes(nullptr, INT_MAX, true);
    EXPECT_EQ(GetParam().find(1, zeroes.data(), INT_MAX), -1);
    EXPECT_EQ(GetParam().find(-1, zeroes.data(), INT_MAX), -1);
    EXPECT_GE(GetParam().find(0, zeroes.data(), INT_MAX), 0);
}
#endif

TEST(BinarySearch, ReturnsTheFirstEqualElementItsHalvingMeets)
{
    for (const std::vector<int>& numbers : sortedRandomArrays()) {
        for (int value : valuesToSeek(numbers)) {
            ASSERT_EQ(binarySearch(value, numbers.data(), static_cast<int>(numbers.size())),
                      halvingReference(value, numbers))
                << "value " << value << ", count " << numbers.size();
        }
    }
    EXPECT_EQ(halvingReference(2, {1, 2, 2, 2, 2}), 2);
}

TEST(CheckedCall, SeesARegisterChangedInPart)
{
    EXPECT_EQ(clobberedBy(clobberOneRegister, 0, nullptr, 0), 1u);
}

} // namespace
