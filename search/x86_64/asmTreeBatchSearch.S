#include "../asm.S"
#include "asmTreeNodes.S"

        .intel_syntax noprefix

// The arguments, once moved to registers that both conventions keep.
#define VALUES  r12                             // the group's first query
#define LEFT    r13d                            // how many queries are left
#define TREE    r14
#define RESULTS r15                             // the group's first answer
#define GROUP   32                              // searches that go down together

// A group of rbx searches, counting as isa does. While the group goes down
// the tree, results[i] holds search i's k; the node of the next level is
// prefetched as soon as k is known, and below the last level the leaf
// block's one or two lines.
.macro treeBatch isa
1:      mov     ebx, GROUP
        cmp     LEFT, ebx
        cmovl   ebx, LEFT                       // this group's searches
        xor     ecx, ecx
2:      mov     dword ptr [RESULTS + rcx*4], 0  // k = 0: the root
        inc     rcx
        cmp     rcx, rbx
        jne     2b
        lea     r10, [TREE + TREE_FIRST_NODE]   // the level's first node
        mov     r11d, [TREE + TREE_LEVELS]
        lea     r11, [r10 + r11*4]              // past the last level
        cmp     r10, r11
        je      5f
3:      mov     esi, [r10]
        shl     rsi, 6
        add     rsi, [TREE + TREE_NODES]        // the level's first node
        mov     edi, [r10 + 4]
        shl     rdi, 6
        add     rdi, [TREE + TREE_NODES]        // the next level's
        lea     rax, [r10 + 4]
        cmp     rax, r11
        cmove   rdi, [TREE + TREE_NUMBERS]      // or, below the last, the leaves
        xor     ecx, ecx
4:      mov     eax, [RESULTS + rcx*4]          // k
        mov     rdx, rax
        shl     rdx, 6
        add     rdx, rsi                        // node k
        splat_\isa [VALUES + rcx*4]
        count_\isa rdx, r8d                     // c = keys below the value
        .if     DOUBLED_\isa
        shr     r8d, 1
        .endif
        imul    rax, rax, TREE_FANOUT
        add     rax, r8                         // k = 17 k + c
        mov     [RESULTS + rcx*4], eax
        shl     rax, 6
        prefetcht0 [rdi + rax]                  // node k of the next level
        prefetcht0 [rdi + rax + 60]             // (a leaf block may straddle two lines)
        inc     rcx
        cmp     rcx, rbx
        jne     4b
        add     r10, 4
        cmp     r10, r11
        jne     3b
5:      mov     r9, [TREE + TREE_NUMBERS]
        mov     r10d, [TREE + TREE_TAIL_BLOCK]
        movsxd  r11, dword ptr [TREE + TREE_COUNT]
        xor     ecx, ecx
6:      mov     eax, [RESULTS + rcx*4]          // k
        mov     rdx, rax
        shl     rdx, 6
        add     rdx, r9                         // numbers + 16 k
        cmp     eax, r10d
        cmove   rdx, [TREE + TREE_TAIL]         // the last block, padded
        mov     esi, [VALUES + rcx*4]
        splat_\isa esi
        count_\isa rdx, r8d                     // c = elements below the value
        .if     DOUBLED_\isa
        shr     r8d, 1
        .endif
        shl     rax, 4
        add     rax, r8                         // p = 16 k + c
        mov     edx, -1
        cmp     rax, r11
        jge     7f                              // p == count: none is not below
        cmp     [r9 + rax*4], esi
        cmove   edx, eax                        // numbers[p] == value ? p : -1
7:      mov     [RESULTS + rcx*4], edx
        inc     rcx
        cmp     rcx, rbx
        jne     6b
        lea     VALUES, [VALUES + rbx*4]
        lea     RESULTS, [RESULTS + rbx*4]
        sub     LEFT, ebx
        jnz     1b
        .ifc    \isa, avx2
        vzeroupper
        .endif
        jmp     L(done)
.endm

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// On Windows it uses xmm0 to xmm5 only, or zmm16, so it saves none of the
// vector registers.
function asmTreeBatchSearch
        .irp    reg, rbx, rsi, rdi, r12, r13, r14, r15
        push    \reg
        UNWIND(.seh_pushreg \reg)
        .endr
        UNWIND(.seh_endprologue)
#if defined(_WIN64)
        mov     VALUES, rcx
        mov     LEFT, edx
        mov     TREE, r8
        mov     RESULTS, r9
#else
        mov     VALUES, rdi
        mov     LEFT, esi
        mov     TREE, rdx
        mov     RESULTS, rcx
#endif
        test    LEFT, LEFT
        jle     L(done)                         // no queries
        mov     eax, [rip + L(isa)]
L(asked):
        cmp     eax, 3
        je      L(avx512)
        cmp     eax, 2
        je      L(avx2)
        test    eax, eax
        jz      L(ask)
        treeBatch sse2
L(avx2):
        treeBatch avx2
L(avx512):
        treeBatch avx512
L(ask):
        askIsa  L(isa)
        jmp     L(asked)
L(done):
        .irp    reg, r15, r14, r13, r12, rdi, rsi, rbx
        pop     \reg
        .endr
        ret
endfunc

        .data
        .p2align 2
L(isa):
        .long   0                               // not asked yet
