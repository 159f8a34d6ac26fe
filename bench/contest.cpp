// Nanoseconds per search for the hand-written searches and the compiled
// ones, on the program's own data set.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "asmBinarySearch.h"
#include "asmBranchlessSearch.h"
#include "binarySearch.h"
#include "contenders.h"

namespace {

const int ARRAY_SIZE = 10000;

// The program's data set: unseeded rand(), as generated and sorted.
std::vector<int> generated()
{
    std::vector<int> numbers(ARRAY_SIZE);
    for (int& number : numbers) {
        number = std::rand() % 1000 + 1;
    }
    return numbers;
}

const std::vector<int> unsorted = generated();

const std::vector<int> sorted = [] {
    std::vector<int> numbers = unsorted;
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}();

// A million values drawn uniformly from 1 to 1000: all in the data set, and
// in an order that no branch predictor learns.
const std::vector<int> randomValues = [] {
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> pick(1, 1000);
    std::vector<int> values(1 << 20);
    std::generate(values.begin(), values.end(), [&] { return pick(generator); });
    return values;
}();

using Search = int (*)(int value, const int numbers[], int count);

// The program's workload: one value, searched again and again.
template <Search search>
void sameValue(benchmark::State& state, const std::vector<int>* numbers, int value)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(value, numbers->data(), ARRAY_SIZE));
    }
}

// A fresh value each call.
template <Search search> void randomValue(benchmark::State& state, const std::vector<int>* numbers)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(randomValues[next], numbers->data(), ARRAY_SIZE));
        next = (next + 1) & (randomValues.size() - 1);
    }
}

template <Search search> void addContender(const std::string& name, bool random = true)
{
    const std::vector<int>* numbers = random ? &sorted : &unsorted;
    benchmark::RegisterBenchmark((name + "/found 500").c_str(), sameValue<search>, numbers, 500);
    benchmark::RegisterBenchmark((name + "/missing 1001").c_str(), sameValue<search>, numbers,
                                 1001);
    if (random) {
        benchmark::RegisterBenchmark((name + "/random").c_str(), randomValue<search>, numbers);
    }
}

} // namespace

int main(int argc, char** argv)
{
    addContender<asmBinarySearch>("asmBinarySearch");
    addContender<asmBinarySearchStraddling>("asmBinarySearch, loop across 64 bytes");
#if HAVE_ASM_BRANCHLESS_SEARCH
    addContender<asmBranchlessSearch>("asmBranchlessSearch");
#endif
#if HAVE_gcc_CONTENDERS
    addContender<gcc::binarySearch>("binarySearch, gcc -O2");
    addContender<gcc::lowerBoundSearch>("std::lower_bound, gcc -O2");
    addContender<gcc::powerOfTwoSearch>("power-of-two step, gcc -O2");
    addContender<gcc::branchlessSearch>("branch-free, gcc -O2");
#endif
#if HAVE_clang_CONTENDERS
    addContender<clang::binarySearch>("binarySearch, clang -O2");
    addContender<clang::lowerBoundSearch>("std::lower_bound, clang -O2");
    addContender<clang::powerOfTwoSearch>("power-of-two step, clang -O2");
    addContender<clang::branchlessSearch>("branch-free, clang -O2");
#endif
    addContender<binarySearch>("binarySearch -O0");
    addContender<linearScan>("linear scan -O0", false);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
