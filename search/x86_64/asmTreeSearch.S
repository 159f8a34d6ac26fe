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

// Changes rax (k), r8, r10 and r11 (node k's offset from the index, r9, in
// lines, until it is shifted to bytes): one level of a search, counting as
// isa does.
// The chain from one level to the next runs from the count through an add
// and a shift to the next load; 17 k and the next level's first node are
// worked out beside it. Below the last level it goes on at leaf.
//
// In a large array each search prefetches the children of its nodes in the
// last level, or two, while it reads the node, so that the child it picks
// is on its way already: from 1 MB of leaves, and from 1 MB of index. The
// 17 children lie in a row, and every other line of them is enough: the
// processor's own prefetcher brings the line beside each (measured, about
// as fast as all 17 waiting for each search, and less costly to searches
// that overlap).
// Neither prefetching all 17 leaf blocks nor prefetching before the count
// measured faster at 3*10^8 elements (chained and independent, against the
// compiled twin, Xeon Sapphire Rapids KVM guest, busy: the medians of
// per-repetition ratios moved by less than from one run to the next).
.macro tree_level isa, level, leaf
        cmp     dword ptr [TREE + TREE_LEVELS], \level
        jb      \leaf                           // no more levels
        count_\isa r9+r11, r8d                  // c = keys below the value
        cmp     VALUE, \level
        ja      L(fetched\@)
// The node's children on their way while it is read.
        imul    r10, rax, TREE_FANOUT * 64      // 17 k lines
        cmp     dword ptr [TREE + TREE_LEVELS], \level
        je      L(leaves\@)
        mov     r11d, [TREE + TREE_FIRST_NODE + 4 * \level]
        shl     r11, 6
        add     r11, r9                         // the next level's first node
        jmp     L(children\@)
L(leaves\@):
        mov     r11, [TREE + TREE_NUMBERS]      // below the last level, the leaves
L(children\@):
        add     r10, r11
        .irp    child, 0, 2, 4, 6, 8, 10, 12, 14, 16
        prefetcht0 [r10 + 64 * \child]
        .endr
L(fetched\@):
        imul    r10, rax, TREE_FANOUT           // 17 k
        mov     r11d, [TREE + TREE_FIRST_NODE + 4 * \level]
        add     r11, r10                        // node 17 k of the next level
        add     r11, r8                         // node 17 k + c
        shl     r11, 6
        lea     rax, [r10 + r8]                 // k = 17 k + c
.endm

// Changes rax (left the answer), the value's register, r8 to r11 and the
// vectors: one search, its levels unrolled, TREE_MAX_LEVELS - 1 at the most,
// 4.4 KB for the three ways of counting. Written as a loop (with a chain one
// shift shorter), it took 1.16 times as long with AVX-512, 1.19 with AVX2
// and 1.07 with SSE2 on independent searches at 10^4 elements, though 0.95
// to 0.98 chained (fastest of 41 runs, Xeon Sapphire Rapids KVM guest).
.macro tree_search isa
        splat_\isa VALUE
        mov     VALUE, [TREE + TREE_LEVELS]     // the first level whose children
        lea     r8d, [VALUE - 1]                // to prefetch: the leaves' parents
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_NODES
        cmovge  VALUE, r8d                      // or the level above too
        mov     r8d, TREE_MAX_LEVELS            // or none
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_LEAVES
        cmovl   VALUE, r8d
        mov     r9, [TREE + TREE_NODES]
        xor     eax, eax                        // k = 0
        xor     r11d, r11d                      // the root
        .irp    level, 1, 2, 3, 4, 5, 6, 7
        tree_level \isa, \level, L(leaf\@)
        .endr
L(leaf\@):
        mov     r10, rax
        shl     r10, 6
        add     r10, [TREE + TREE_NUMBERS]      // numbers + 16 k
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
