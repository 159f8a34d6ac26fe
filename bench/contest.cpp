// Nanoseconds per search for the hand-written searches and the compiled
// ones, on the program's own data set.
//
//     search_contest [--contenders] [Google Benchmark's options]
//
// checks every contender first, and stops at the first wrong answer; with
// --contenders it lists them instead, as CSV: search,method,compiler,kind.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "contender.h"
#include "dataSet.h"

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
void sameValue(benchmark::State& state, SearchFunction search, const std::vector<int>* numbers,
               int value)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(value, numbers->data(), ARRAY_SIZE));
    }
}

// A fresh value each call, known long before: the processor may run several
// searches at once.
void randomValue(benchmark::State& state, SearchFunction search)
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
void chainedValue(benchmark::State& state, SearchFunction search)
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
void randomBatch(benchmark::State& state, BatchFunction search)
{
    std::vector<int> results(randomValues.size());
    for (auto _ : state) {
        search(randomValues.data(), static_cast<int>(randomValues.size()), sorted.data(),
               ARRAY_SIZE, results.data());
        benchmark::ClobberMemory();
    }
    state.counters["queries"] = static_cast<double>(randomValues.size());
}

// The workloads that a contender takes: a scan only the repeated values, in
// the data set as generated.
void add(const Contender& contender)
{
    std::string name = contender.name;
    if (contender.kind == Kind::batch) {
        benchmark::RegisterBenchmark((name + "/random").c_str(), randomBatch, contender.batch);
        return;
    }
    const std::vector<int>* numbers = contender.kind == Kind::scan ? &unsorted : &sorted;
    benchmark::RegisterBenchmark((name + "/found 500").c_str(), sameValue, contender.search,
                                 numbers, 500);
    benchmark::RegisterBenchmark((name + "/missing 1001").c_str(), sameValue, contender.search,
                                 numbers, 1001);
    if (contender.kind == Kind::single) {
        benchmark::RegisterBenchmark((name + "/random").c_str(), randomValue, contender.search);
        benchmark::RegisterBenchmark((name + "/random, chained").c_str(), chainedValue,
                                     contender.search);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--contenders") == 0) {
        std::printf("search,method,compiler,kind\n");
        for (int i = 0; i < contenderCount; ++i) {
            const Contender& c = contenders[i];
            std::printf("\"%s\",\"%s\",%s,%s\n", c.name, c.method, c.compiler, kindName(c.kind));
        }
        return 0;
    }
    for (int i = 0; i < contenderCount; ++i) {
        std::string wrong = wrongAnswer(contenders[i], sorted.data(), ARRAY_SIZE);
        if (!wrong.empty()) {
            std::fprintf(stderr, "search_contest: %s\n", wrong.c_str());
            return EXIT_FAILURE;
        }
        add(contenders[i]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
