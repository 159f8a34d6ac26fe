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

// asmTreeBatchSearch's method: groups of the same size, the same prefetches,
// counting with AVX-512 or AVX2 where the processor has them.
void treeBatchSearch(const int values[], int queries, const SearchTree* tree, int results[]);
