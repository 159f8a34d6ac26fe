#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

class EverySearch : public testing::TestWithParam<Search> {};

INSTANTIATE_TEST_SUITE_P(, EverySearch, testing::ValuesIn(searches, searches + searchCount),
                         [](const testing::TestParamInfo<Search>& info) {
                             return info.param.name;
                         });

// Sorted random arrays of every size to 100 and of 1000 and 10000, from
// ranges narrow enough for many duplicates and wide enough to reach both ends
// of int, each laid flush against an inaccessible page at one end and then
// the other. The values sought: a few hundred elements at most, their
// neighbours, and the ends of int. A negative count must read nothing.
TEST_P(EverySearch, AnswersRightReadsNothingElseAndKeepsItsRegisters)
{
    std::mt19937 generator(20261206);
    for (auto range : {std::make_pair(1, 3), {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}}) {
        std::uniform_int_distribution<int> pick(range.first, range.second);
        for (int count = 0; count <= 10000; count = count < 100 ? count + 1 : count * 10) {
            std::vector<int> numbers(count);
            std::generate(numbers.begin(), numbers.end(), [&] { return pick(generator); });
            std::sort(numbers.begin(), numbers.end());
            std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
            for (int i = 0; i < count; i += count / 300 + 1) {
                for (unsigned offset : {-1u, 0u, 1u}) { // wrapping past either end of int
                    values.push_back(static_cast<int>(static_cast<unsigned>(numbers[i]) + offset));
                }
            }
            for (bool flushAgainstEnd : {false, true}) {
                GuardedArray array(numbers.data(), count, flushAgainstEnd);
                for (int value : values) {
                    ASSERT_EQ(faultOf(GetParam().find, value, array.data(), count), "")
                        << "value " << value << ", count " << count;
                }
                ASSERT_EQ(faultOf(GetParam().find, 1, array.data(), -count), "") << -count;
            }
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

TEST(CheckedCall, SeesARegisterChangedInPart)
{
    EXPECT_EQ(faultOf(clobberOneRegister, 0, nullptr, 0), "changed the registers of bit mask 0x1");
}

} // namespace
