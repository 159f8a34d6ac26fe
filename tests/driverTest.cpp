#include <algorithm>
#include <climits>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "report.h"
#include "selectionSort.h"

namespace {

// Each input sorted in the middle of a larger array, whose ends it must leave
// alone.
TEST(SelectionSort, LeavesASortedPermutationAndNothingElseChanged)
{
    std::vector<int> descending(100);
    for (int i = 0; i < 100; ++i) {
        descending[i] = 50 - 3 * i;
    }
    const std::vector<int> inputs[] = {
        {},
        {42},
        {2, 1},
        descending,
        {5, 3, 5, 1, 3, 5, 1},
        {INT_MAX, INT_MIN, 0, INT_MIN, -7, INT_MAX},
    };
    for (const std::vector<int>& input : inputs) {
        std::vector<int> numbers = input;
        numbers.insert(numbers.begin(), INT_MAX);
        numbers.push_back(INT_MIN);
        selectionSort(numbers.data() + 1, static_cast<int>(input.size()));
        std::vector<int> expected = input;
        std::sort(expected.begin(), expected.end());
        expected.insert(expected.begin(), INT_MAX);
        expected.push_back(INT_MIN);
        EXPECT_EQ(numbers, expected);
    }
}

// The seconds as the stream writes a double by default: six significant
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
