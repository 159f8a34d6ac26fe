// libFuzzer target: every search, on arbitrary sorted arrays laid flush
// against guard pages, judged as the unit tests judge it; every batch, on as
// many queries as the input asks for; and every tree search, over a tree
// built on the array.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "buildSearchTree.h"
#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

// Most of the time an element or one of its neighbours, as choice says.
int sought(const std::vector<int>& numbers, int value, unsigned choice)
{
    if (numbers.empty() || choice % 4 == 0) {
        return value;
    }
    auto element = static_cast<unsigned>(numbers[static_cast<unsigned>(value) % numbers.size()]);
    return static_cast<int>(element + choice % 4 - 2);
}

// Sizes past those that the input's own elements reach, where the searches
// that prefetch, and put the first probe off the middle, take other paths.
const int LARGE_SIZES[] = {(1 << 15) - 1, 1 << 15, (1 << 15) + 1, (1 << 15) + 8194, (1 << 17) + 1};

} // namespace

// Input: two control bytes, the value (4 bytes), then the elements, 4 bytes
// each. The first control byte says which end of each array is guarded, how
// the value is chosen, and how many queries the batch gets (values chosen
// the same way, each from the value plus its place). The second, when it is
// below the number of LARGE_SIZES, stretches the array to that size: the
// input's elements, then each one more than the last by the input's
// elements in turn, made small.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6) {
        return 0;
    }
    int value;
    std::memcpy(&value, data + 2, sizeof value);
    std::vector<int> numbers((size - 6) / sizeof(int));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::memcpy(&numbers[i], data + 6 + i * sizeof(int), sizeof(int));
    }
    std::sort(numbers.begin(), numbers.end());
    if (data[1] % 64 < std::size(LARGE_SIZES) && !numbers.empty()) {
        std::size_t given = numbers.size();
        numbers.resize(LARGE_SIZES[data[1] % 64]);
        for (std::size_t i = given; i < numbers.size(); ++i) {
            long long next = numbers[i - 1] + (static_cast<long long>(numbers[i % given]) & 3);
            numbers[i] = static_cast<int>(std::min<long long>(next, INT_MAX));
        }
    }
    int count = static_cast<int>(numbers.size());
    // Stops the fuzzer, which keeps the input, if there is a fault.
    auto report = [&](const std::string& fault, const Contender& search, int queries, int first) {
        if (!fault.empty()) {
            std::fprintf(stderr, "%s, %d queries from %d, count %d: %s\n", search.name, queries,
                         first, count, fault.c_str());
            std::abort();
        }
    };
    bool flushAgainstEnd = data[0] & 4;
    GuardedArray array(numbers.data(), numbers.size(), flushAgainstEnd);

    static const std::vector<Contender> searches = contendersOf({Kind::scan, Kind::single});
    static const std::vector<Contender> batches = contendersOf({Kind::batch});
    int single = sought(numbers, value, data[0]);
    for (const Contender& search : searches) {
        if (search.kind() == Kind::scan && count > 1000) {
            continue; // a scan takes no other path in a large array, only longer
        }
        report(faultOf(search, single, array, count), search, 1, single);
    }

    std::vector<int> values(data[0] >> 3 | (data[0] & 3) << 5); // 0 to 127 queries
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] =
            sought(numbers, static_cast<int>(static_cast<unsigned>(value) + i), data[0] + i);
    }
    GuardedArray batch(values.data(), values.size(), flushAgainstEnd);
    GuardedArray results(nullptr, values.size(), flushAgainstEnd, true);
    int queries = static_cast<int>(values.size());
    for (const Contender& search : batches) {
        report(batchFaultOf(search, batch, queries, array, count, results), search, queries,
               values.empty() ? 0 : values[0]);
    }

    // The tree searches, over a tree whose index and tail are guarded too: a
    // single search on the value and the batch's, a batch on those.
    static const std::vector<Contender> trees = contendersOf({Kind::tree, Kind::treeBatch});
    SearchTree built = buildSearchTree(array.data(), count);
    GuardedTree guarded(built, array.data(), flushAgainstEnd);
    GuardedArray one(&single, 1, flushAgainstEnd);
    GuardedArray oneResult(nullptr, 1, flushAgainstEnd, true);
    for (const Contender& search : trees) {
        bool each = search.kind() == Kind::tree;
        if (each) {
            report(treeFaultOf(search, guarded.tree, array.data(), count, one, 1, oneResult),
                   search, 1, single);
        }
        report(treeFaultOf(search, guarded.tree, array.data(), count, batch, queries, results),
               search, queries, values.empty() ? 0 : values[0]);
    }
    freeSearchTree(built);
    return 0;
}
