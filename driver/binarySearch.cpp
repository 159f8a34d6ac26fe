#include "binarySearch.h"

int binarySearch(int value, const int numbers[], int count)
{
    int lower = 0;
    int upper = count - 1;
    int result = -1;
    bool found = false;

    while (!found && lower <= upper) {
        // The floor of (lower + upper) / 2, without the sum that overflows
        // once both bounds pass 2^30.
        int midpoint = lower + (upper - lower) / 2;
        if (numbers[midpoint] == value) {
            found = true;
            result = midpoint;
        } else if (numbers[midpoint] > value) {
            upper = midpoint - 1;
        } else {
            lower = midpoint + 1;
        }
    }
    return result;
}
