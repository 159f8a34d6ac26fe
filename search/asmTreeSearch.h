#pragma once

#include "searchTree.h"

// The hand-written search of the tree: the subscript of the first element of
// tree->numbers equal to value, or -1 when there is none.
extern "C" int asmTreeSearch(int value, const SearchTree* tree);
