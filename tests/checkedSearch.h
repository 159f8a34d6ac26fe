#pragma once

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "contender.h"
#include "guardedMemory.h"
#include "searchTree.h"

// The contenders of the kinds given that this processor runs.
std::vector<Contender> contendersOf(std::initializer_list<Kind> kinds);

// How a test names a contender: in a message, and in the test's name.
void PrintTo(const Contender& contender, std::ostream* stream);
std::string testNameOf(const Contender& contender);

// The values to seek in numbers: about spread of its elements, their
// neighbours, and the ends of int.
std::vector<int> valuesFor(const std::vector<int>& numbers, int spread = 300);

// Hands check sorted random arrays of each of counts, over ranges narrow
// enough for many duplicates and wide enough to reach both ends of int, then
// of each of distinctCounts, each value 1 to 3 above the last; until check
// returns false.
void forSortedArrays(const std::vector<int>& counts, const std::vector<int>& distinctCounts,
                     unsigned seed, const std::function<bool(const std::vector<int>&)>& check);

// The subscript of the first element equal to value, or -1.
int lowerBoundAnswer(int value, const int numbers[], int count);

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
// Empty when nothing is. results may be values: answered in place.
std::string batchFaultOf(const Contender& batch, const GuardedArray& values, int queries,
                         const GuardedArray& numbers, int count, const GuardedArray& results);

// A search tree whose index and tail are copies, each laid flush against a
// guard page at the end given, over numbers.
struct GuardedTree {
    GuardedTree(const SearchTree& built, const int numbers[], bool flushAgainstEnd);
    GuardedArray nodes;
    GuardedArray tail;
    SearchTree tree;
};

// What is wrong with what a tree search (or tree batch) answers to
// values[0..queries) in tree, called through checkedCall: an answer other
// than std::lower_bound's over numbers[0..count), or registers that it
// should have kept and changed. Empty when nothing is. A single search's
// answers go to results too, which may be values, as a batch's may.
std::string treeFaultOf(const Contender& search, const SearchTree& tree, const int numbers[],
                        int count, const GuardedArray& values, int queries,
                        const GuardedArray& results);
