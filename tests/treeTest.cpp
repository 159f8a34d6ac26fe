#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "buildSearchTree.h"
#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

class EveryTreeSearch : public testing::TestWithParam<Contender> {};

INSTANTIATE_TEST_SUITE_P(, EveryTreeSearch,
                         testing::ValuesIn(contendersOf({Kind::tree, Kind::treeBatch})),
                         [](const testing::TestParamInfo<Contender>& info) {
                             return testNameOf(info.param);
                         });

// Every count to 300, and either side of where the tree gains its first,
// second and third level of index, and of the fourth; either side of where
// the single searches prefetch the leaves and where they prefetch the nodes
// above too, and on x86-64 past where a batch prefetches to L2 only (over
// distinct values only, which are quick to make at that size); duplicates,
// negative values and both ends of int. The array, index and tail flush
// against a guard page at one end and then the other; the values to seek, a
// thousand at most, their neighbours and the ends of int, and for a
// batch, numbers of them either side of a group and of two, and all of them
// answered over their values as well.
TEST_P(EveryTreeSearch, AnswersTheFirstEqualReadsNothingElseAndKeepsItsRegisters)
{
    bool single = GetParam().kind() == Kind::tree;
    auto check = [&](const std::vector<int>& numbers) {
        int count = static_cast<int>(numbers.size());
        int group = treeGroup(count);
        // Four elements or so and their neighbours for a single search, which
        // takes each through the checker apart (slow under an emulator); for
        // a batch, enough for two groups and more.
        std::vector<int> values = valuesFor(numbers, single ? 4 : group);
        int most = static_cast<int>(values.size());
        std::vector<int> batches = {1, group - 1, group, group + 1, 2 * group + 1, most};
        if (single) {
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
                if (queries == most && !single) { // answered over the values as well
                    GuardedArray inPlace(values.data(), queries, flushAgainstEnd, true);
                    ASSERT_EQ(treeFaultOf(GetParam(), guarded.tree, numbers.data(), count, inPlace,
                                          queries, inPlace),
                              "")
                        << "count " << count << ", " << queries << " queries in place";
                }
            }
        }
        freeSearchTree(built);
    };

    std::vector<int> counts(301);
    std::iota(counts.begin(), counts.end(), 0);
    for (int edge : {17 * 16, 17 * 17 * 16, 17 * 17 * 17 * 16, TREE_PREFETCHED_LEAVES}) {
        counts.insert(counts.end(), {edge - 1, edge, edge + 1});
    }
    std::vector<int> distinct = {TREE_PREFETCHED_NODES - 1, TREE_PREFETCHED_NODES + 1};
#if defined(__x86_64__)
    // Past where the single searches stop prefetching the level above, and
    // the batches prefetch into L2 only.
    distinct.push_back(single ? TREE_PREFETCHED_NODES_UNTIL + 1 : TREE_PREFETCHED_TO_L2 + 1);
#endif
    forSortedArrays(counts, distinct, 20261207, [&](const std::vector<int>& numbers) {
        check(numbers);
        return !HasFatalFailure();
    });
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

    std::vector<int> values(TREE_GROUP + 3);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = std::vector<int>{-1, 0, 1, INT_MIN, INT_MAX}[i % 5];
    }
    GuardedArray sought(values.data(), values.size(), true);
    GuardedArray results(nullptr, values.size(), true, true);
    int queries = GetParam().kind() == Kind::treeBatch ? static_cast<int>(values.size()) : 5;
    EXPECT_EQ(treeFaultOf(GetParam(), tree, zeroes.data(), INT_MAX, sought, queries, results), "");
}
#endif

// The shape at the largest counts, and either side of where a level is
// added, worked out without the memory: the root is one node with two
// children or more (no level too many), each level's nodes have children
// enough to reach every node or block below and no node is without one, and
// over a large array the index with the tail takes at most a fifteenth of
// the array's bytes (and a line).
TEST(SearchTreeShape, HasTheLevelsAndNodesThatReachEveryBlock)
{
    const std::int64_t block = TREE_KEYS;
    for (int count :
         {1, 16, 17, 17 * 16 + 1, 17 * 17 * 17 * 16 + 1, 17 * 17 * 17 * 17 * 16,
          17 * 17 * 17 * 17 * 16 + 1, 17 * 17 * 17 * 17 * 17 * 17 * 16,
          17 * 17 * 17 * 17 * 17 * 17 * 16 + 1, INT_MAX - 16, INT_MAX - 15, INT_MAX - 1, INT_MAX}) {
        SearchTree tree = searchTreeShape(nullptr, count);
        std::int64_t blocks = (count + block - 1) / block;
        EXPECT_EQ(tree.count, count);
        EXPECT_EQ(tree.tailBlock, count / TREE_KEYS) << count;
        ASSERT_LT(tree.levels, TREE_MAX_LEVELS) << count;
        if (blocks > 1) {
            ASSERT_GE(tree.levels, 1) << count;
            EXPECT_EQ(tree.firstNode[0], 0) << count;
            EXPECT_EQ(tree.firstNode[1], 1) << count;
        } else {
            EXPECT_EQ(tree.levels, 0) << count;
        }
        for (int level = 0; level < tree.levels; ++level) {
            std::int64_t nodes = tree.firstNode[level + 1] - tree.firstNode[level];
            std::int64_t below = level + 1 < tree.levels
                                     ? tree.firstNode[level + 2] - tree.firstNode[level + 1]
                                     : blocks;
            EXPECT_LE(below, nodes * TREE_FANOUT) << count << ", level " << level;
            EXPECT_GT(below, (nodes - 1) * TREE_FANOUT) << count << ", level " << level;
            EXPECT_GT(below, level == 0 ? 1 : 0) << count << ", level " << level;
        }
        std::size_t bytes = searchTreeBytes(tree);
        EXPECT_EQ(bytes, (static_cast<std::size_t>(tree.firstNode[tree.levels]) + 1) * 64);
        if (count > 17 * 17 * 17 * 16) {
            EXPECT_LE((bytes - 64) * 15, static_cast<std::size_t>(count) * sizeof(int)) << count;
        }
    }
}

// The index on a line, and the tail the last block padded.
TEST(BuildSearchTree, AlignsTheIndexAndCopiesTheLastBlock)
{
    for (int count : {17 * 16 + 1, 1000000 + 7}) {
        std::vector<int> numbers(count);
        for (int i = 0; i < count; ++i) {
            numbers[i] = i;
        }
        SearchTree tree = buildSearchTree(numbers.data(), count);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(tree.nodes) % 64, 0u);
        for (int j = 0; j < TREE_KEYS; ++j) {
            std::int64_t element = static_cast<std::int64_t>(tree.tailBlock) * TREE_KEYS + j;
            EXPECT_EQ(tree.tail[j], element < count ? numbers[element] : INT_MAX) << j;
        }
        freeSearchTree(tree);
    }
}

} // namespace
