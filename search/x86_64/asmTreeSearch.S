#include "../asm.S"
#include "asmTreeNodes.S"

        .intel_syntax noprefix

// In a large array each search prefetches the children of its nodes in the
// last level, or two, while it reads the node, so that the child it picks
// is on its way already: from 1 MB of leaves, and from 1 MB of index. The
// 17 children lie in a row, and every other line of them is enough: the
// processor's own prefetcher brings the line beside each (measured, about
// as fast as all 17 waiting for each search, and less costly to searches
// that overlap).
#define PREFETCHED_LEAVES (1 << 18)             // elements
#define PREFETCHED_NODES (1 << 22)

#if defined(_WIN64)
#define VALUE   ecx
#define TREE    rdx
#else
#define VALUE   edi
#define TREE    rsi
#endif

// One search, counting as isa does, its levels unrolled: rax holds k, and
// r11 node k's offset from the index, in lines, until it is shifted to
// bytes. The chain from one level to the next runs from the count through
// an add and a shift to the next load; 17 k and the next level's first node
// are worked out beside it.
.macro treeSearch isa
        splat_\isa VALUE
        mov     VALUE, [TREE + TREE_LEVELS]     // the first level whose children
        lea     r8d, [VALUE - 1]                // to prefetch: the leaves' parents
        cmp     dword ptr [TREE + TREE_COUNT], PREFETCHED_NODES
        cmovge  VALUE, r8d                      // or the level above too
        mov     r8d, TREE_MAX_LEVELS            // or none
        cmp     dword ptr [TREE + TREE_COUNT], PREFETCHED_LEAVES
        cmovl   VALUE, r8d
        mov     r9, [TREE + TREE_NODES]
        xor     eax, eax                        // k = 0
        xor     r11d, r11d                      // the root
        .irp    level, 1, 2, 3, 4, 5, 6, 7
        cmp     dword ptr [TREE + TREE_LEVELS], \level
        jb      2f                              // no more levels
        count_\isa r9+r11, r8d                  // c = keys below the value
        cmp     VALUE, \level
        ja      7f
// The node's children on their way while it is read.
        imul    r10, rax, TREE_FANOUT * 64      // 17 k lines
        cmp     dword ptr [TREE + TREE_LEVELS], \level
        je      8f
        mov     r11d, [TREE + TREE_FIRST_NODE + 4 * \level]
        shl     r11, 6
        add     r11, r9                         // the next level's first node
        jmp     9f
8:      mov     r11, [TREE + TREE_NUMBERS]      // below the last level, the leaves
9:      add     r10, r11
        .irp    child, 0, 2, 4, 6, 8, 10, 12, 14, 16
        prefetcht0 [r10 + 64 * \child]
        .endr
7:
        imul    r10, rax, TREE_FANOUT           // 17 k
        mov     r11d, [TREE + TREE_FIRST_NODE + 4 * \level]
        add     r11, r10                        // node 17 k of the next level
        .ifc    \isa, avx2
        lea     r11, [r8 + r11*2]               // 2 (node 17 k + c)
        shl     r11, 5
        shr     r8d, 1
        .else
        add     r11, r8                         // node 17 k + c
        shl     r11, 6
        .endif
        lea     rax, [r10 + r8]                 // k = 17 k + c
        .endr
2:      mov     r11, rax
        shl     r11, 6
        add     r11, [TREE + TREE_NUMBERS]      // numbers + 16 k
        cmp     eax, [TREE + TREE_TAIL_BLOCK]
        je      4f                              // the last block
5:      count_\isa r11, r8d                     // c = elements below the value
        .ifc    \isa, avx2
        shr     r8d, 1
        .endif
        shl     rax, 4
        add     rax, r8                         // p = 16 k + c
        movsxd  r8, dword ptr [TREE + TREE_COUNT]
        cmp     rax, r8
        jge     3f                              // p == count: no element is not below
        mov     r11, [TREE + TREE_NUMBERS]
        unsplat_\isa r8d
        cmp     [r11 + rax*4], r8d
        mov     r8d, -1
        cmovne  eax, r8d                        // result = numbers[p] == value ? p : -1
        .ifc    \isa, avx2
        vzeroupper
        .endif
        ret
3:      mov     eax, -1
        .ifc    \isa, avx2
        vzeroupper
        .endif
        ret
4:      mov     r11, [TREE + TREE_TAIL]         // read from the padded copy
        jmp     5b
.endm

// int asmTreeSearch(int value, const SearchTree* tree)
//
// Changes only rax, the value's register (which, once the value is in a
// vector, holds the first level to prefetch below), r8 to r11, xmm0 to xmm4
// (or ymm, or zmm16 and k1), all of which both conventions leave to the
// called routine, so it saves nothing.
// It asks which way to count once (askIsa) and keeps the answer in L(isa).
function asmTreeSearch
        UNWIND(.seh_endprologue)
#if defined(TREE_ISA)
        mov     eax, TREE_ISA                   // as the tests ask
#else
        mov     eax, [rip + L(isa)]
#endif
L(asked):
        cmp     eax, 3
        je      L(avx512)
        cmp     eax, 2
        je      L(avx2)
        test    eax, eax
        jz      L(ask)
        treeSearch sse2
L(avx2):
        treeSearch avx2
L(avx512):
        treeSearch avx512
L(ask):
        askIsa  L(isa)
        jmp     L(asked)
endfunc

        .data
        .p2align 2
L(isa):
        .long   0                               // not asked yet
