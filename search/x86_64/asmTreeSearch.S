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

// Changes rax (64 k), r8 (64 c), r9 to r11 (r11 node k's row of children):
// one level of a search, counting as isa does, from node k at r11 + r8.
// The chain from one level to the next runs from the count through a shift
// to the next load, whose address adds the row to it; the row, from 64 k,
// is worked out beside it. Below the last level it goes on at leaf, which
// the first level need not check.
//
// In a large array each search prefetches the children of its nodes in the
// last level, or two, while it reads the node, so that the child it picks
// is on its way already: from 1 MB of leaves, and from 1 to 4 MB of index
// (searchTree.h says why not past that). The 17 children lie in a row, and
// every other line of them is enough: the processor's own prefetcher brings
// the line beside each (measured, about as fast as all 17 waiting for each
// search, and less costly to searches that overlap).
// Neither prefetching all 17 leaf blocks nor prefetching before the count
// measured faster at 3*10^8 elements (chained and independent, against the
// compiled twin, Xeon Sapphire Rapids KVM guest, busy: the medians of
// per-repetition ratios moved by less than from one run to the next).
// Picking the next row with a cmove rather than the je, so that a search of
// a small array takes no jump before its leaf, gained a percent or two at
// one level but took 1.04 to 1.06 times as long as before from 1.5 to
// 3*10^6 elements with independent searches (AVX-512 against the compiled
// twin, median of 41 interleaved runs, Xeon Sapphire Rapids KVM guest).
.macro tree_level isa, level, leaf
        cmp     dword ptr [TREE + TREE_LEVELS], \level
        .ifnb   \leaf
        jb      \leaf                           // no more levels
        .endif
        mov     r10, [TREE + TREE_NUMBERS]      // below the last level, the leaves
        je      L(below\@)
        mov     r10d, [TREE + TREE_FIRST_NODE + 4 * \level]
        shl     r10, 6
        add     r10, [TREE + TREE_NODES]        // or the next level
L(below\@):
        count_\isa r11+r8, r8, 6, r9            // 64 c, c the keys below the value
        imul    r11, rax, TREE_FANOUT           // 17 (64 k)
        lea     rax, [r11 + r8]                 // 64 k = 64 (17 k + c)
        add     r11, r10                        // node 17 k below, the first child
        cmp     VALUE, \level
        ja      L(fetched\@)
        .irp    child, 0, 2, 4, 6, 8, 10, 12, 14, 16
        prefetcht0 [r11 + 64 * \child]          // the children on their way
        .endr
L(fetched\@):
.endm

// Changes rax (left the answer), the value's register, r8 to r11 and the
// vectors: one search, its levels unrolled, TREE_MAX_LEVELS - 1 at the most,
// 4.1 KB for the three ways of counting. An earlier version written as a
// loop took 1.16 times as long with AVX-512, 1.19 with AVX2 and 1.07 with
// SSE2 on independent searches at 10^4 elements, though 0.95 to 0.98
// chained (fastest of 41 runs, Xeon Sapphire Rapids KVM guest).
.macro tree_search isa
        splat_\isa VALUE
        mov     r10, [TREE + TREE_NUMBERS]      // no index: the only block, k = 0
        xor     eax, eax
        cmp     dword ptr [TREE + TREE_LEVELS], 0
        je      L(answer\@)
        mov     VALUE, TREE_MAX_LEVELS          // the first level whose children
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_LEAVES
        jl      L(chosen\@)                     // to prefetch: none,
        mov     VALUE, [TREE + TREE_LEVELS]     // the leaves' parents
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_NODES
        jl      L(chosen\@)
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_NODES_UNTIL
        jge     L(chosen\@)
        dec     VALUE                           // or the level above too
L(chosen\@):
        mov     r11, [TREE + TREE_NODES]        // the root
        xor     r8d, r8d                        // 64 c = 0
        tree_level \isa, 1
        .irp    level, 2, 3, 4, 5, 6, 7
        tree_level \isa, \level, L(leaf\@)
        .endr
L(leaf\@):
        lea     r10, [r11 + r8]                 // leaf block k: numbers + 16 k
        unsplat_\isa VALUE
L(answer\@):
        leaf_answer \isa, TREE, VALUE, r10, leave_and_return
        leave_and_return \isa
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
