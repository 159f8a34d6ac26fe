// Nanoseconds per search for the hand-written search and the compiled ones,
// on the program's own data set.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "asmBinarySearch.h"
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

// A million values, half of them in the data set and half not, in random
// order: few enough repeats that no branch predictor learns the sequence.
const std::vector<int> randomValues = [] {
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> found(1, 1000);
    std::uniform_int_distribution<int> missing(-1000, 999);
    std::vector<int> values(1 << 20);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % 2 == 0) {
            values[i] = found(generator);
        } else {
            int outside = missing(generator);
            values[i] = outside <= 0 ? outside : outside + 1001;
        }
    }
    std::shuffle(values.begin(), values.end(), generator);
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

template <Search search>
void addContender(const std::string& name, const std::vector<int>* numbers, bool random)
{
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
    addContender<asmBinarySearch>("asmBinarySearch", &sorted, true);
    addContender<binarySearch>("binarySearch -O0", &sorted, true);
    addContender<optimised::binarySearch>("binarySearch -O2", &sorted, true);
    addContender<lowerBoundSearch>("std::lower_bound -O2", &sorted, true);
    addContender<linearScan>("linear scan -O0", &unsorted, false);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
