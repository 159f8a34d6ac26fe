#pragma once

#include "searchTree.h"

// The compiled contenders, built with -O2 by GCC and by Clang, each into a
// namespace named after it.
namespace gcc {
#include "methods.h"
#include "tree.h"
} // namespace gcc
namespace clang {
#include "methods.h"
#include "tree.h"
} // namespace clang

// The program's own binarySearch, its source as it stands, built with -O2
// under these names.
int gccBinarySearch(int value, const int numbers[], int count);
int clangBinarySearch(int value, const int numbers[], int count);
