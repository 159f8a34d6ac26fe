// Nanoseconds per search against the size of the array, from a few elements
// to far past the last-level cache, in two workloads: throughput, where each
// query is known long before (so the processor may run several searches at
// once), and latency, where each query waits for the answer before it.
//
//     search_sweep [--repetitions N] [--small-pages] [--only SEARCH]... ELEMENTS...
//     search_sweep --largest
//
// checks every search at each size first (or those --only names), and stops
// at the first wrong answer; then prints, for each repetition of each search
// at each size, a line of CSV: elements,huge_pages,index_huge_pages,workload,
// repetition,search,method,compiler,kind,ns,bytes. huge_pages says whether
// the array got huge pages: yes, no, partly, or unknown where the system does
// not say; index_huge_pages, the same of a tree search's index (no below 2 MB
// of index, which the builder puts on the heap); bytes, what a tree search
// reads besides the array, its tree. Beside the searches, the memory's floor
// (kind floor): reads of random lines of an array as large, one waiting on
// the last (latency) or many in flight (throughput), in ns a line. Each
// repetition also times building the tree (workload build, ns in all),
// beside copying the array. Every timing takes queries of its own, so that
// none finds in the caches the lines that the one before it brought; the
// repetitions of one size are interleaved in a random order, so that a slow
// spell of the machine falls on all alike, and a size's lines
// come out together once it is done, the copy's timing of the last
// repetition last. --largest prints the most elements it takes.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "buildSearchTree.h"
#include "contender.h"
#include "hugePages.h"

namespace {

const std::size_t QUERY_COUNT = 1 << 22;
const std::size_t LARGEST = (1 << 29) - 1;
const std::size_t LINE_INTS = 64 / sizeof(int);

// Room for count ints in huge pages where the system gives them, as a
// program that searches a large array would ask for: fewer misses in the
// TLB, so that what the sweep shows is the caches.
int* allocate(std::size_t count, bool smallPages)
{
    void* memory = mapHugePages(count * sizeof(int), smallPages);
    if (memory == nullptr) {
        std::fprintf(stderr, "search_sweep: no room for %zu ints\n", count);
        std::exit(EXIT_FAILURE);
    }
    return static_cast<int*>(memory);
}

// Whether the first bytes of a mapping got huge pages, given how many bytes
// of it did: the system backs it from its start, as it was written.
const char* hugePagesOf(std::size_t bytes, long long hugeBytes)
{
    auto wanted = static_cast<long long>(wholeHugePages(bytes));
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

// How many searches one timing takes: enough for some milliseconds.
std::size_t searchesPerTiming(std::size_t elements)
{
    return elements <= (1 << 17) ? 1 << 17 : elements <= (1 << 22) ? 1 << 15 : 1 << 14;
}

// How many queries one timing takes. A batch answers a query in a fifth of
// the time or less, so it gets four times as many; so do the floor's reads,
// a line each.
std::size_t queriesPerTiming(std::size_t elements, const Contender& contender)
{
    std::size_t queries = searchesPerTiming(elements);
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

// A chain through the lines of chain[0..count): the first int of each line
// holds the next line's number, all of them in one cycle in a random order
// (Sattolo's shuffle), so that a walk along it meets each line once a round.
void makeChain(int chain[], std::size_t count, std::mt19937& generator)
{
    std::size_t lines = (count + LINE_INTS - 1) / LINE_INTS;
    for (std::size_t line = 0; line < lines; ++line) {
        chain[line * LINE_INTS] = static_cast<int>(line);
    }
    for (std::size_t line = lines - 1; line > 0; --line) {
        std::size_t other = std::uniform_int_distribution<std::size_t>(0, line - 1)(generator);
        std::swap(chain[line * LINE_INTS], chain[other * LINE_INTS]);
    }
}

// Nanoseconds a line: steps reads along the chain from line at, each
// waiting for the one before, which says where the next is; at and
// results[0] are left where the walk ended.
double walkChain(const int chain[], std::size_t steps, int& at, std::vector<int>& results)
{
    auto start = std::chrono::steady_clock::now();
    int line = at;
    for (std::size_t i = 0; i < steps; ++i) {
        line = chain[static_cast<std::size_t>(line) * LINE_INTS];
    }
    std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    at = results[0] = line;
    return elapsed.count() / static_cast<double>(steps);
}

// Nanoseconds a line: reads of numbers[], at the lines that
// lines[first..first + reads) name, none waiting for another.
double readLines(const int numbers[], const int lines[], std::size_t first, std::size_t reads,
                 std::vector<int>& results)
{
    auto start = std::chrono::steady_clock::now();
    int sum = 0;
    for (std::size_t i = first; i < first + reads; ++i) {
        sum += numbers[static_cast<std::size_t>(lines[i]) * LINE_INTS];
    }
    results[0] = sum;
    std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / static_cast<double>(reads);
}

// Nanoseconds to build the tree over numbers[0..count), and to copy the
// array once, for scale; the tree's bytes in bytes. Each writes into memory
// taken as the builder takes it, the heap below 2 MB and else a fresh
// mapping that it is the first to touch, so that both pay alike for that.
std::pair<double, double> timeBuild(const int numbers[], int count, std::size_t& bytes)
{
    auto start = std::chrono::steady_clock::now();
    SearchTree tree = buildSearchTree(numbers, count);
    auto built = std::chrono::steady_clock::now();
    bytes = searchTreeBytes(tree);
    freeSearchTree(tree);
    std::size_t arrayBytes = static_cast<std::size_t>(count) * sizeof(int);
    auto copying = std::chrono::steady_clock::now();
    std::size_t lineBytes = (arrayBytes + 63) / 64 * 64;
    void* copy =
        arrayBytes < HUGE_PAGE ? std::aligned_alloc(64, lineBytes) : mapHugePages(arrayBytes);
    if (copy == nullptr) {
        std::fprintf(stderr, "search_sweep: no room for a copy of %d ints\n", count);
        std::exit(EXIT_FAILURE);
    }
    std::memcpy(copy, numbers, arrayBytes);
    asm volatile("" : : "r"(copy) : "memory"); // a copy no one reads is still made
    auto copied = std::chrono::steady_clock::now();
    if (arrayBytes < HUGE_PAGE) {
        std::free(copy);
    } else {
        unmapHugePages(copy, arrayBytes);
    }
    return {std::chrono::duration<double, std::nano>(built - start).count(),
            std::chrono::duration<double, std::nano>(copied - copying).count()};
}

} // namespace

int main(int argc, char** argv)
{
    int repetitions = 5;
    bool smallPages = false;
    std::vector<std::size_t> sizes;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repetitions") == 0 && i + 1 < argc) {
            repetitions = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--small-pages") == 0) {
            smallPages = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only.push_back(argv[++i]);
        } else if (std::strcmp(argv[i], "--largest") == 0 && argc == 2) {
            std::printf("%zu\n", LARGEST);
            return 0;
        } else {
            sizes.push_back(std::strtoull(argv[i], nullptr, 10));
        }
    }
    if (sizes.empty() || repetitions < 1 || *std::min_element(sizes.begin(), sizes.end()) < 1 ||
        *std::max_element(sizes.begin(), sizes.end()) > LARGEST) {
        std::fprintf(stderr,
                     "usage: search_sweep [--repetitions N] [--small-pages] "
                     "[--only SEARCH]... ELEMENTS...\n"
                     "(each from 1 to %zu), or search_sweep --largest\n",
                     LARGEST);
        return EXIT_FAILURE;
    }
    for (const std::string& name : only) {
        if (std::none_of(contenders, contenders + contenderCount,
                         [&](const Contender& c) { return c.swept && name == c.name; })) {
            std::fprintf(stderr, "search_sweep: no search named \"%s\" is swept\n", name.c_str());
            return EXIT_FAILURE;
        }
    }

    std::size_t largest = *std::max_element(sizes.begin(), sizes.end());
    int* numbers = allocate(largest, smallPages);
    fillSorted(numbers, largest);
    long long hugeBytes = smallPages ? 0 : hugePageBytes(numbers);
    int* chain = allocate(largest, smallPages);
    std::vector<int> values(QUERY_COUNT);
    std::vector<int> queryLines(QUERY_COUNT);
    std::vector<int> results(QUERY_COUNT);
    std::mt19937 generator(12345);

    std::printf("elements,huge_pages,index_huge_pages,workload,repetition,search,method,compiler,"
                "kind,ns,bytes\n");
    std::fflush(stdout);
    for (std::size_t elements : sizes) {
        int count = static_cast<int>(elements);
        std::uniform_int_distribution<int> pick(0, count - 1);
        for (std::size_t i = 0; i < QUERY_COUNT; ++i) {
            int at = pick(generator);
            values[i] = numbers[at];
            queryLines[i] = at / static_cast<int>(LINE_INTS);
        }
        makeChain(chain, elements, generator);
        int chainAt = 0;
        const char* chainHuge =
            hugePagesOf(elements * sizeof(int), smallPages ? 0 : hugePageBytes(chain));
        SearchTree tree = buildSearchTree(numbers, count);
        std::size_t treeBytes = searchTreeBytes(tree);
        const char* indexHuge =
            treeBytes < HUGE_PAGE ? "no" : hugePagesOf(treeBytes, hugePageBytes(tree.nodes));
        // A task without a contender times the floor.
        struct Task {
            const Contender* contender;
            bool chained;
        };
        std::vector<Task> tasks = {{nullptr, false}, {nullptr, true}};
        for (int i = 0; i < contenderCount; ++i) {
            const Contender& contender = contenders[i];
            if (!contender.swept || !runsHere(contender)) {
                continue;
            }
            if (!only.empty() &&
                std::find(only.begin(), only.end(), contender.name) == only.end()) {
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
        const char* huge = hugePagesOf(elements * sizeof(int), hugeBytes);
        // Each task takes the queries from first on, as many as it needs (a
        // batch and the floor four times a search's), in a window of values
        // of its own: the most any takes, a power of two, so that all stay
        // inside values. Were two to share queries, the second would find
        // the first one's lines still in the last-level cache, and a search
        // past it would seem to beat the memory.
        std::size_t most = 4 * searchesPerTiming(elements);
        std::size_t window = 0;
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            std::shuffle(tasks.begin(), tasks.end(), generator);
            for (const Task& task : tasks) {
                std::size_t first = window++ * most & (QUERY_COUNT - 1);
                if (task.contender == nullptr) {
                    std::size_t reads = most;
                    double ns = 0;
                    if (task.chained) {
                        walkChain(chain, reads / 8, chainAt, results);
                        ns = walkChain(chain, reads, chainAt, results);
                    } else {
                        readLines(numbers, queryLines.data(),
                                  (first + QUERY_COUNT - reads / 8) % QUERY_COUNT, reads / 8,
                                  results);
                        ns = readLines(numbers, queryLines.data(), first, reads, results);
                    }
                    std::snprintf(line, sizeof line,
                                  "%zu,%s,,%s,%d,\"%s\",\"memory floor\",,floor,%.3f,0\n", elements,
                                  task.chained ? chainHuge : huge,
                                  task.chained ? "latency" : "throughput", repetition,
                                  task.chained ? "memory, one line waiting on the last"
                                               : "memory, a line with many in flight",
                                  ns);
                    lines += line;
                    continue;
                }
                std::size_t queries = queriesPerTiming(elements, *task.contender);
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
                std::snprintf(line, sizeof line, "%zu,%s,%s,%s,%d,\"%s\",\"%s\",%s,%s,%.3f,%zu\n",
                              elements, huge, onTree ? indexHuge : "",
                              task.chained ? "latency" : "throughput", repetition, c.name, c.method,
                              c.compiler, kindName(c.kind()), ns, onTree ? treeBytes : 0);
                lines += line;
            }
            // What the tree costs to build, beside a copy of the array.
            std::size_t bytes;
            std::pair<double, double> ns = timeBuild(numbers, count, bytes);
            std::snprintf(line, sizeof line,
                          "%zu,%s,,build,%d,\"buildSearchTree\",\"tree\",-O2,build,%.0f,%zu\n"
                          "%zu,%s,,build,%d,\"memcpy\",\"memcpy\",,build,%.0f,%zu\n",
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
