#include "contender.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchingSearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "asmTreeBatchSearch.h"
#include "asmTreeSearch.h"
#include "binarySearch.h"
#include "compiled.h"
#include "linearSearch.h"
#include "yourSearch.h"

// asmBinarySearch assembled once more, with its loop placed across a 64-byte
// boundary; and on x86-64, the tree searches once more for each way of
// counting, whatever the processor has.
extern "C" {
int asmBinarySearchStraddling(int value, const int numbers[], int count);
#if defined(__x86_64__)
int asmTreeSearchSse2(int value, const SearchTree* tree);
int asmTreeSearchAvx2(int value, const SearchTree* tree);
int asmTreeSearchAvx512(int value, const SearchTree* tree);
void asmTreeBatchSearchSse2(const int values[], int queries, const SearchTree* tree, int results[]);
void asmTreeBatchSearchAvx2(const int values[], int queries, const SearchTree* tree, int results[]);
void asmTreeBatchSearchAvx512(const int values[], int queries, const SearchTree* tree,
                              int results[]);
#endif
}

#if defined(__x86_64__)
#define TREE_INTRINSICS(compiler)                                                                  \
    {"tree with AVX2, " #compiler " -O2",                                                          \
     "tree with AVX2",                                                                             \
     #compiler " -O2",                                                                             \
     Tree{compiler::treeSearchAvx2},                                                               \
     true,                                                                                         \
     Needs::avx2},                                                                                 \
        {"tree with AVX-512, " #compiler " -O2",                                                   \
         "tree with AVX-512",                                                                      \
         #compiler " -O2",                                                                         \
         Tree{compiler::treeSearchAvx512},                                                         \
         true,                                                                                     \
         Needs::avx512},                                                                           \
        {"tree batch with AVX2, " #compiler " -O2",                                                \
         "tree batch with AVX2",                                                                   \
         #compiler " -O2",                                                                         \
         TreeBatch{compiler::treeBatchSearchAvx2},                                                 \
         true,                                                                                     \
         Needs::avx2},                                                                             \
        {"tree batch with AVX-512, " #compiler " -O2",                                             \
         "tree batch with AVX-512",                                                                \
         #compiler " -O2",                                                                         \
         TreeBatch{compiler::treeBatchSearchAvx512},                                               \
         true,                                                                                     \
         Needs::avx512},
#else
#define TREE_INTRINSICS(compiler)
#endif

// The rows of one compiler's contenders, named "method, compiler".
#define COMPILED(compiler)                                                                         \
    {"binarySearch, " #compiler " -O2", "binarySearch", #compiler " -O2",                          \
     Single{compiler##BinarySearch}, false},                                                       \
        {"std::lower_bound, " #compiler " -O2", "std::lower_bound", #compiler " -O2",              \
         Single{compiler::lowerBoundSearch}},                                                      \
        {"power-of-two step, " #compiler " -O2", "power-of-two step", #compiler " -O2",            \
         Single{compiler::powerOfTwoSearch}},                                                      \
        {"branching, " #compiler " -O2", "branching", #compiler " -O2",                            \
         Single{compiler::branchingSearch}},                                                       \
        {"branch-free, " #compiler " -O2", "branch-free", #compiler " -O2",                        \
         Single{compiler::branchlessSearch}},                                                      \
        {"branch-free with prefetch, " #compiler " -O2", "branch-free with prefetch",              \
         #compiler " -O2", Single{compiler::prefetchingSearch}},                                   \
        {"batch, " #compiler " -O2", "batch", #compiler " -O2", Batch{compiler::batchSearch}},     \
        {"tree, " #compiler " -O2", "tree", #compiler " -O2", Tree{compiler::treeSearch}},         \
        {"tree batch, " #compiler " -O2", "tree batch", #compiler " -O2",                          \
         TreeBatch{compiler::treeBatchSearch}},                                                    \
        TREE_INTRINSICS(compiler)

// asmTreeSearch and asmTreeBatchSearch count as the widest instructions the
// processor has; on x86-64 the sweep takes each way of counting as its own
// row, beside the compiled twin with the same instructions, and the
// routines that choose stay the program's own rows, in the contest.
const Contender contenders[] = {
    {"asmBinarySearch", "power-of-two step", "hand-written", Single{asmBinarySearch}},
    {"asmBinarySearch, loop across 64 bytes", "power-of-two step", "hand-written",
     Single{asmBinarySearchStraddling}, false},
    {"yourSearch", "power-of-two step, yours", "hand-written", Single{yourSearch}},
    {"asmBranchingSearch", "branching", "hand-written", Single{asmBranchingSearch}},
    {"asmBranchlessSearch", "branch-free", "hand-written", Single{asmBranchlessSearch}},
    {"asmPrefetchingSearch", "branch-free with prefetch", "hand-written",
     Single{asmPrefetchingSearch}},
    {"asmBatchSearch", "batch", "hand-written", Batch{asmBatchSearch}},
#if defined(__x86_64__)
    {"asmTreeSearch", "tree, widest here", "hand-written", Tree{asmTreeSearch}, false},
    {"asmTreeBatchSearch", "tree batch, widest here", "hand-written", TreeBatch{asmTreeBatchSearch},
     false},
    {"asmTreeSearch with SSE2", "tree", "hand-written", Tree{asmTreeSearchSse2}},
    {"asmTreeSearch with AVX2", "tree with AVX2", "hand-written", Tree{asmTreeSearchAvx2}, true,
     Needs::avx2},
    {"asmTreeSearch with AVX-512", "tree with AVX-512", "hand-written", Tree{asmTreeSearchAvx512},
     true, Needs::avx512},
    {"asmTreeBatchSearch with SSE2", "tree batch", "hand-written",
     TreeBatch{asmTreeBatchSearchSse2}},
    {"asmTreeBatchSearch with AVX2", "tree batch with AVX2", "hand-written",
     TreeBatch{asmTreeBatchSearchAvx2}, true, Needs::avx2},
    {"asmTreeBatchSearch with AVX-512", "tree batch with AVX-512", "hand-written",
     TreeBatch{asmTreeBatchSearchAvx512}, true, Needs::avx512},
#else
    {"asmTreeSearch", "tree", "hand-written", Tree{asmTreeSearch}},
    {"asmTreeBatchSearch", "tree batch", "hand-written", TreeBatch{asmTreeBatchSearch}},
#endif
#if HAVE_gcc_CONTENDERS
    COMPILED(gcc)
#endif
#if HAVE_clang_CONTENDERS
        COMPILED(clang)
#endif
            {"binarySearch -O0", "binarySearch", "-O0", Single{binarySearch}, false},
    {"linear scan -O0", "linear scan", "-O0", Scan{calledLinearSearch}, false},
};
const int contenderCount = sizeof contenders / sizeof contenders[0];

const char* kindName(Kind kind)
{
    const char* names[] = {"scan", "single", "batch", "tree", "tree batch"};
    return names[static_cast<int>(kind)];
}

bool runsHere(const Contender& contender)
{
#if defined(__x86_64__)
    static const bool popcnt = __builtin_cpu_supports("popcnt");
    static const bool avx2 = popcnt && __builtin_cpu_supports("avx2");
    static const bool avx512 = popcnt && __builtin_cpu_supports("avx512f");
    return contender.needs == Needs::avx2 ? avx2 : contender.needs == Needs::avx512 ? avx512 : true;
#else
    return contender.needs == Needs::nothing;
#endif
}

bool isRightAnswer(int position, int value, const int numbers[], int count, bool present)
{
    return present ? position >= 0 && position < count && numbers[position] == value
                   : position == -1;
}

std::string wrongAnswer(const Contender& contender, const int numbers[], int count,
                        const SearchTree* tree)
{
    std::vector<int> values = {INT_MIN, INT_MAX};
    for (int i = 0; i < count; i += count / 300 + 1) {
        for (unsigned offset : {-1u, 0u, 1u}) { // wrapping past either end of int
            values.push_back(static_cast<int>(static_cast<unsigned>(numbers[i]) + offset));
        }
    }
    int queries = static_cast<int>(values.size());
    std::vector<int> results(values.size());
    auto each = [&](auto find) {
        for (int i = 0; i < queries; ++i) {
            results[i] = find(values[i]);
        }
    };
    std::visit(
        Overloaded{[&](Batch b) { b.call(values.data(), queries, numbers, count, results.data()); },
                   [&](TreeBatch b) { b.call(values.data(), queries, tree, results.data()); },
                   [&](Tree t) { each([&](int value) { return t.call(value, tree); }); },
                   [&](auto s) { each([&](int value) { return s.call(value, numbers, count); }); }},
        contender.search);
    for (int i = 0; i < queries; ++i) {
        bool present = std::binary_search(numbers, numbers + std::max(count, 0), values[i]);
        if (!isRightAnswer(results[i], values[i], numbers, count, present)) {
            return std::string(contender.name) + " answers " + std::to_string(results[i]) +
                   " for " + std::to_string(values[i]) + " among " + std::to_string(count) +
                   " elements";
        }
    }
    return "";
}
