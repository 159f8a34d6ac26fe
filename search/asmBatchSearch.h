#pragma once

// The hand-written batch search: for each i in [0, queries), results[i] is
// the subscript of an element of numbers[0..count) equal to values[i], or -1
// when there is none. numbers must be in non-decreasing order. results may be
// values: each value is read before its answer is written.
extern "C" void asmBatchSearch(const int values[], int queries, const int numbers[], int count,
                               int results[]);
