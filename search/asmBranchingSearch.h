#pragma once

// The hand-written branching search: the subscript of an element of
// numbers[0..count) equal to value, or -1 when there is none. numbers must be
// in non-decreasing order.
extern "C" int asmBranchingSearch(int value, const int numbers[], int count);
