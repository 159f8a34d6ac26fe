// Nanoseconds per search for the hand-written searches and the compiled
// ones, on the program's own data set.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "binarySearch.h"
#include "contenders.h"
#include "dataSet.h"
#include "linearSearch.h"

namespace {

// The program's data set, as generated and sorted.
const std::vector<int> unsorted = [] {
    std::vector<int> numbers(ARRAY_SIZE);
    generateDataSet(numbers.data());
    return numbers;
}();

const std::vector<int> sorted = [] {
    std::vector<int> numbers = unsorted;
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}();

// 2^20 values drawn uniformly from 1 to 1000: all in the data set, and in an
// order that no branch predictor learns.
const std::vector<int> randomValues = [] {
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> pick(1, 1000);
    std::vector<int> values(1 << 20);
    std::generate(values.begin(), values.end(), [&] { return pick(generator); });
    return values;
}();
const std::size_t mask = randomValues.size() - 1;

// The program's workload: one value, searched again and again.
template <SearchFunction search>
void sameValue(benchmark::State& state, const std::vector<int>* numbers, int value)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(value, numbers->data(), ARRAY_SIZE));
    }
}

// A fresh value each call, known long before: the processor may run several
// searches at once.
template <SearchFunction search> void randomValue(benchmark::State& state)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(randomValues[next], sorted.data(), ARRAY_SIZE));
        next = (next + 1) & mask;
    }
}

// A fresh value each call, which waits for the last search's answer: every
// answer is 0 or more, so the value is randomValues[next], but no search can
// start before the one before it ends.
template <SearchFunction search> void chainedValue(benchmark::State& state)
{
    std::size_t next = 0;
    int last = 0;
    for (auto _ : state) {
        last = search(randomValues[(next - (last >> 31)) & mask], sorted.data(), ARRAY_SIZE);
        next = (next + 1) & mask;
    }
    benchmark::DoNotOptimize(last);
}

// All of randomValues in one batch; time per query.
template <BatchFunction search> void randomBatch(benchmark::State& state)
{
    std::vector<int> results(randomValues.size());
    for (auto _ : state) {
        search(randomValues.data(), static_cast<int>(randomValues.size()), sorted.data(),
               ARRAY_SIZE, results.data());
        benchmark::ClobberMemory();
    }
    state.counters["queries"] = static_cast<double>(randomValues.size());
}

template <SearchFunction search>
void addRepeatedValues(const std::string& name, const std::vector<int>& numbers)
{
    benchmark::RegisterBenchmark((name + "/found 500").c_str(), sameValue<search>, &numbers, 500);
    benchmark::RegisterBenchmark((name + "/missing 1001").c_str(), sameValue<search>, &numbers,
                                 1001);
}

template <SearchFunction search> void addContender(const std::string& name)
{
    addRepeatedValues<search>(name, sorted);
    benchmark::RegisterBenchmark((name + "/random").c_str(), randomValue<search>);
    benchmark::RegisterBenchmark((name + "/random, chained").c_str(), chainedValue<search>);
}

template <BatchFunction search> void addBatch(const std::string& name)
{
    benchmark::RegisterBenchmark((name + "/random").c_str(), randomBatch<search>);
}

} // namespace

int main(int argc, char** argv)
{
    addContender<asmBinarySearch>("asmBinarySearch");
    addContender<asmBinarySearchStraddling>("asmBinarySearch, loop across 64 bytes");
    addContender<asmBranchlessSearch>("asmBranchlessSearch");
    addContender<asmPrefetchingSearch>("asmPrefetchingSearch");
    addBatch<asmBatchSearch>("asmBatchSearch");
#if HAVE_gcc_CONTENDERS
    addContender<gcc::binarySearch>("binarySearch, gcc -O2");
    addContender<gcc::lowerBoundSearch>("std::lower_bound, gcc -O2");
    addContender<gcc::powerOfTwoSearch>("power-of-two step, gcc -O2");
    addContender<gcc::branchlessSearch>("branch-free, gcc -O2");
    addContender<gcc::prefetchingSearch>("branch-free with prefetch, gcc -O2");
    addBatch<gcc::batchSearch>("batch, gcc -O2");
#endif
#if HAVE_clang_CONTENDERS
    addContender<clang::binarySearch>("binarySearch, clang -O2");
    addContender<clang::lowerBoundSearch>("std::lower_bound, clang -O2");
    addContender<clang::powerOfTwoSearch>("power-of-two step, clang -O2");
    addContender<clang::branchlessSearch>("branch-free, clang -O2");
    addContender<clang::prefetchingSearch>("branch-free with prefetch, clang -O2");
    addBatch<clang::batchSearch>("batch, clang -O2");
#endif
    addContender<binarySearch>("binarySearch -O0");
    addRepeatedValues<calledLinearSearch>("linear scan -O0", unsorted);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
