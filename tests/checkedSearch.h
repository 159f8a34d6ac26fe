#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "contender.h"
#include "guardedMemory.h"

// The contenders of each kind: every search, and every batch.
std::vector<Contender> contendersOf(bool batches);

// How a test names a contender.
void PrintTo(const Contender& contender, std::ostream* stream);

// What is wrong with what search does for value in the first count elements
// of array, which are sorted, called through checkedCall: a wrong answer,
// judged by the standard library's std::binary_search, or registers that it
// should have kept and changed. Empty when nothing is.
std::string faultOf(const Contender& search, int value, const GuardedArray& array, int count);

// The same, judged by whether an element equal to value is there.
std::string faultOf(const Contender& search, int value, const GuardedArray& array, int count,
                    bool present);

// What is wrong with what batch does for the first queries values in the
// first count elements of numbers, called through checkedCall: a wrong
// answer to any query, or registers that it should have kept and changed.
// Empty when nothing is.
std::string batchFaultOf(const Contender& batch, const GuardedArray& values, int queries,
                         const GuardedArray& numbers, int count, const GuardedArray& results);
