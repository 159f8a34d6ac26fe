#include "checkedSearch.h"

#include <algorithm>
#include <sstream>

#include "asmBatchSearch.h"
#include "asmBinarySearch.h"
#include "asmBranchlessSearch.h"
#include "asmPrefetchingSearch.h"
#include "binarySearch.h"
#include "checkedCall.h"
#include "linearSearch.h"

const NamedSearch searches[] = {
    {"linearSearch", calledLinearSearch},           {"binarySearch", binarySearch},
    {"asmBinarySearch", asmBinarySearch},           {"asmBranchlessSearch", asmBranchlessSearch},
    {"asmPrefetchingSearch", asmPrefetchingSearch},
};
const int searchCount = sizeof searches / sizeof searches[0];

namespace {

bool isRight(int position, int value, const int numbers[], int count, bool present)
{
    return present ? position >= 0 && position < count && numbers[position] == value
                   : position == -1;
}

} // namespace

std::string faultOf(const NamedSearch& search, int value, const GuardedArray& array, int count)
{
    const int* end = array.data() + std::max(count, 0);
    return faultOf(search, value, array, count, std::find(array.data(), end, value) != end);
}

std::string faultOf(const NamedSearch& search, int value, const GuardedArray& array, int count,
                    bool present)
{
    std::ostringstream call;
    call << search.name << "(value " << value << ", numbers, count " << count << "), numbers "
         << array.guard();
    const std::uintptr_t arguments[5] = {intArgument(value), pointerArgument(array.data()),
                                         intArgument(count), unusedArgument, unusedArgument};
    std::string clobbered;
    int position =
        checkedCall(reinterpret_cast<AnyFunction>(search.find), arguments, call.str(), clobbered);

    std::ostringstream fault;
    if (!isRight(position, value, array.data(), count, present)) {
        fault << "returned " << position << " though the value is " << (present ? "" : "not ")
              << "there. ";
    }
    if (!clobbered.empty()) {
        fault << "changed " << clobbered;
    }
    return fault.str();
}

std::string batchFaultOf(const GuardedArray& values, int queries, const GuardedArray& numbers,
                         int count, const GuardedArray& results)
{
    std::ostringstream call;
    call << "asmBatchSearch(values, queries " << queries << ", numbers, count " << count
         << ", results), values " << values.guard() << ", numbers " << numbers.guard()
         << ", results " << results.guard();
    std::fill(results.writableData(), results.writableData() + std::max(queries, 0), -2);
    const std::uintptr_t arguments[5] = {pointerArgument(values.data()), intArgument(queries),
                                         pointerArgument(numbers.data()), intArgument(count),
                                         pointerArgument(results.data())};
    std::string clobbered;
    checkedCall(reinterpret_cast<AnyFunction>(asmBatchSearch), arguments, call.str(), clobbered);

    std::ostringstream fault;
    const int* end = numbers.data() + std::max(count, 0);
    for (int i = 0; i < queries; ++i) {
        int value = values.data()[i];
        int position = results.data()[i];
        bool present = std::binary_search(numbers.data(), end, value);
        if (!isRight(position, value, numbers.data(), count, present)) {
            fault << "answered " << position << " to query " << i << ", " << value
                  << ", though it is " << (present ? "" : "not ") << "there. ";
            break;
        }
    }
    if (!clobbered.empty()) {
        fault << "changed " << clobbered;
    }
    return fault.str();
}
