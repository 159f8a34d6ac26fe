#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildSearchTree.h"
#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

const int GROUP = 64; // searches that a batch takes down together

class EveryTreeSearch : public testing::TestWithParam<Contender> {};

INSTANTIATE_TEST_SUITE_P(, EveryTreeSearch,
                         testing::ValuesIn(contendersOf({Kind::tree, Kind::treeBatch})),
                         [](const testing::TestParamInfo<Contender>& info) {
                             return testNameOf(info.param);
                         });

// Every count to 300, and either side of where the tree gains its first,
// second and third level of index, and of the fourth, and of where the
// single searches prefetch the leaves (the largest count takes them through
// prefetching the nodes above as well); duplicates, negative
// values and both ends of int. The array, index and tail flush against a
// guard page at one end and then the other; the values to seek, a few
// hundred at most, their neighbours and the ends of int, and for a batch,
// numbers of them either side of a group and of two.
TEST_P(EveryTreeSearch, AnswersTheFirstEqualReadsNothingElseAndKeepsItsRegisters)
{
    std::vector<int> counts(301);
    for (int i = 0; i <= 300; ++i) {
        counts[i] = i;
    }
    for (int edge : {17 * 16, 17 * 17 * 16, 17 * 17 * 17 * 16, 1 << 18}) {
        counts.insert(counts.end(), {edge - 1, edge, edge + 1});
    }
    std::mt19937 generator(20261207);
    for (auto range : {std::make_pair(1, 3), {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}}) {
        std::uniform_int_distribution<int> pick(range.first, range.second);
        for (int count : counts) {
            std::vector<int> numbers(count);
            std::generate(numbers.begin(), numbers.end(), [&] { return pick(generator); });
            std::sort(numbers.begin(), numbers.end());
            // The values: a hundred elements or so, and their neighbours,
            // for a batch; four or so for a single search, which takes each
            // through the checker apart (slow under an emulator), as well as
            // both ends of int and their neighbours.
            int spread = GetParam().kind() == Kind::tree ? 4 : 100;
            std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
            for (int i = 0; i < count; i += count / spread + 1) {
                for (unsigned offset : {-1u, 0u, 1u}) { // wrapping past either end of int
                    values.push_back(static_cast<int>(static_cast<unsigned>(numbers[i]) + offset));
                }
            }
            int most = static_cast<int>(values.size());
            // A batch takes numbers of them either side of a group and of two.
            std::vector<int> batches = {1, GROUP - 1, GROUP, GROUP + 1, 2 * GROUP + 1, most};
            if (GetParam().kind() == Kind::tree) {
                batches = {most};
            }
            SearchTree built = buildSearchTree(numbers.data(), count);
            for (bool flushAgainstEnd : {false, true}) {
                GuardedArray array(numbers.data(), count, flushAgainstEnd);
                GuardedTree guarded(built, array.data(), flushAgainstEnd);
                for (int queries : batches) {
                    queries = std::min(queries, most);
                    GuardedArray sought(values.data(), queries, flushAgainstEnd);
                    GuardedArray results(nullptr, queries, flushAgainstEnd, true);
                    ASSERT_EQ(treeFaultOf(GetParam(), guarded.tree, numbers.data(), count, sought,
                                          queries, results),
                              "")
                        << "count " << count << ", " << queries << " queries, " << array.guard();
                }
            }
            freeSearchTree(built);
        }
    }
}

// An empty tree reads nothing of the array it is given, and answers -1.
TEST_P(EveryTreeSearch, FindsNothingInAnEmptyTree)
{
    GuardedArray nothingReadable(nullptr, 0, false);
    std::vector<int> values = {INT_MIN, -1, 0, 1, INT_MAX};
    GuardedArray sought(values.data(), values.size(), true);
    GuardedArray results(nullptr, values.size(), true, true);
    for (int count : {0, -1, INT_MIN}) {
        SearchTree built = buildSearchTree(nothingReadable.data(), count);
        GuardedTree guarded(built, nothingReadable.data(), true);
        EXPECT_EQ(treeFaultOf(GetParam(), guarded.tree, nullptr, 0, sought, 5, results), "")
            << count;
        freeSearchTree(built);
    }
}

#if INTPTR_MAX > INT32_MAX
// INT_MAX zeroes that are never touched but where read: 16 k + c passes 2^31
// in the last block, and the index's bytes pass 2^29. Its nodes are all
// zeroes too, but for the keys of children that do not exist, in the last
// node of each level.
TEST_P(EveryTreeSearch, SearchesTheLargestCount)
{
    GuardedArray zeroes(nullptr, INT_MAX, true);
    SearchTree tree = searchTreeShape(zeroes.data(), INT_MAX);
    GuardedArray nodes(nullptr, static_cast<std::size_t>(tree.firstNode[tree.levels]) * TREE_KEYS,
                       true, true);
    std::int64_t blocks = (static_cast<std::int64_t>(INT_MAX) + TREE_KEYS - 1) / TREE_KEYS;
    std::int64_t span = 1;
    for (int level = tree.levels - 1; level >= 0; --level) {
        std::int64_t last = tree.firstNode[level + 1] - 1;
        std::int64_t k = last - tree.firstNode[level];
        for (int j = 0; j < TREE_KEYS; ++j) {
            if ((k * TREE_FANOUT + j + 1) * span >= blocks) {
                nodes.writableData()[last * TREE_KEYS + j] = INT_MAX;
            }
        }
        span *= TREE_FANOUT;
    }
    std::vector<int> tail(TREE_KEYS, 0);
    tail.back() = INT_MAX;
    GuardedArray guardedTail(tail.data(), TREE_KEYS, true);
    tree.nodes = nodes.data();
    tree.tail = guardedTail.data();

    std::vector<int> values(GROUP + 3);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = std::vector<int>{-1, 0, 1, INT_MIN, INT_MAX}[i % 5];
    }
    GuardedArray sought(values.data(), values.size(), true);
    GuardedArray results(nullptr, values.size(), true, true);
    int queries = GetParam().kind() == Kind::treeBatch ? static_cast<int>(values.size()) : 5;
    EXPECT_EQ(treeFaultOf(GetParam(), tree, zeroes.data(), INT_MAX, sought, queries, results), "");
}
#endif

// For a large array the index takes at most a fifteenth of its bytes, and
// the tail holds the last block padded.
TEST(BuildSearchTree, TakesAFifteenthAndCopiesTheLastBlock)
{
    for (int count : {17 * 17 * 17 * 16 + 1, 1000000 + 7}) {
        std::vector<int> numbers(count);
        for (int i = 0; i < count; ++i) {
            numbers[i] = i;
        }
        SearchTree tree = buildSearchTree(numbers.data(), count);
        EXPECT_LE((searchTreeBytes(tree) - 64) * 15, numbers.size() * sizeof(int)) << count;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(tree.nodes) % 64, 0u);
        for (int j = 0; j < TREE_KEYS; ++j) {
            std::int64_t element = static_cast<std::int64_t>(tree.tailBlock) * TREE_KEYS + j;
            EXPECT_EQ(tree.tail[j], element < count ? numbers[element] : INT_MAX) << j;
        }
        freeSearchTree(tree);
    }
}

} // namespace
