#pragma once

#include <cstddef>

#include "searchTree.h"

// The shape of the tree over count elements: count, levels, tailBlock and
// firstNode[0..levels] filled in (firstNode[levels] is the number of nodes in
// the index), and no memory yet.
SearchTree searchTreeShape(const int numbers[], int count);

// Builds the index over numbers[0..count), which must be sorted and stay where
// it is while the tree is used, in one pass over every sixteenth element. A
// count of 0 or less gives an empty tree, whose searches read nothing of
// numbers and answer -1.
SearchTree buildSearchTree(const int numbers[], int count);

// The bytes that the index and the tail take.
std::size_t searchTreeBytes(const SearchTree& tree);

// Gives back what buildSearchTree took.
void freeSearchTree(SearchTree& tree);
