#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "asmTreeBatchSearch.h"
#include "asmTreeSearch.h"
#include "buildSearchTree.h"
#include "checkedCall.h"
#include "guardedMemory.h"

namespace TREE_COMPILER {
#include "tree.h"
}

namespace {

using TreeSearch = int (*)(int value, const SearchTree* tree);
using TreeBatch = void (*)(const int values[], int queries, const SearchTree* tree, int results[]);

struct Named {
    const char* name;
    TreeSearch find;
    TreeBatch batch;
    bool runs;
};

#if defined(__x86_64__)
const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
const bool avx512 = __builtin_cpu_supports("avx512f");
#endif

const Named searches[] = {
    {"asmTreeSearch", asmTreeSearch, nullptr, true},
    {"treeSearch", TREE_COMPILER::treeSearch, nullptr, true},
#if defined(__x86_64__)
    {"treeSearchAvx2", TREE_COMPILER::treeSearchAvx2, nullptr, avx2},
    {"treeSearchAvx512", TREE_COMPILER::treeSearchAvx512, nullptr, avx512},
#endif
    {"asmTreeBatchSearch", nullptr, asmTreeBatchSearch, true},
    {"treeBatchSearch", nullptr, TREE_COMPILER::treeBatchSearch, true},
};

const int GROUP = 32; // searches that a batch takes down together

int lowerBoundAnswer(int value, const int numbers[], int count)
{
    const int* found = std::lower_bound(numbers, numbers + count, value);
    return found != numbers + count && *found == value ? static_cast<int>(found - numbers) : -1;
}

// The tree over array, its index and tail copied each against a guard page
// at the end given.
struct GuardedTree {
    GuardedTree(const SearchTree& built, const int numbers[], bool flushAgainstEnd)
        : nodes(built.nodes, static_cast<std::size_t>(built.firstNode[built.levels]) * TREE_KEYS,
                flushAgainstEnd),
          tail(built.tail, TREE_KEYS, flushAgainstEnd), tree(built)
    {
        tree.nodes = nodes.data();
        tree.tail = tail.data();
        tree.numbers = numbers;
    }
    GuardedArray nodes;
    GuardedArray tail;
    SearchTree tree;
};

struct Call {
    const Named& search;
    int value;
    int queries;
    const SearchTree& tree;
    const char* guard;
};

void describe(const void* call)
{
    auto c = static_cast<const Call*>(call);
    std::fprintf(stderr, "%s(value %d, queries %d, tree of count %d), arrays %s", c->search.name,
                 c->value, c->queries, c->tree.count, c->guard);
}

// What is wrong with what search answers to values[0..queries) in tree,
// called through checkedCall, judged by std::lower_bound over numbers.
std::string faultOf(const Named& search, const SearchTree& tree, const int numbers[], int count,
                    const GuardedArray& values, int queries, const GuardedArray& results)
{
    std::string clobbered;
    std::string fault;
    if (search.batch != nullptr) {
        std::fill(results.writableData(), results.writableData() + queries, -2);
        const Call call = {search, 0, queries, tree, values.guard()};
        const std::uintptr_t arguments[5] = {pointerArgument(values.data()), intArgument(queries),
                                             pointerArgument(&tree),
                                             pointerArgument(results.data()), unusedArgument};
        checkedCall(reinterpret_cast<AnyFunction>(search.batch), arguments, describe, &call,
                    clobbered);
    }
    for (int i = 0; i < queries && fault.empty() && clobbered.empty(); ++i) {
        int value = values.data()[i];
        int answer;
        if (search.batch != nullptr) {
            answer = results.data()[i];
        } else {
            const Call call = {search, value, 1, tree, values.guard()};
            const std::uintptr_t arguments[5] = {intArgument(value), pointerArgument(&tree),
                                                 unusedArgument, unusedArgument, unusedArgument};
            answer = checkedCall(reinterpret_cast<AnyFunction>(search.find), arguments, describe,
                                 &call, clobbered);
        }
        int expected = lowerBoundAnswer(value, numbers, count);
        if (answer != expected) {
            fault = "answered " + std::to_string(answer) + " to " + std::to_string(value) +
                    ", not " + std::to_string(expected) + ". ";
        }
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}

class EveryTreeSearch : public testing::TestWithParam<Named> {};

INSTANTIATE_TEST_SUITE_P(, EveryTreeSearch, testing::ValuesIn(searches),
                         [](const testing::TestParamInfo<Named>& info) { return info.param.name; });

// Every count to 300, and either side of where the tree gains its first,
// second and third level of index, and of the fourth; duplicates, negative
// values and both ends of int. The array, index and tail flush against a
// guard page at one end and then the other; the values to seek, a few
// hundred at most, their neighbours and the ends of int, and for a batch,
// numbers of them either side of a group and of two.
TEST_P(EveryTreeSearch, AnswersTheFirstEqualReadsNothingElseAndKeepsItsRegisters)
{
    if (!GetParam().runs) {
        GTEST_SKIP() << "the processor lacks the instructions";
    }
    std::vector<int> counts(301);
    for (int i = 0; i <= 300; ++i) {
        counts[i] = i;
    }
    for (int edge : {17 * 16, 17 * 17 * 16, 17 * 17 * 17 * 16}) {
        counts.insert(counts.end(), {edge - 1, edge, edge + 1});
    }
    std::mt19937 generator(20261207);
    for (auto range : {std::make_pair(1, 3), {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}}) {
        std::uniform_int_distribution<int> pick(range.first, range.second);
        for (int count : counts) {
            std::vector<int> numbers(count);
            std::generate(numbers.begin(), numbers.end(), [&] { return pick(generator); });
            std::sort(numbers.begin(), numbers.end());
            std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
            for (int i = 0; i < count; i += count / 100 + 1) {
                for (unsigned offset : {-1u, 0u, 1u}) { // wrapping past either end of int
                    values.push_back(static_cast<int>(static_cast<unsigned>(numbers[i]) + offset));
                }
            }
            int most = static_cast<int>(values.size());
            SearchTree built = buildSearchTree(numbers.data(), count);
            for (bool flushAgainstEnd : {false, true}) {
                GuardedArray array(numbers.data(), count, flushAgainstEnd);
                GuardedTree guarded(built, array.data(), flushAgainstEnd);
                for (int queries : {1, GROUP - 1, GROUP, GROUP + 1, 2 * GROUP + 1, most}) {
                    queries = std::min(queries, most);
                    GuardedArray sought(values.data(), queries, flushAgainstEnd);
                    GuardedArray results(nullptr, queries, flushAgainstEnd, true);
                    ASSERT_EQ(faultOf(GetParam(), guarded.tree, numbers.data(), count, sought,
                                      queries, results),
                              "")
                        << "count " << count << ", " << queries << " queries, " << array.guard();
                    if (GetParam().batch == nullptr) {
                        break;
                    }
                }
            }
            freeSearchTree(built);
        }
    }
}

// An empty tree reads nothing of the array it is given, and answers -1.
TEST_P(EveryTreeSearch, FindsNothingInAnEmptyTree)
{
    if (!GetParam().runs) {
        GTEST_SKIP() << "the processor lacks the instructions";
    }
    GuardedArray nothingReadable(nullptr, 0, false);
    std::vector<int> values = {INT_MIN, -1, 0, 1, INT_MAX};
    GuardedArray sought(values.data(), values.size(), true);
    GuardedArray results(nullptr, values.size(), true, true);
    for (int count : {0, -1, INT_MIN}) {
        SearchTree built = buildSearchTree(nothingReadable.data(), count);
        GuardedTree guarded(built, nothingReadable.data(), true);
        EXPECT_EQ(faultOf(GetParam(), guarded.tree, nullptr, 0, sought, 5, results), "") << count;
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
    if (!GetParam().runs) {
        GTEST_SKIP() << "the processor lacks the instructions";
    }
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
    int queries = GetParam().batch != nullptr ? static_cast<int>(values.size()) : 5;
    EXPECT_EQ(faultOf(GetParam(), tree, zeroes.data(), INT_MAX, sought, queries, results), "");
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
