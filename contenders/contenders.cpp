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

// asmBinarySearch assembled once more, with its loop placed across a 64-byte
// boundary; and on x86-64, the tree searches once more for each narrower way
// of counting than the processor's.
extern "C" {
int asmBinarySearchStraddling(int value, const int numbers[], int count);
#if defined(__x86_64__)
int asmTreeSearchSse2(int value, const SearchTree* tree);
int asmTreeSearchAvx2(int value, const SearchTree* tree);
void asmTreeBatchSearchSse2(const int values[], int queries, const SearchTree* tree, int results[]);
void asmTreeBatchSearchAvx2(const int values[], int queries, const SearchTree* tree, int results[]);
#endif
}

namespace {

constexpr Contender single(const char* name, const char* method, const char* compiler,
                           SearchFunction search, bool swept = true)
{
    return {name, method, compiler, Kind::single, search, nullptr, swept};
}

constexpr Contender batch(const char* name, const char* compiler, BatchFunction search)
{
    return {name, "batch", compiler, Kind::batch, nullptr, search, true};
}

constexpr Contender tree(const char* name, const char* method, const char* compiler,
                         TreeFunction search, bool swept = true, Needs needs = Needs::nothing)
{
    return {name, method, compiler, Kind::tree, nullptr, nullptr, swept, search, nullptr, needs};
}

constexpr Contender treeBatch(const char* name, const char* compiler, TreeBatchFunction search,
                              bool swept = true, Needs needs = Needs::nothing)
{
    return {name,    "tree batch", compiler, Kind::treeBatch, nullptr,
            nullptr, swept,        nullptr,  search,          needs};
}

} // namespace

#if defined(__x86_64__)
#define TREE_INTRINSICS(compiler)                                                                  \
    tree("tree with AVX2, " #compiler " -O2", "tree with AVX2", #compiler " -O2",                  \
         compiler::treeSearchAvx2, true, Needs::avx2),                                             \
        tree("tree with AVX-512, " #compiler " -O2", "tree with AVX-512", #compiler " -O2",        \
             compiler::treeSearchAvx512, true, Needs::avx512),
#else
#define TREE_INTRINSICS(compiler)
#endif

// The rows of one compiler's contenders, named "method, compiler".
#define COMPILED(compiler)                                                                         \
    single("binarySearch, " #compiler " -O2", "binarySearch", #compiler " -O2",                    \
           compiler##BinarySearch, false),                                                         \
        single("std::lower_bound, " #compiler " -O2", "std::lower_bound", #compiler " -O2",        \
               compiler::lowerBoundSearch),                                                        \
        single("power-of-two step, " #compiler " -O2", "power-of-two step", #compiler " -O2",      \
               compiler::powerOfTwoSearch),                                                        \
        single("branching, " #compiler " -O2", "branching", #compiler " -O2",                      \
               compiler::branchingSearch),                                                         \
        single("branch-free, " #compiler " -O2", "branch-free", #compiler " -O2",                  \
               compiler::branchlessSearch),                                                        \
        single("branch-free with prefetch, " #compiler " -O2", "branch-free with prefetch",        \
               #compiler " -O2", compiler::prefetchingSearch),                                     \
        batch("batch, " #compiler " -O2", #compiler " -O2", compiler::batchSearch),                \
        tree("tree, " #compiler " -O2", "tree", #compiler " -O2", compiler::treeSearch),           \
        TREE_INTRINSICS(compiler) treeBatch("tree batch, " #compiler " -O2", #compiler " -O2",     \
                                            compiler::treeBatchSearch),

const Contender contenders[] = {
    single("asmBinarySearch", "power-of-two step", "hand-written", asmBinarySearch),
    single("asmBinarySearch, loop across 64 bytes", "power-of-two step", "hand-written",
           asmBinarySearchStraddling, false),
    single("asmBranchingSearch", "branching", "hand-written", asmBranchingSearch),
    single("asmBranchlessSearch", "branch-free", "hand-written", asmBranchlessSearch),
    single("asmPrefetchingSearch", "branch-free with prefetch", "hand-written",
           asmPrefetchingSearch),
    batch("asmBatchSearch", "hand-written", asmBatchSearch),
    tree("asmTreeSearch", "tree", "hand-written", asmTreeSearch),
    treeBatch("asmTreeBatchSearch", "hand-written", asmTreeBatchSearch),
#if defined(__x86_64__)
    tree("asmTreeSearch with SSE2", "tree", "hand-written", asmTreeSearchSse2, false),
    tree("asmTreeSearch with AVX2", "tree with AVX2", "hand-written", asmTreeSearchAvx2, false,
         Needs::avx2),
    treeBatch("asmTreeBatchSearch with SSE2", "hand-written", asmTreeBatchSearchSse2, false),
    treeBatch("asmTreeBatchSearch with AVX2", "hand-written", asmTreeBatchSearchAvx2, false,
              Needs::avx2),
#endif
#if HAVE_gcc_CONTENDERS
    COMPILED(gcc)
#endif
#if HAVE_clang_CONTENDERS
        COMPILED(clang)
#endif
            single("binarySearch -O0", "binarySearch", "-O0", binarySearch, false),
    {"linear scan -O0", "linear scan", "-O0", Kind::scan, calledLinearSearch, nullptr, false},
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
    if (contender.kind == Kind::batch) {
        contender.batch(values.data(), queries, numbers, count, results.data());
    } else if (contender.kind == Kind::treeBatch) {
        contender.treeBatch(values.data(), queries, tree, results.data());
    } else {
        for (int i = 0; i < queries; ++i) {
            results[i] = contender.kind == Kind::tree ? contender.tree(values[i], tree)
                                                      : contender.search(values[i], numbers, count);
        }
    }
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
