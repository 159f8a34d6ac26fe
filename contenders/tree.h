// The tree searches compiled, declared inside a namespace for each compiler
// that builds them (so this header is meant to be included more than once,
// after searchTree.h).

// asmTreeSearch's method in plain C++: the keys below the value counted
// without a branch.
int treeSearch(int value, const SearchTree* tree);

#if defined(__x86_64__)
// The same, counting with AVX2 intrinsics, for a processor that has AVX2.
int treeSearchAvx2(int value, const SearchTree* tree);

// The same, counting with AVX-512 intrinsics, for a processor that has
// AVX-512F.
int treeSearchAvx512(int value, const SearchTree* tree);
#endif

// asmTreeBatchSearch's method: searches go down the tree together, with the
// same prefetches, TREE_GROUP at a time as on x86-64 (the other instruction
// sets' routines take 16). results may be values.
void treeBatchSearch(const int values[], int queries, const SearchTree* tree, int results[]);

#if defined(__x86_64__)
// The same, counting with AVX2 or with AVX-512 intrinsics, for a processor
// that has them.
void treeBatchSearchAvx2(const int values[], int queries, const SearchTree* tree, int results[]);
void treeBatchSearchAvx512(const int values[], int queries, const SearchTree* tree, int results[]);
#endif
