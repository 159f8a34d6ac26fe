#include "../asm.S"
#include "asmTreeNodes.S"

        .intel_syntax noprefix

#if defined(_WIN64)
#define VALUE   ecx
#define TREE    rdx
#else
#define VALUE   edi
#define TREE    rsi
#endif

// One search, counting as isa does: rax holds 64 k, so that node k of a
// level is 64 k bytes from its first node and leaf block k 64 k bytes from
// numbers. The chain from one level to the next runs from the count through
// a shift and an add to the next load; 17 k and the level's first node are
// worked out beside it.
.macro treeSearch isa
        splat_\isa VALUE
        lea     r10, [TREE + TREE_FIRST_NODE]   // the level's first node
        mov     r9d, [TREE + TREE_LEVELS]
        lea     r9, [r10 + r9*4]                // past the last level
        xor     eax, eax                        // 64 k = 0
        mov     r11, [TREE + TREE_NODES]        // the root
        cmp     r10, r9
        je      2f
1:      count_\isa r11, r8d                     // c = keys below the value
        mov     r11, rax
        shl     r11, 4
        add     rax, r11                        // 64 * 17 k
        mov     r11d, [r10 + 4]
        shl     r11, 6
        add     r11, [TREE + TREE_NODES]
        add     r11, rax                        // node 17 k of the next level
        shl     r8, 6 - DOUBLED_\isa            // 64 c
        add     rax, r8                         // k = 17 k + c
        add     r11, r8                         // node k of the next level
        add     r10, 4
        cmp     r10, r9
        jne     1b
2:      mov     r8d, [TREE + TREE_TAIL_BLOCK]
        shl     r8, 6
        mov     r11, [TREE + TREE_NUMBERS]
        add     r11, rax                        // numbers + 16 k
        cmp     rax, r8
        cmove   r11, [TREE + TREE_TAIL]         // the last block, padded
        count_\isa r11, r8d
        .if     DOUBLED_\isa
        shr     r8d, 1
        .endif
        shr     rax, 2
        add     rax, r8                         // p = 16 k + c
        movsxd  r8, dword ptr [TREE + TREE_COUNT]
        cmp     rax, r8
        jge     3f                              // p == count: no element is not below
        mov     r11, [TREE + TREE_NUMBERS]
        cmp     [r11 + rax*4], VALUE
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
.endm

// int asmTreeSearch(int value, const SearchTree* tree)
//
// Leaves everything but rax, r8 to r11 and the mask register k1 alone, and
// on Windows xmm0 to xmm5, so it saves nothing.
function asmTreeSearch
        UNWIND(.seh_endprologue)
        mov     eax, [rip + L(isa)]
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
