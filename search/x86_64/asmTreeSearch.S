#include "../asm.S"
#include "x86_64/askIsa.S"
#include "x86_64/asmTreeNodes.S"

        .intel_syntax noprefix

#if defined(_WIN64)
#define VALUE   ecx
#define TREE    rdx
#else
#define VALUE   edi
#define TREE    rsi
#endif

// One search, counting as isa does. rax holds k, r9 the level, r10 the
// first of node k's children, 17 k lines into the next level, and r8 the
// line of the child to go down to within them, so that the chain from one
// level to the next runs from the count through one shift to the next load;
// 17 k and the next level's first node are worked out beside it.
//
// In a large array each search prefetches the children of its nodes in the
// last level, or two, while it reads the node, so that the child it picks
// is on its way already: from 1 MB of leaves, and from 1 MB of index. The
// 17 children lie in a row, and every other line of them is enough: the
// processor's own prefetcher brings the line beside each (measured, about
// as fast as all 17 waiting for each search, and less costly to searches
// that overlap).
.macro tree_search isa
        splat_\isa VALUE
        mov     VALUE, [TREE + TREE_LEVELS]     // the first level whose children
        lea     r8d, [VALUE - 1]                // to prefetch: the leaves' parents
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_NODES
        cmovge  VALUE, r8d                      // or the level above too
        mov     r8d, TREE_MAX_LEVELS            // or none
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_LEAVES
        cmovl   VALUE, r8d
        xor     eax, eax                        // k = 0
        xor     r8d, r8d
        xor     r9d, r9d                        // level 0
        mov     r10, [TREE + TREE_NODES]        // the root
        cmp     r9d, [TREE + TREE_LEVELS]
        cmove   r10, [TREE + TREE_NUMBERS]      // or, with no index, the only leaf block
        je      L(leaf\@)
L(level\@):
        count_\isa r10+r8, r8d                  // c = keys below the value
        imul    rax, rax, TREE_FANOUT
        imul    r10, rax, 64                    // 17 k lines
        add     rax, r8                         // k = 17 k + c
        shl     r8, 6                           // c lines
        inc     r9d
        mov     r11d, [TREE + TREE_FIRST_NODE + r9*4]
        shl     r11, 6
        add     r11, [TREE + TREE_NODES]        // the next level's first node
        cmp     r9d, [TREE + TREE_LEVELS]
        cmove   r11, [TREE + TREE_NUMBERS]      // or, below the last level, the leaves
        add     r10, r11                        // node k's first child
        cmp     r9d, VALUE
        jb      L(fetched\@)
// The node's children on their way while it is read.
        .irp    child, 0, 2, 4, 6, 8, 10, 12, 14, 16
        prefetcht0 [r10 + 64 * \child]
        .endr
L(fetched\@):
        cmp     r9d, [TREE + TREE_LEVELS]
        jb      L(level\@)
L(leaf\@):
        add     r10, r8                         // numbers + 16 k
        unsplat_\isa VALUE
        leaf_answer \isa, TREE, VALUE, r10
        leave_vectors \isa
        ret
.endm

// int asmTreeSearch(int value, const SearchTree* tree)
//
// Changes only rax, the value's register (which, once the value is in a
// vector, holds the first level to prefetch below), r8 to r11, xmm0 to xmm4
// (or ymm, or zmm16 and k1), all of which both conventions leave to the
// called routine, so it saves nothing.
function asmTreeSearch
        UNWIND(.seh_endprologue)
        by_isa  tree_search
endfunc
