#include <ctime>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "report.h"

namespace {

TEST(ElapsedSeconds, DividesTicksByTheClockRate)
{
    EXPECT_EQ(elapsedSeconds(0, 0), 0.0);
    EXPECT_EQ(elapsedSeconds(5, 5 + CLOCKS_PER_SEC), 1.0);
    EXPECT_EQ(elapsedSeconds(100, 100 + CLOCKS_PER_SEC / 4), 0.25);
}

TEST(WriteReport, SaysWhereTheValueWasAndHowLongItTook)
{
    struct Case {
        int position;
        double seconds;
        const char* expected;
    };
    const Case cases[] = {
        {221, 1.234,
         "The number you entered is Valid. It was found at subscript 221\n\nLabel 1.234 "
         "seconds.\n\n"},
        {0, 2.5,
         "The number you entered is Valid. It was found at subscript 0\n\nLabel 2.5 seconds.\n\n"},
        {-1, 0.0, "The number you entered is Not Valid.\n\nLabel 0 seconds.\n\n"},
        {9999, 0.0162345678,
         "The number you entered is Valid. It was found at subscript 9999\n\n"
         "Label 0.0162346 seconds.\n\n"},
        {-1, 5.123456, "The number you entered is Not Valid.\n\nLabel 5.12346 seconds.\n\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        writeReport(out, c.position, "Label ", c.seconds);
        EXPECT_EQ(out.str(), c.expected);
    }
}

} // namespace
