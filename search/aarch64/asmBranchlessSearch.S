#include "../asm.S"
#include "aarch64/branchFree.S"
#include "aarch64/halvingEntry.S"

// int asmBranchlessSearch(int value, const int numbers[], int count)
function asmBranchlessSearch
        enter_halving L(none)
        halve_to_the_end L(none)
endfunc
