// The hand-written branch-free search, where there is one for the processor
// being built for: a lower bound by halving, whose probe moves the base by
// a conditional move instead of a jump, then one compare for equality.
#if defined(__x86_64__)
#include "x86_64/asmBranchlessSearch.S"
#elif defined(__aarch64__)
#include "aarch64/asmBranchlessSearch.S"
#endif
