// Nanoseconds per search for the hand-written searches and the compiled
// ones, on the program's own data set.
//
//     search_contest [--contenders] [Google Benchmark's options]
//
// checks every contender that this processor runs first, and stops at the
// first wrong answer; with --contenders it lists them instead, as CSV:
// search,method,compiler,kind.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "buildSearchTree.h"
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

// The tree over the sorted data set, for the tree searches.
const SearchTree sortedTree = buildSearchTree(sorted.data(), ARRAY_SIZE);

// One search of value: in an array, or in the tree.
struct InArray {
    SearchFunction search;
    const std::vector<int>* numbers;
    int operator()(int value) const
    {
        return search(value, numbers->data(), ARRAY_SIZE);
    }
};

struct InTree {
    TreeFunction search;
    int operator()(int value) const
    {
        return search(value, &sortedTree);
    }
};

// A batch of queries: in the sorted array, or in the tree.
struct BatchInArray {
    BatchFunction search;
    void operator()(const int values[], int queries, int results[]) const
    {
        search(values, queries, sorted.data(), ARRAY_SIZE, results);
    }
};

struct BatchInTree {
    TreeBatchFunction search;
    void operator()(const int values[], int queries, int results[]) const
    {
        search(values, queries, &sortedTree, results);
    }
};

// The program's workload: one value, searched again and again.
template <typename Find> void sameValue(benchmark::State& state, Find find, int value)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(value));
    }
}

// A fresh value each call, known long before: the processor may run several
// searches at once.
template <typename Find> void randomValue(benchmark::State& state, Find find)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(randomValues[next]));
        next = (next + 1) & mask;
    }
}

// A fresh value each call, which waits for the last search's answer: every
// answer is 0 or more, so the value is randomValues[next], but no search can
// start before the one before it ends.
template <typename Find> void chainedValue(benchmark::State& state, Find find)
{
    std::size_t next = 0;
    int last = 0;
    for (auto _ : state) {
        last = find(randomValues[(next - (last >> 31)) & mask]);
        next = (next + 1) & mask;
    }
    benchmark::DoNotOptimize(last);
}

// All of randomValues in one batch; time per query.
template <typename Batch> void randomBatch(benchmark::State& state, Batch batch)
{
    std::vector<int> results(randomValues.size());
    for (auto _ : state) {
        batch(randomValues.data(), static_cast<int>(randomValues.size()), results.data());
        benchmark::ClobberMemory();
    }
    state.counters["queries"] = static_cast<double>(randomValues.size());
}

template <typename Find> void addSingle(const std::string& name, Find find, bool repeatedOnly)
{
    benchmark::RegisterBenchmark((name + "/found 500").c_str(), sameValue<Find>, find, 500);
    benchmark::RegisterBenchmark((name + "/missing 1001").c_str(), sameValue<Find>, find, 1001);
    if (!repeatedOnly) {
        benchmark::RegisterBenchmark((name + "/random").c_str(), randomValue<Find>, find);
        benchmark::RegisterBenchmark((name + "/random, chained").c_str(), chainedValue<Find>, find);
    }
}

template <typename Batch> void addBatch(const std::string& name, Batch batch)
{
    benchmark::RegisterBenchmark((name + "/random").c_str(), randomBatch<Batch>, batch);
}

// The workloads that a contender takes: a scan only the repeated values, in
// the data set as generated.
void add(const Contender& c)
{
    std::visit(Overloaded{[&](Scan s) {
                              addSingle(c.name, InArray{s.call, &unsorted}, true);
                          },
                          [&](Single s) {
                              addSingle(c.name, InArray{s.call, &sorted}, false);
                          },
                          [&](Tree t) { addSingle(c.name, InTree{t.call}, false); },
                          [&](Batch b) { addBatch(c.name, BatchInArray{b.call}); },
                          [&](TreeBatch b) { addBatch(c.name, BatchInTree{b.call}); }},
               c.search);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--contenders") == 0) {
        std::printf("search,method,compiler,kind\n");
        for (int i = 0; i < contenderCount; ++i) {
            const Contender& c = contenders[i];
            if (!runsHere(c)) {
                continue;
            }
            std::printf("\"%s\",\"%s\",%s,%s\n", c.name, c.method, c.compiler, kindName(c.kind()));
        }
        return 0;
    }
    for (int i = 0; i < contenderCount; ++i) {
        if (!runsHere(contenders[i])) {
            continue;
        }
        std::string wrong = wrongAnswer(contenders[i], sorted.data(), ARRAY_SIZE, &sortedTree);
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
