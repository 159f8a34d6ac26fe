#pragma once

// The searches the benchmarks set against the hand-written ones. Each has
// the same contract: the subscript of an element of numbers[0..count) equal
// to value, or -1; a batch search answers each of values[0..queries) so in
// results.
using SearchFunction = int (*)(int value, const int numbers[], int count);
using BatchFunction = void (*)(const int values[], int queries, const int numbers[], int count,
                               int results[]);

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
