#include "contender.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchingSearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "binarySearch.h"
#include "compiled.h"
#include "linearSearch.h"

// asmBinarySearch assembled once more, with its loop placed across a 64-byte
// boundary.
extern "C" int asmBinarySearchStraddling(int value, const int numbers[], int count);

// The rows of one compiler's contenders, named "method, compiler".
#define COMPILED(compiler)                                                                         \
    {"binarySearch, " #compiler " -O2",                                                            \
     "binarySearch",                                                                               \
     #compiler " -O2",                                                                             \
     Kind::single,                                                                                 \
     compiler##BinarySearch,                                                                       \
     nullptr,                                                                                      \
     false},                                                                                       \
        {"std::lower_bound, " #compiler " -O2",                                                    \
         "std::lower_bound",                                                                       \
         #compiler " -O2",                                                                         \
         Kind::single,                                                                             \
         compiler::lowerBoundSearch,                                                               \
         nullptr,                                                                                  \
         true},                                                                                    \
        {"power-of-two step, " #compiler " -O2",                                                   \
         "power-of-two step",                                                                      \
         #compiler " -O2",                                                                         \
         Kind::single,                                                                             \
         compiler::powerOfTwoSearch,                                                               \
         nullptr,                                                                                  \
         true},                                                                                    \
        {"branching, " #compiler " -O2",                                                           \
         "branching",                                                                              \
         #compiler " -O2",                                                                         \
         Kind::single,                                                                             \
         compiler::branchingSearch,                                                                \
         nullptr,                                                                                  \
         true},                                                                                    \
        {"branch-free, " #compiler " -O2",                                                         \
         "branch-free",                                                                            \
         #compiler " -O2",                                                                         \
         Kind::single,                                                                             \
         compiler::branchlessSearch,                                                               \
         nullptr,                                                                                  \
         true},                                                                                    \
        {"branch-free with prefetch, " #compiler " -O2",                                           \
         "branch-free with prefetch",                                                              \
         #compiler " -O2",                                                                         \
         Kind::single,                                                                             \
         compiler::prefetchingSearch,                                                              \
         nullptr,                                                                                  \
         true},                                                                                    \
        {"batch, " #compiler " -O2", "batch", #compiler " -O2", Kind::batch, nullptr,              \
         compiler::batchSearch,      true},

const Contender contenders[] = {
    {"asmBinarySearch", "power-of-two step", "hand-written", Kind::single, asmBinarySearch, nullptr,
     true},
    {"asmBinarySearch, loop across 64 bytes", "power-of-two step", "hand-written", Kind::single,
     asmBinarySearchStraddling, nullptr, false},
    {"asmBranchingSearch", "branching", "hand-written", Kind::single, asmBranchingSearch, nullptr,
     true},
    {"asmBranchlessSearch", "branch-free", "hand-written", Kind::single, asmBranchlessSearch,
     nullptr, true},
    {"asmPrefetchingSearch", "branch-free with prefetch", "hand-written", Kind::single,
     asmPrefetchingSearch, nullptr, true},
    {"asmBatchSearch", "batch", "hand-written", Kind::batch, nullptr, asmBatchSearch, true},
#if HAVE_gcc_CONTENDERS
    COMPILED(gcc)
#endif
#if HAVE_clang_CONTENDERS
        COMPILED(clang)
#endif
            {"binarySearch -O0", "binarySearch", "-O0", Kind::single, binarySearch, nullptr, false},
    {"linear scan -O0", "linear scan", "-O0", Kind::scan, calledLinearSearch, nullptr, false},
};
const int contenderCount = sizeof contenders / sizeof contenders[0];

const char* kindName(Kind kind)
{
    return kind == Kind::scan ? "scan" : kind == Kind::single ? "single" : "batch";
}

bool isRightAnswer(int position, int value, const int numbers[], int count)
{
    const int* end = numbers + std::max(count, 0);
    return std::binary_search(numbers, end, value)
               ? position >= 0 && position < count && numbers[position] == value
               : position == -1;
}

std::string wrongAnswer(const Contender& contender, const int numbers[], int count)
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
    } else {
        for (int i = 0; i < queries; ++i) {
            results[i] = contender.search(values[i], numbers, count);
        }
    }
    for (int i = 0; i < queries; ++i) {
        if (!isRightAnswer(results[i], values[i], numbers, count)) {
            return std::string(contender.name) + " answers " + std::to_string(results[i]) +
                   " for " + std::to_string(values[i]) + " among " + std::to_string(count) +
                   " elements";
        }
    }
    return "";
}
