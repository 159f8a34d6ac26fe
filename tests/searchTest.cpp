#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "buildSearchTree.h"
#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

// Calls check(numbers, values) with sorted random arrays of every size to
// 100 and of 1000 and 10000, and either side of 128 KB, from where
// asmPrefetchingSearch prefetches and the searches' first probe sits off the
// middle (a power of two). Then arrays of distinct values, where each probe
// decides, at the sizes where the first probe off the middle changes what
// follows it: either side of 2^15, of 2^15 + 8194 (from where the larger part
// is no deeper than the middle's) and of 2^17.
template <typename Check> void forEverySortedArray(Check check)
{
    std::vector<int> counts(101);
    std::iota(counts.begin(), counts.end(), 0);
    counts.insert(counts.end(), {1000, 10000, (1 << 15) - 1, 1 << 15});
    const int middle = (1 << 15) + 8194;
    forSortedArrays(counts,
                    {(1 << 15) - 1, (1 << 15) + 1, middle - 1, middle, middle + 1, (1 << 17) - 1,
                     (1 << 17) + 1},
                    20261206, [&](const std::vector<int>& numbers) {
                        check(numbers, valuesFor(numbers));
                        return !testing::Test::HasFatalFailure();
                    });
}

std::string nameOf(const testing::TestParamInfo<Contender>& info)
{
    return testNameOf(info.param);
}

class EverySearch : public testing::TestWithParam<Contender> {};
INSTANTIATE_TEST_SUITE_P(, EverySearch, testing::ValuesIn(contendersOf({Kind::scan, Kind::single})),
                         nameOf);

class EveryBatch : public testing::TestWithParam<Contender> {};
INSTANTIATE_TEST_SUITE_P(, EveryBatch, testing::ValuesIn(contendersOf({Kind::batch})), nameOf);

// Each array laid flush against an inaccessible page at one end and then the
// other. A negative count must read nothing, so its array has no readable
// page at all.
TEST_P(EverySearch, AnswersRightReadsNothingElseAndKeepsItsRegisters)
{
    GuardedArray nothingReadable(nullptr, 0, false);
    forEverySortedArray([&](const std::vector<int>& numbers, const std::vector<int>& values) {
        int count = static_cast<int>(numbers.size());
        for (bool flushAgainstEnd : {false, true}) {
            GuardedArray array(numbers.data(), count, flushAgainstEnd);
            for (int value : values) {
                ASSERT_EQ(faultOf(GetParam(), value, array, count), "")
                    << "value " << value << ", count " << count;
            }
        }
        ASSERT_EQ(faultOf(GetParam(), 1, nothingReadable, -count), "") << -count;
    });
}

// Numbers of queries on either side of the groups the batch advances
// together; values, numbers and results each flush against an inaccessible
// page at one end and then the other, so that a write past the results
// faults too; all the queries answered over their values as well. No
// queries, or a negative number, must touch nothing; a negative count must
// read no element and answer -1 to every query.
TEST_P(EveryBatch, AnswersEachQueryTouchesNothingElseAndKeepsItsRegisters)
{
    GuardedArray nothing(nullptr, 0, false, true);
    forEverySortedArray([&](const std::vector<int>& numbers, const std::vector<int>& values) {
        int count = static_cast<int>(numbers.size());
        int most = static_cast<int>(values.size());
        for (int queries : {1, 15, 16, 17, 63, 64, 65, 69, 70, 71, 129, 141, most}) {
            queries = std::min(queries, most);
            for (bool flushAgainstEnd : {false, true}) {
                GuardedArray array(numbers.data(), count, flushAgainstEnd);
                GuardedArray sought(values.data(), queries, flushAgainstEnd);
                GuardedArray results(nullptr, queries, flushAgainstEnd, true);
                ASSERT_EQ(batchFaultOf(GetParam(), sought, queries, array, count, results), "")
                    << queries << " queries, count " << count;
                if (queries == most) { // answered over the values as well
                    GuardedArray inPlace(values.data(), queries, flushAgainstEnd, true);
                    ASSERT_EQ(batchFaultOf(GetParam(), inPlace, queries, array, count, inPlace), "")
                        << queries << " queries in place, count " << count;
                }
            }
        }
        ASSERT_EQ(batchFaultOf(GetParam(), nothing, -count, nothing, count, nothing), "") << -count;
        GuardedArray sought(values.data(), most, true);
        GuardedArray results(nullptr, most, true, true);
        ASSERT_EQ(batchFaultOf(GetParam(), sought, most, nothing, -count, results), "") << -count;
    });
}

#if INTPTR_MAX > INT32_MAX
// INT_MAX elements: each bound of the search passes 2^30, where the sum of
// the bounds no longer fits in an int. (A scan has no bounds, and would read
// 8 GB.)
TEST_P(EverySearch, SearchesTheLargestCount)
{
    if (GetParam().kind() == Kind::scan) {
        GTEST_SKIP();
    }
    GuardedArray zeroes(nullptr, INT_MAX, true);
    EXPECT_EQ(faultOf(GetParam(), 1, zeroes, INT_MAX, false), "");
    EXPECT_EQ(faultOf(GetParam(), -1, zeroes, INT_MAX, false), "");
    EXPECT_EQ(faultOf(GetParam(), 0, zeroes, INT_MAX, true), "");
}

// Enough queries for a whole group of vectors where there are vectors.
TEST_P(EveryBatch, SearchesTheLargestCount)
{
    GuardedArray zeroes(nullptr, INT_MAX, true);
    std::vector<int> values(65);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<int>(i % 3) - 1;
    }
    GuardedArray sought(values.data(), values.size(), true);
    GuardedArray results(nullptr, values.size(), true, true);
    EXPECT_EQ(batchFaultOf(GetParam(), sought, 65, zeroes, INT_MAX, results), "");
}
#endif

// The judge of every answer in these tests and before every timing.
TEST(IsRightAnswer, TakesOnlyTheSubscriptOfAnEqualElementOrMinusOneForNone)
{
    const int numbers[] = {1, 3, 3, 5, 5}; // the last past the count below
    const int count = 4;
    struct Case {
        int position;
        int value;
        bool present;
        bool right;
    } cases[] = {
        {0, 1, true, true},   {1, 3, true, true},        {2, 3, true, true},
        {3, 5, true, true},   {-1, 2, false, true},      {-1, 6, false, true},
        {-1, 3, true, false}, {0, 3, true, false},       {4, 5, true, false}, // past the count
        {-2, 3, true, false}, {INT_MIN, 1, true, false}, {0, 2, false, false},
        {1, 2, false, false}, {4, 6, false, false},      {-2, 2, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isRightAnswer(c.position, c.value, numbers, count, c.present), c.right)
            << c.position << " for " << c.value;
    }
    EXPECT_TRUE(isRightAnswer(-1, 1, numbers, 0, false));
    EXPECT_FALSE(isRightAnswer(0, 1, numbers, 0, false));
}

// The check before every timing: it passes every contender, and names a
// wrong one of each kind with the value, the count and the answer. Each
// wrong one is right but for one value: the first that it is given, the
// last, or one inside the array.
TEST(WrongAnswer, PassesEveryContenderAndNamesAWrongOne)
{
    std::vector<int> numbers(1000);
    for (int i = 0; i < 1000; ++i) {
        numbers[i] = 2 * i; // 600 at 300
    }
    SearchTree tree = buildSearchTree(numbers.data(), 1000);
    for (const Contender& contender :
         contendersOf({Kind::scan, Kind::single, Kind::batch, Kind::tree, Kind::treeBatch})) {
        EXPECT_EQ(wrongAnswer(contender, numbers.data(), 1000, &tree), "") << contender.name;
    }
    const struct {
        Contender wrong;
        const char* line;
    } cases[] = {
        {{"a scan", "", "", Scan{[](int value, const int numbers[], int count) {
              return value == INT_MIN ? 0 : lowerBoundAnswer(value, numbers, count);
          }}},
         "a scan answers 0 for -2147483648 among 1000 elements"},
        {{"a search", "", "", Single{[](int value, const int numbers[], int count) {
              return value == 600 ? -1 : lowerBoundAnswer(value, numbers, count);
          }}},
         "a search answers -1 for 600 among 1000 elements"},
        {{"a batch", "", "",
          Batch{[](const int values[], int queries, const int numbers[], int count, int results[]) {
              for (int i = 0; i < queries; ++i) {
                  results[i] =
                      values[i] == INT_MAX ? 999 : lowerBoundAnswer(values[i], numbers, count);
              }
          }}},
         "a batch answers 999 for 2147483647 among 1000 elements"},
        {{"a tree search", "", "", Tree{[](int value, const SearchTree* tree) {
              return value == 601 ? 300 : lowerBoundAnswer(value, tree->numbers, tree->count);
          }}},
         "a tree search answers 300 for 601 among 1000 elements"},
        {{"a tree batch", "", "",
          TreeBatch{[](const int values[], int queries, const SearchTree* tree, int results[]) {
              for (int i = 0; i < queries; ++i) {
                  results[i] = values[i] == 1599
                                   ? 799
                                   : lowerBoundAnswer(values[i], tree->numbers, tree->count);
              }
          }}},
         "a tree batch answers 799 for 1599 among 1000 elements"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wrongAnswer(c.wrong, numbers.data(), 1000, &tree), c.line);
    }
    freeSearchTree(tree);
}

// Run on its own, by CTest, which expects it to stop the process with the
// call's description.
TEST(CheckedCall, DISABLED_NamesTheCallThatReadPastTheEnd)
{
    const int numbers[] = {1, 2, 3};
    GuardedArray array(numbers, 3, true);
    Contender readsPastTheEnd = {"readsPastTheEnd", "", "",
                                 Single{[](int, const int numbers[], int count) {
                                     return static_cast<const volatile int*>(numbers)[count];
                                 }}};
    faultOf(readsPastTheEnd, 2, array, 3);
}

} // namespace
