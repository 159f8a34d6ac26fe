#pragma once

// The compiled contenders, built with -O2 by GCC and by Clang, each into a
// namespace named after it.
namespace gcc {
#include "methods.h"
}
namespace clang {
#include "methods.h"
}

// The program's own binarySearch, its source as it stands, built with -O2
// under these names.
int gccBinarySearch(int value, const int numbers[], int count);
int clangBinarySearch(int value, const int numbers[], int count);
