#pragma once

#include "searchTree.h"

// The hand-written batch search of the tree: for each i in [0, queries),
// results[i] is the subscript of the first element of tree->numbers equal to
// values[i], or -1 when there is none. results may be values: each value is
// read before its answer is written.
extern "C" void asmTreeBatchSearch(const int values[], int queries, const SearchTree* tree,
                                   int results[]);
