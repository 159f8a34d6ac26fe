#pragma once

// The searches the benchmark compares with asmBinarySearch. Each has the same
// contract: the subscript of an element of numbers[0..count) equal to value,
// or -1.

// binarySearch's own source, compiled with -O2.
namespace optimised {
int binarySearch(int value, const int numbers[], int count);
}

// std::lower_bound, compiled with -O2.
int lowerBoundSearch(int value, const int numbers[], int count);

// The program's linear scan, unoptimised as in the program; the array need
// not be sorted.
int linearScan(int value, const int numbers[], int count);
