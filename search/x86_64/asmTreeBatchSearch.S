#include "../asm.S"
#include "x86_64/askIsa.S"
#include "x86_64/asmTreeNodes.S"

        .intel_syntax noprefix

// The arguments, once moved to registers that both conventions keep.
#define VALUES  r12                             // the group's first query
#define LEFT    r13d                            // how many queries are left
#define TREE    r14
#define RESULTS r15                             // the group's first answer

// While a group goes down the tree, search i's k is kept on the stack as the
// byte offset of its node in the level, 64 k, at [rsp + 8 i], and results are
// written only once each value is read, so that results may be values.
// Above the group's k, how many searches a group takes.
#define GROUP   dword ptr [rsp + 8 * TREE_GROUP]
#define FRAME   (8 * TREE_GROUP + 16)

// Changes rax, rcx, rsi, rdi, r8 to r11 and the vectors: one level of the
// group of rbx searches, counting as isa does. from is root (every k is 0) or
// node (64 k at [rsp + 8 i], rsi the level's first node), and to is nodes or
// leaves, what lies below; edx is the level below. Each search's child is
// prefetched with fetch as soon as it is known: a node is one line, and a
// leaf block, in the caller's array, leafLines, since unless the array is
// aligned to lines a block straddles two.
// Keeping 64 k rather than k saves a shift to an address twice a search and
// level: at 3*10^8 elements with AVX-512, 0.82 to 0.89 of the compiled twin's
// time against 0.94 to 0.98 before, on a busy machine, and 0.57 to 0.81
// against 0.74 to 0.80 on a quieter one (median of per-repetition ratios,
// 15 repetitions, Xeon Sapphire Rapids KVM guest).
.macro tree_batch_level isa, from, to, fetch, leafLines
        .ifc    \to, leaves
        mov     rdi, [TREE + TREE_NUMBERS]      // the leaves
        mov     r9d, [TREE + TREE_TAIL_BLOCK]
        shl     r9, 6                           // at 64 k
        mov     r10, [TREE + TREE_TAIL]         // the last block, padded
        .else
        mov     edi, [TREE + TREE_FIRST_NODE + rdx*4]
        shl     rdi, 6
        add     rdi, [TREE + TREE_NODES]        // the first node of the level below
        .endif
        .ifc    \from, root
        mov     rsi, [TREE + TREE_NODES]        // the root
        .endif
        xor     ecx, ecx
L(search\@):
        splat_\isa [VALUES + rcx*4]
        .ifc    \from, root
        batch_count \isa, rsi, r8, 6, r11      // 64 c, c the keys below the value
        mov     eax, r8d                        // 64 k = 64 c
        .else
        mov     rax, [rsp + rcx*8]              // 64 k
        batch_count \isa, rsi+rax, r8, 6, r11  // 64 c, c the keys below the value
        imul    rax, rax, TREE_FANOUT
        add     rax, r8                         // 64 k = 64 (17 k + c)
        .endif
        mov     [rsp + rcx*8], rax
        .ifc    \to, leaves
        lea     r11, [rdi + rax]                // leaf block k
        cmp     rax, r9
        cmove   r11, r10                        // or the padded last block
        \fetch  [r11]
        .if     \leafLines == 2
        \fetch  [r11 + 60]
        .endif
        .else
        \fetch  [rdi + rax]                     // node k below
        .endif
        inc     rcx
        cmp     rcx, rbx
        jne     L(search\@)
        mov     rsi, rdi                        // the level below is the next one's
.endm

// Changes rax to rdi, r8 to r13, r15 and the vectors: groups of up to
// GROUP searches, counting as isa does and prefetching with fetch,
// until no queries are left; then on to L(done).
.macro tree_groups isa, fetch, leafLines
L(group\@):
        mov     ebx, GROUP
        cmp     LEFT, ebx
        cmovl   ebx, LEFT                       // this group's searches
        mov     edx, 1                          // the level below the root
        cmp     edx, [TREE + TREE_LEVELS]
        ja      L(leaves\@)                     // the only block
        je      L(rootAboveLeaves\@)
        tree_batch_level \isa, root, nodes, \fetch, \leafLines
L(nodes\@):
        inc     edx
        cmp     edx, [TREE + TREE_LEVELS]
        je      L(lastNodes\@)
        tree_batch_level \isa, node, nodes, \fetch, \leafLines
        jmp     L(nodes\@)
L(rootAboveLeaves\@):
        tree_batch_level \isa, root, leaves, \fetch, \leafLines
        jmp     L(leaves\@)
L(lastNodes\@):
        tree_batch_level \isa, node, leaves, \fetch, \leafLines
L(leaves\@):
        xor     ecx, ecx
L(answer\@):
        mov     rax, [rsp + rcx*8]              // 64 k
        mov     rdx, rax
        add     rdx, [TREE + TREE_NUMBERS]      // numbers + 16 k
        mov     esi, [VALUES + rcx*4]
        splat_\isa esi
        leaf_answer \isa, TREE, esi, rdx
        mov     [RESULTS + rcx*4], eax
        inc     rcx
        cmp     rcx, rbx
        jne     L(answer\@)
        lea     VALUES, [VALUES + rbx*4]
        lea     RESULTS, [RESULTS + rbx*4]
        sub     LEFT, ebx
        jnz     L(group\@)
        leave_vectors \isa
        jmp     L(done)
.endm

// All the groups, counting as isa does. From TREE_PREFETCHED_TO_L2
// elements on, the prefetches bring each line to L2 only. A prefetch to L1
// holds one of the core's fill buffers (a dozen or so) until its line comes
// from memory, one to L2 only until L2 takes it over, so more lines are on
// their way at once; the searches' loads then wait on L2, which below that
// size costs more than it saves. A second prefetch for the same line, which
// to L1 is nearly free, then costs a request to L2 too, so it is made only
// for leaves that straddle lines. At 3*10^8 elements, the method compiled
// with AVX-512 against twice the floor of a line with many in flight: 1.17
// to 1.22 times it with prefetcht0, 1.06 to 1.09 with prefetcht1 and one
// line a leaf, 1.12 to 1.14 with two; this routine, 0.87 to 0.89 of its
// time before at 2*10^7 to 3*10^8 elements (median of 150 to 200 bursts of
// 4096 queries, each beside a burst of the floor's, Xeon Sapphire Rapids KVM
// guest).
.macro tree_batch isa
        cmp     dword ptr [TREE + TREE_LEVELS], 0
        jne     L(chosen\@)
        xor     eax, eax
        mov     ecx, TREE_GROUP
        mov     rdi, rsp
        rep stosq                               // no index: every k = 0, once
L(chosen\@):
        mov     eax, TREE_GROUP_IN_L1
        mov     ecx, TREE_GROUP
        cmp     dword ptr [TREE + TREE_COUNT], TREE_IN_L1
        cmovge  eax, ecx
        mov     GROUP, eax
        cmp     dword ptr [TREE + TREE_COUNT], TREE_PREFETCHED_TO_L2
        jge     L(far\@)
        tree_groups \isa, prefetcht0, 2
L(far\@):
        test    byte ptr [TREE + TREE_NUMBERS], 63
        jnz     L(straddling\@)                 // leaves not aligned to lines
        tree_groups \isa, prefetcht1, 1
L(straddling\@):
        tree_groups \isa, prefetcht1, 2
.endm

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// It saves the general registers it uses, but no vector register: it uses
// only xmm0 to xmm4 (or ymm, or zmm16 and k1), which both conventions leave
// to it.
function asmTreeBatchSearch
        .irp    reg, rbx, rsi, rdi, r12, r13, r14, r15
        push    \reg
        UNWIND(.seh_pushreg \reg)
        .endr
        sub     rsp, FRAME
        UNWIND(.seh_stackalloc FRAME)
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
        by_isa  tree_batch
L(done):
        add     rsp, FRAME
        .irp    reg, r15, r14, r13, r12, rdi, rsi, rbx
        pop     \reg
        .endr
        ret
endfunc
