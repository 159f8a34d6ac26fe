// Nanoseconds per search against the size of the array, from a few elements
// to far past the last-level cache, in two workloads: throughput, where each
// query is known long before (so the processor may run several searches at
// once), and latency, where each query waits for the answer before it.
//
//     search_sweep [--repetitions N] [--small-pages] ELEMENTS...
//
// checks every search at each size first, and stops at the first wrong
// answer; then prints, for each repetition of each search at each size, a
// line of CSV: elements,huge_pages,workload,repetition,search,method,
// compiler,kind,ns,bytes. huge_pages says whether the array got huge pages:
// yes, no, partly, or unknown where the system does not say; bytes, what a
// tree search reads besides the array, its tree. Each repetition also times
// building the tree (workload build, ns in all), beside copying the array. The repetitions of
// one size are interleaved in a random order, so that a slow spell of the
// machine falls on all alike, and a size's lines come out together once it
// is done.
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

#include "buildSearchTree.h"
#include "contender.h"

namespace {

const std::size_t QUERY_COUNT = 1 << 20;
const std::size_t LARGEST = (1 << 29) - 1;
const std::size_t HUGE_PAGE = 2 << 20;

// Room for count ints, in huge pages of 2 MB where the system gives them, as
// a program that searches a large array would ask for: fewer misses in the
// TLB, so that what the sweep shows is the caches. The array starts on a
// huge page's boundary, since only whole huge pages can back it.
int* allocate(std::size_t count, bool hugePages)
{
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
    if (hugePages && madvise(start, bytes, MADV_HUGEPAGE) != 0) {
        std::perror("search_sweep: no huge pages: madvise");
    }
#endif
    return static_cast<int*>(start);
}

// How many bytes of the mapping that holds address the system backs with
// huge pages, from /proc/self/smaps; -1 where it does not say.
long long hugePageBytes(const void* address)
{
    FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (smaps == nullptr) {
        return -1;
    }
    auto at = reinterpret_cast<std::uintptr_t>(address);
    long long bytes = -1;
    bool inside = false;
    char line[512];
    while (std::fgets(line, sizeof line, smaps) != nullptr) {
        unsigned long long start, end, kilobytes;
        if (std::sscanf(line, "%llx-%llx ", &start, &end) == 2) {
            inside = start <= at && at < end;
        } else if (inside && std::sscanf(line, "AnonHugePages: %llu kB", &kilobytes) == 1) {
            bytes = static_cast<long long>(kilobytes * 1024);
        }
    }
    std::fclose(smaps);
    return bytes;
}

// Whether the first count ints from the start of the array got huge pages,
// given how many bytes of it did: the system backs it from its start, as the
// array was written.
const char* hugePagesOf(std::size_t count, long long hugeBytes)
{
    auto wanted =
        static_cast<long long>((count * sizeof(int) + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE);
    return hugeBytes < 0         ? "unknown"
           : hugeBytes >= wanted ? "yes"
           : hugeBytes > 0       ? "partly"
                                 : "no";
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
    bool batch = contender.kind() == Kind::batch || contender.kind() == Kind::treeBatch;
    return batch ? 4 * queries : queries;
}

// One query after another, each known long before or (chained) each waiting
// for the answer before it; the sum or the last answer in results[0].
template <typename Find>
void oneByOne(Find find, bool chained, const int values[], std::size_t first, std::size_t queries,
              std::vector<int>& results)
{
    if (chained) {
        // Every answer is 0 or more, so this is values[first + i]; but it
        // cannot be known before the last search ends.
        int last = 0;
        for (std::size_t i = 0; i < queries; ++i) {
            last = find(values[(first + i - (last >> 31)) & (QUERY_COUNT - 1)]);
        }
        results[0] = last;
    } else {
        int sum = 0;
        for (std::size_t i = 0; i < queries; ++i) {
            sum += find(values[first + i]);
        }
        results[0] = sum;
    }
}

// Nanoseconds per query, over queries queries from values[first] on, in
// numbers[0..count) or in tree, built over it.
double timeQueries(const Contender& c, bool chained, const int values[], std::size_t first,
                   std::size_t queries, const int numbers[], int count, const SearchTree* tree,
                   std::vector<int>& results)
{
    auto start = std::chrono::steady_clock::now();
    int many = static_cast<int>(queries);
    std::visit(
        Overloaded{[&](Batch b) { b.call(values + first, many, numbers, count, results.data()); },
                   [&](TreeBatch b) { b.call(values + first, many, tree, results.data()); },
                   [&](Tree t) {
                       oneByOne([&](int value) { return t.call(value, tree); }, chained, values,
                                first, queries, results);
                   },
                   [&](auto s) {
                       oneByOne([&](int value) { return s.call(value, numbers, count); }, chained,
                                values, first, queries, results);
                   }},
        c.search);
    std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / static_cast<double>(queries);
}

// Nanoseconds to build the tree over numbers[0..count), and to copy the
// array once, for scale; the tree's bytes in bytes.
std::pair<double, double> timeBuild(const int numbers[], int count, std::vector<int>& copy,
                                    std::size_t& bytes)
{
    auto start = std::chrono::steady_clock::now();
    SearchTree tree = buildSearchTree(numbers, count);
    auto built = std::chrono::steady_clock::now();
    bytes = searchTreeBytes(tree);
    freeSearchTree(tree);
    auto copying = std::chrono::steady_clock::now();
    std::memcpy(copy.data(), numbers, static_cast<std::size_t>(count) * sizeof(int));
    auto copied = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::nano>(built - start).count(),
            std::chrono::duration<double, std::nano>(copied - copying).count()};
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
    long long hugeBytes = hugePages ? hugePageBytes(numbers) : 0;
    std::vector<int> values(QUERY_COUNT);
    std::vector<int> results(QUERY_COUNT);
    std::vector<int> copy(largest);
    std::mt19937 generator(12345);

    std::printf("elements,huge_pages,workload,repetition,search,method,compiler,kind,ns,bytes\n");
    std::fflush(stdout);
    for (std::size_t elements : sizes) {
        int count = static_cast<int>(elements);
        std::uniform_int_distribution<int> pick(0, count - 1);
        std::generate(values.begin(), values.end(), [&] { return numbers[pick(generator)]; });
        SearchTree tree = buildSearchTree(numbers, count);
        std::size_t treeBytes = searchTreeBytes(tree);
        struct Task {
            const Contender* contender;
            bool chained;
        };
        std::vector<Task> tasks;
        for (int i = 0; i < contenderCount; ++i) {
            const Contender& contender = contenders[i];
            if (!contender.swept || !runsHere(contender)) {
                continue;
            }
            std::string wrong = wrongAnswer(contender, numbers, count, &tree);
            if (!wrong.empty()) {
                std::fprintf(stderr, "search_sweep: %s\n", wrong.c_str());
                return EXIT_FAILURE;
            }
            tasks.push_back({&contender, false});
            if (contender.kind() == Kind::single || contender.kind() == Kind::tree) {
                tasks.push_back({&contender, true});
            }
        }
        std::string lines;
        char line[512];
        const char* huge = hugePagesOf(elements, hugeBytes);
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
                            &tree, results);
                double ns = timeQueries(*task.contender, task.chained, values.data(), first,
                                        queries, numbers, count, &tree, results);
                const Contender& c = *task.contender;
                bool onTree = c.kind() == Kind::tree || c.kind() == Kind::treeBatch;
                std::snprintf(line, sizeof line, "%zu,%s,%s,%d,\"%s\",\"%s\",%s,%s,%.3f,%zu\n",
                              elements, huge, task.chained ? "latency" : "throughput", repetition,
                              c.name, c.method, c.compiler, kindName(c.kind()), ns,
                              onTree ? treeBytes : 0);
                lines += line;
            }
            // What the tree costs to build, beside a copy of the array.
            std::size_t bytes;
            std::pair<double, double> ns = timeBuild(numbers, count, copy, bytes);
            std::snprintf(line, sizeof line,
                          "%zu,%s,build,%d,\"buildSearchTree\",\"tree\",-O2,build,%.0f,%zu\n"
                          "%zu,%s,build,%d,\"memcpy\",\"memcpy\",,build,%.0f,%zu\n",
                          elements, huge, repetition, ns.first, bytes, elements, huge, repetition,
                          ns.second, elements * sizeof(int));
            lines += line;
        }
        freeSearchTree(tree);
        std::fputs(lines.c_str(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
