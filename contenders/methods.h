// The hand-written methods in C++, declared inside the namespace of the
// compiler that builds them (so this header is meant to be included more
// than once, as compiled.h does).

// std::lower_bound, then a test for equality.
int lowerBoundSearch(int value, const int numbers[], int count);

// asmBinarySearch's method: a power-of-two step from a base.
int powerOfTwoSearch(int value, const int numbers[], int count);

// A lower bound by halving, whose base moves by a branch, so that the
// processor runs ahead on its guesses, as asmBranchingSearch does: the first
// probe off the middle, and prefetches two levels ahead, in a large array.
int branchingSearch(int value, const int numbers[], int count);

// A lower bound by halving, whose base moves by a selection that the compiler
// can make a conditional move, then a test for equality.
int branchlessSearch(int value, const int numbers[], int count);

// The same, which also fetches both places where its next probe may land
// while it waits for this one.
int prefetchingSearch(int value, const int numbers[], int count);

// asmBatchSearch's method. results may be values.
void batchSearch(const int values[], int queries, const int numbers[], int count, int results[]);
