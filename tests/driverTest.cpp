#include <algorithm>
#include <climits>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "report.h"
#include "selectionSort.h"

namespace {

// Each input sorted between two elements that the sort must leave alone.
TEST(SelectionSort, LeavesASortedPermutationAndNothingElseChanged)
{
    const std::vector<int> inputs[] = {
        {}, {42}, {2, 1}, {9, 7, 5, 3, 1, -1, -3}, {5, 3, 5, 1, 3, 5, 1}, {INT_MAX, INT_MIN, 0, -7},
    };
    for (const std::vector<int>& input : inputs) {
        std::vector<int> numbers = {INT_MAX};
        numbers.insert(numbers.end(), input.begin(), input.end());
        numbers.push_back(INT_MIN);
        std::vector<int> expected = numbers;
        std::sort(expected.begin() + 1, expected.end() - 1);
        selectionSort(numbers.data() + 1, static_cast<int>(input.size()));
        EXPECT_EQ(numbers, expected);
    }
}

// The seconds as a stream writes a double by default: six significant
// digits, no trailing zeros.
TEST(WriteReport, WritesTheSecondsAsAStreamDoes)
{
    std::ostringstream out;
    for (double seconds : {0.0162345678, 2.5, 0.0}) {
        writeReport(out, -1, "", seconds);
    }
    const char* notValid = "The number you entered is Not Valid.\n\n";
    EXPECT_EQ(out.str(), std::string(notValid) + "0.0162346 seconds.\n\n" + notValid +
                             "2.5 seconds.\n\n" + notValid + "0 seconds.\n\n");
}

} // namespace
