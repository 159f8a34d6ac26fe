#include "checkedSearch.h"

#include <algorithm>
#include <cstdio>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchingSearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "binarySearch.h"
#include "checkedCall.h"
#include "linearSearch.h"

const NamedSearch searches[] = {
    {"linearSearch", calledLinearSearch},           {"binarySearch", binarySearch},
    {"asmBinarySearch", asmBinarySearch},           {"asmBranchlessSearch", asmBranchlessSearch},
    {"asmPrefetchingSearch", asmPrefetchingSearch}, {"asmBranchingSearch", asmBranchingSearch},
};
const int searchCount = sizeof searches / sizeof searches[0];

namespace {

struct SearchCall {
    const NamedSearch& search;
    int value;
    int count;
    const GuardedArray& numbers;
};

void describeSearchCall(const void* call)
{
    auto c = static_cast<const SearchCall*>(call);
    std::fprintf(stderr, "%s(value %d, numbers, count %d), numbers %s", c->search.name, c->value,
                 c->count, c->numbers.guard());
}

struct BatchCall {
    int queries;
    int count;
    const GuardedArray& values;
    const GuardedArray& numbers;
    const GuardedArray& results;
};

void describeBatchCall(const void* call)
{
    auto c = static_cast<const BatchCall*>(call);
    std::fprintf(stderr,
                 "asmBatchSearch(values, queries %d, numbers, count %d, results), values %s, "
                 "numbers %s, results %s",
                 c->queries, c->count, c->values.guard(), c->numbers.guard(), c->results.guard());
}

bool isRight(int position, int value, const int numbers[], int count, bool present)
{
    return present ? position >= 0 && position < count && numbers[position] == value
                   : position == -1;
}

} // namespace

std::string faultOf(const NamedSearch& search, int value, const GuardedArray& array, int count)
{
    const int* end = array.data() + std::max(count, 0);
    return faultOf(search, value, array, count, std::binary_search(array.data(), end, value));
}

std::string faultOf(const NamedSearch& search, int value, const GuardedArray& array, int count,
                    bool present)
{
    const SearchCall call = {search, value, count, array};
    const std::uintptr_t arguments[5] = {intArgument(value), pointerArgument(array.data()),
                                         intArgument(count), unusedArgument, unusedArgument};
    std::string clobbered;
    int position = checkedCall(reinterpret_cast<AnyFunction>(search.find), arguments,
                               describeSearchCall, &call, clobbered);

    std::string fault;
    if (!isRight(position, value, array.data(), count, present)) {
        fault = "returned " + std::to_string(position) + " though the value is " +
                (present ? "" : "not ") + "there. ";
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}

std::string batchFaultOf(const GuardedArray& values, int queries, const GuardedArray& numbers,
                         int count, const GuardedArray& results)
{
    const BatchCall call = {queries, count, values, numbers, results};
    std::fill(results.writableData(), results.writableData() + std::max(queries, 0), -2);
    const std::uintptr_t arguments[5] = {pointerArgument(values.data()), intArgument(queries),
                                         pointerArgument(numbers.data()), intArgument(count),
                                         pointerArgument(results.data())};
    std::string clobbered;
    checkedCall(reinterpret_cast<AnyFunction>(asmBatchSearch), arguments, describeBatchCall, &call,
                clobbered);

    std::string fault;
    const int* end = numbers.data() + std::max(count, 0);
    for (int i = 0; i < queries && fault.empty(); ++i) {
        int value = values.data()[i];
        int position = results.data()[i];
        bool present = std::binary_search(numbers.data(), end, value);
        if (!isRight(position, value, numbers.data(), count, present)) {
            fault = "answered " + std::to_string(position) + " to query " + std::to_string(i) +
                    ", " + std::to_string(value) + ", though it is " + (present ? "" : "not ") +
                    "there. ";
        }
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}
