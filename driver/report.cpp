#include "report.h"

double elapsedSeconds(std::clock_t start, std::clock_t stop)
{
    return static_cast<double>(stop - start) / CLOCKS_PER_SEC;
}

void writeReport(std::ostream& out, int position, const char* label, double seconds)
{
    if (position == -1) {
        out << "The number you entered is Not Valid." << std::endl << std::endl;
    } else {
        out << "The number you entered is Valid. "
            << "It was found at subscript " << position << std::endl
            << std::endl;
    }
    out << label << seconds << " seconds." << std::endl << std::endl;
}
