// libFuzzer target: the hand-written and the compiled search against a
// brute-force scan, on arrays laid flush against guard pages.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "asmBinarySearch.h"
#include "binarySearch.h"
#include "checkedCall.h"
#include "guardedMemory.h"

namespace {

void fail(const char* search, const char* what, int value, int count, int position)
{
    std::fprintf(stderr, "%s %s: value %d, count %d, returned %d\n", search, what, value, count,
                 position);
    std::abort();
}

void check(const char* search, int position, int value, const int numbers[], int count,
           bool present)
{
    if (!present && position != -1) {
        fail(search, "found a value that is not there", value, count, position);
    }
    if (present && (position < 0 || position >= count || numbers[position] != value)) {
        fail(search, "did not return a subscript of the value", value, count, position);
    }
}

} // namespace

// Input: a control byte, the value (4 bytes), then the elements, 4 bytes each.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5) {
        return 0;
    }
    std::uint8_t control = data[0];
    int value;
    std::memcpy(&value, data + 1, sizeof value);
    int count = static_cast<int>((size - 5) / sizeof(int));
    std::vector<int> numbers(count);
    for (int i = 0; i < count; ++i) {
        std::memcpy(&numbers[i], data + 5 + i * sizeof(int), sizeof(int));
    }
    std::sort(numbers.begin(), numbers.end());

    // Most of the time, seek an element or one of its neighbours.
    if (count > 0 && control % 4 != 0) {
        unsigned element = static_cast<unsigned>(numbers[static_cast<unsigned>(value) % count]);
        value = static_cast<int>(element + control % 4 - 2);
    }

    GuardedArray array(count, control & 4 ? GuardedArray::FlushAgainstStart
                                          : GuardedArray::FlushAgainstEnd);
    std::copy(numbers.begin(), numbers.end(), array.data());
    array.seal();
    bool present = std::find(numbers.begin(), numbers.end(), value) != numbers.end();

    unsigned clobbered = 0;
    int position = checkedCall(asmBinarySearch, value, array.data(), count, &clobbered);
    check("asmBinarySearch", position, value, array.data(), count, present);
    if (clobbered != 0) {
        fail("asmBinarySearch", "changed a callee-saved register", value, count, position);
    }
    check("binarySearch", binarySearch(value, array.data(), count), value, array.data(), count,
          present);
    return 0;
}
