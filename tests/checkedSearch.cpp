#include "checkedSearch.h"

#include <algorithm>
#include <sstream>

#include "asmBinarySearch.h"
#include "asmBranchlessSearch.h"
#include "binarySearch.h"

const Search searches[] = {
    {"binarySearch", binarySearch},
    {"asmBinarySearch", asmBinarySearch},
#if HAVE_ASM_BRANCHLESS_SEARCH
    {"asmBranchlessSearch", asmBranchlessSearch},
#endif
};
const int searchCount = sizeof searches / sizeof searches[0];

std::string faultOf(SearchFunction search, int value, const int numbers[], int count)
{
    // Both halves of each canary are non-zero, so that a 32-bit write shows.
    std::uint64_t canaries[32];
    std::uint64_t found[32];
    for (int entry = 0; entry < 32; ++entry) {
        canaries[entry] = found[entry] = 0x5ca1ab1e5ca1ab10 + entry;
    }
    int position = checkedCall(value, numbers, count, search, canaries, found);
    unsigned clobbered = 0;
    for (int entry = 0; entry < 32; ++entry) {
        clobbered |= (found[entry] != canaries[entry] ? 1u : 0u) << entry;
    }

    const int* end = numbers + std::max(count, 0);
    bool present = std::find(numbers, end, value) != end;
    std::ostringstream fault;
    if (present ? position < 0 || position >= count || numbers[position] != value
                : position != -1) {
        fault << "returned " << position << " though the value is " << (present ? "" : "not ")
              << "there. ";
    }
    if (clobbered != 0) {
        fault << "changed the registers of bit mask " << std::showbase << std::hex << clobbered;
    }
    return fault.str();
}
