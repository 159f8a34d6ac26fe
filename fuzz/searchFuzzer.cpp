// libFuzzer target: every search, on arbitrary sorted arrays laid flush
// against guard pages, judged as the unit tests judge it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checkedSearch.h"
#include "guardedMemory.h"

// Input: a control byte, the value (4 bytes), then the elements, 4 bytes each.
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
    // Most of the time, seek an element or one of its neighbours.
    if (count > 0 && data[0] % 4 != 0) {
        unsigned element = static_cast<unsigned>(numbers[static_cast<unsigned>(value) % count]);
        value = static_cast<int>(element + data[0] % 4 - 2);
    }
    GuardedArray array(numbers.data(), numbers.size(), data[0] & 4);
    for (int i = 0; i < searchCount; ++i) {
        std::string fault = faultOf(searches[i], value, array, count);
        if (!fault.empty()) {
            std::fprintf(stderr, "%s, value %d, count %d: %s\n", searches[i].name, value, count,
                         fault.c_str());
            std::abort();
        }
    }
    return 0;
}
