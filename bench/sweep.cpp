// Nanoseconds per search against the size of the array, from a few elements
// to far past the last-level cache, in two workloads: throughput, where each
// query is known long before (so the processor may run several searches at
// once), and latency, where each query waits for the answer before it.
//
//     search_sweep [--repetitions N] [--small-pages] ELEMENTS...
//
// prints, for each repetition of each search at each size, a line of CSV:
// elements,workload,search,ns. The repetitions of one size are interleaved in
// a random order, so that a slow spell of the machine falls on all alike.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <sys/mman.h>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "contenders.h"

namespace {

// One search at a time, or a batch.
struct Contender {
    const char* name;
    SearchFunction search;
    BatchFunction batch;
};

const Contender contenders[] = {
    {"asmBinarySearch", asmBinarySearch, nullptr},
    {"asmBranchlessSearch", asmBranchlessSearch, nullptr},
    {"asmPrefetchingSearch", asmPrefetchingSearch, nullptr},
    {"asmBatchSearch", nullptr, asmBatchSearch},
#if HAVE_gcc_CONTENDERS
    {"std::lower_bound, gcc -O2", gcc::lowerBoundSearch, nullptr},
    {"power-of-two step, gcc -O2", gcc::powerOfTwoSearch, nullptr},
    {"branch-free, gcc -O2", gcc::branchlessSearch, nullptr},
    {"branch-free with prefetch, gcc -O2", gcc::prefetchingSearch, nullptr},
    {"batch, gcc -O2", nullptr, gcc::batchSearch},
#endif
#if HAVE_clang_CONTENDERS
    {"std::lower_bound, clang -O2", clang::lowerBoundSearch, nullptr},
    {"power-of-two step, clang -O2", clang::powerOfTwoSearch, nullptr},
    {"branch-free, clang -O2", clang::branchlessSearch, nullptr},
    {"branch-free with prefetch, clang -O2", clang::prefetchingSearch, nullptr},
    {"batch, clang -O2", nullptr, clang::batchSearch},
#endif
};

const std::size_t QUERY_COUNT = 1 << 20;
const std::size_t LARGEST = (1 << 29) - 1;

// Room for count ints, in huge pages of 2 MB where the system gives them, as
// a program that searches a large array would ask for: fewer misses in the
// TLB, so that what the sweep shows is the caches. The array starts on a
// huge page's boundary, since only whole huge pages can back it.
int* allocate(std::size_t count, bool hugePages)
{
    const std::size_t HUGE_PAGE = 2 << 20;
    std::size_t bytes = (count * sizeof(int) + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
    void* memory = mmap(nullptr, bytes + HUGE_PAGE, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::perror("search_sweep: mmap");
        std::exit(EXIT_FAILURE);
    }
    auto address = reinterpret_cast<std::uintptr_t>(memory);
    void* start = reinterpret_cast<void*>((address + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE);
#if defined(MADV_HUGEPAGE)
    if (hugePages) {
        madvise(start, bytes, MADV_HUGEPAGE);
    }
#endif
    return static_cast<int*>(start);
}

// Distinct values in ascending order, made in one pass: a running sum of
// gaps from 1 to 4, which fits in an int for up to LARGEST elements.
void fillSorted(int numbers[], std::size_t count)
{
    std::mt19937 generator(2026);
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value += static_cast<int>(generator() % 4) + 1;
        numbers[i] = value;
    }
}

// How many queries one timing takes: enough for some milliseconds. A batch
// answers a query in a fifth of the time or less, so it gets four times as
// many.
std::size_t queriesPerTiming(std::size_t elements, const Contender& contender)
{
    std::size_t queries = elements <= (1 << 17)   ? 1 << 17
                          : elements <= (1 << 22) ? 1 << 15
                                                  : 1 << 14;
    return contender.batch != nullptr ? 4 * queries : queries;
}

// Nanoseconds per query, over queries queries from values[first] on.
double timeQueries(const Contender& contender, bool chained, const int values[], std::size_t first,
                   std::size_t queries, const int numbers[], int count, std::vector<int>& results)
{
    auto start = std::chrono::steady_clock::now();
    if (contender.batch != nullptr) {
        contender.batch(values + first, static_cast<int>(queries), numbers, count, results.data());
    } else if (chained) {
        // Every answer is 0 or more, so this is values[first + i]; but it
        // cannot be known before the last search ends.
        int last = 0;
        for (std::size_t i = 0; i < queries; ++i) {
            std::size_t next = (first + i - (last >> 31)) & (QUERY_COUNT - 1);
            last = contender.search(values[next], numbers, count);
        }
        results[0] = last;
    } else {
        int sum = 0;
        for (std::size_t i = 0; i < queries; ++i) {
            sum += contender.search(values[first + i], numbers, count);
        }
        results[0] = sum;
    }
    std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / static_cast<double>(queries);
}

// Stops the sweep if a contender gives a wrong answer: a figure for a wrong
// search would mean nothing.
void check(const Contender& contender, const int values[], const int numbers[], int count)
{
    const int QUERIES = 256;
    std::vector<int> results(QUERIES);
    if (contender.batch != nullptr) {
        contender.batch(values, QUERIES, numbers, count, results.data());
    } else {
        for (int i = 0; i < QUERIES; ++i) {
            results[i] = contender.search(values[i], numbers, count);
        }
    }
    for (int i = 0; i < QUERIES; ++i) {
        if (results[i] < 0 || results[i] >= count || numbers[results[i]] != values[i]) {
            std::fprintf(stderr, "search_sweep: %s answers %d for %d among %d elements\n",
                         contender.name, results[i], values[i], count);
            std::exit(EXIT_FAILURE);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    int repetitions = 5;
    bool hugePages = true;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repetitions") == 0 && i + 1 < argc) {
            repetitions = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--small-pages") == 0) {
            hugePages = false;
        } else {
            sizes.push_back(std::strtoull(argv[i], nullptr, 10));
        }
    }
    if (sizes.empty() || repetitions < 1 || *std::min_element(sizes.begin(), sizes.end()) < 1 ||
        *std::max_element(sizes.begin(), sizes.end()) > LARGEST) {
        std::fprintf(stderr, "usage: search_sweep [--repetitions N] [--small-pages] ELEMENTS...\n"
                             "(each from 1 to 2^29 - 1)\n");
        return EXIT_FAILURE;
    }

    std::size_t largest = *std::max_element(sizes.begin(), sizes.end());
    int* numbers = allocate(largest, hugePages);
    fillSorted(numbers, largest);
    std::vector<int> values(QUERY_COUNT);
    std::vector<int> results(QUERY_COUNT);
    std::mt19937 generator(12345);

    std::printf("elements,workload,search,ns\n");
    for (std::size_t elements : sizes) {
        int count = static_cast<int>(elements);
        std::uniform_int_distribution<int> pick(0, count - 1);
        std::generate(values.begin(), values.end(), [&] { return numbers[pick(generator)]; });
        struct Task {
            const Contender* contender;
            bool chained;
        };
        std::vector<Task> tasks;
        for (const Contender& contender : contenders) {
            check(contender, values.data(), numbers, count);
            tasks.push_back({&contender, false});
            if (contender.batch == nullptr) {
                tasks.push_back({&contender, true});
            }
        }
        std::size_t first = 0;
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            std::shuffle(tasks.begin(), tasks.end(), generator);
            for (const Task& task : tasks) {
                // The next queries, from a multiple of their number, which
                // keeps them inside values (both are powers of two).
                std::size_t queries = queriesPerTiming(elements, *task.contender);
                first = (first + queries) & (QUERY_COUNT - queries);
                // First, untimed, the last eighth of the queries before: each
                // search then meets the caches as a long run of its own would
                // leave them, not as the search before it did.
                std::size_t warmUp = queries / 8;
                timeQueries(*task.contender, task.chained, values.data(),
                            (first + QUERY_COUNT - warmUp) % QUERY_COUNT, warmUp, numbers, count,
                            results);
                double ns = timeQueries(*task.contender, task.chained, values.data(), first,
                                        queries, numbers, count, results);
                std::printf("%zu,%s,\"%s\",%.3f\n", elements,
                            task.chained ? "latency" : "throughput", task.contender->name, ns);
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
