#pragma once

// Your own search, at first a copy of asmBinarySearch: the subscript of an
// element of numbers[0..count) equal to value, or -1 when there is none.
// numbers must be in non-decreasing order.
extern "C" int yourSearch(int value, const int numbers[], int count);
