#pragma once

// The subscript of the first element of numbers[0..count) equal to value, or
// -1 when there is none; the array need not be sorted. Inlined wherever it is
// called, even unoptimised, so that the program's timed run calls no
// function per repetition.
[[gnu::always_inline]] inline int linearSearch(int value, const int numbers[], int count)
{
    int position = -1;
    for (int k = 0; k < count; ++k) {
        if (value == numbers[k]) {
            position = k;
            break;
        }
    }
    return position;
}

// The same scan as a function to call, built as the program builds it, for
// the benchmark and the tests.
int calledLinearSearch(int value, const int numbers[], int count);
