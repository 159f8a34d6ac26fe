#pragma once

// The searches the benchmark sets against the hand-written ones. Each has
// the same contract: the subscript of an element of numbers[0..count) equal
// to value, or -1.

// Built with -O2 by GCC and by Clang.
namespace gcc {
#include "optimisedContenders.h"
}
namespace clang {
#include "optimisedContenders.h"
}

// asmBinarySearch assembled once more, with its loop placed across a 64-byte
// boundary.
extern "C" int asmBinarySearchStraddling(int value, const int numbers[], int count);

// The program's linear scan, unoptimised as in the program; the array need
// not be sorted.
int linearScan(int value, const int numbers[], int count);
