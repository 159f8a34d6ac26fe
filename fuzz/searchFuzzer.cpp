// libFuzzer target: every search, on arbitrary sorted arrays laid flush
// against guard pages, judged as the unit tests judge it; and the batch
// search, on as many queries as the input asks for.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checkedSearch.h"
#include "guardedMemory.h"

namespace {

// Stops the fuzzer, which keeps the input, if there is a fault.
void report(const std::string& fault, const std::string& call)
{
    if (!fault.empty()) {
        std::fprintf(stderr, "%s: %s\n", call.c_str(), fault.c_str());
        std::abort();
    }
}

// Most of the time an element or one of its neighbours, as choice says.
int sought(const std::vector<int>& numbers, int value, unsigned choice)
{
    if (numbers.empty() || choice % 4 == 0) {
        return value;
    }
    auto element = static_cast<unsigned>(numbers[static_cast<unsigned>(value) % numbers.size()]);
    return static_cast<int>(element + choice % 4 - 2);
}

} // namespace

// Input: a control byte, the value (4 bytes), then the elements, 4 bytes each.
// The control byte says which end of each array is guarded, how the value is
// chosen, and how many queries the batch gets (values chosen the same way,
// each from the value plus its place).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5) {
        return 0;
    }
    int value;
    std::memcpy(&value, data + 1, sizeof value);
    std::vector<int> numbers((size - 5) / sizeof(int));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::memcpy(&numbers[i], data + 5 + i * sizeof(int), sizeof(int));
    }
    std::sort(numbers.begin(), numbers.end());
    int count = static_cast<int>(numbers.size());
    bool flushAgainstEnd = data[0] & 4;
    GuardedArray array(numbers.data(), numbers.size(), flushAgainstEnd);

    int single = sought(numbers, value, data[0]);
    for (int i = 0; i < searchCount; ++i) {
        report(faultOf(searches[i], single, array, count), std::string(searches[i].name) +
                                                               ", value " + std::to_string(single) +
                                                               ", count " + std::to_string(count));
    }

    std::vector<int> values(data[0] >> 3 | (data[0] & 3) << 5); // 0 to 127 queries
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] =
            sought(numbers, static_cast<int>(static_cast<unsigned>(value) + i), data[0] + i);
    }
    GuardedArray batch(values.data(), values.size(), flushAgainstEnd);
    GuardedArray results(nullptr, values.size(), flushAgainstEnd, true);
    int queries = static_cast<int>(values.size());
    report(batchFaultOf(batch, queries, array, count, results),
           "asmBatchSearch, " + std::to_string(queries) + " queries, count " +
               std::to_string(count));
    return 0;
}
