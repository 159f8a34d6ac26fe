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
    unsigned clobbered = 0;
    int position = checkedCall(search, value, numbers, count, &clobbered);
    const int* end = numbers + std::max(count, 0);
    bool present = std::find(numbers, end, value) != end;
    std::ostringstream fault;
    if (present ? position < 0 || position >= count || numbers[position] != value
                : position != -1) {
        fault << "returned " << position << " though the value is " << (present ? "" : "not ")
              << "there. ";
    }
    if (clobbered != 0) {
        fault << "changed the registers of bits " << std::hex << clobbered;
    }
    return fault.str();
}
