#include "../asm.S"
#include "i386/asmTreeNodes.S"
#include "i386/batchGroups.S"

        .intel_syntax noprefix

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it (prefetcht0 needs SSE), so
// that the line is there by the time the group comes round again. Each
// lane's value and k live on the stack, side by side, and so does what the
// lanes need of the tree. Prefetching to L2 only in large arrays, as the
// x86-64 batch does, took 1.08 to 1.10 times as long at 2*10^7 and 3*10^8
// elements: counting without vectors, this batch waits on its instructions
// more than on L1's fill buffers (Xeon Sapphire Rapids KVM guest).
#define LANE            8                       // a lane: value, then k
#define LEVEL           128                     // this level's first node
#define NEXT            132                     // the next level's
#define NUMBERS         136
#define TAIL            140
#define TAIL_BLOCK      144
#define COUNT           148
#define GROUP           152                     // the group's queries
#define FRAME           172                     // keeps esp 16-byte aligned
// The arguments, above the frame, the four registers pushed and the return
// address.
#define VALUES          (FRAME + 20)
#define QUERIES         (FRAME + 24)
#define TREE            (FRAME + 28)
#define RESULTS         (FRAME + 32)

// Changes eax, ebx, ecx, edx, esi and edi: one level for every lane of the
// group, k = 17 k + keys below value, and the node that k then names asked
// for. Above the last level that is one line of the level at NEXT; below it
// (leaves = 1), leaf block k or the tail, which may straddle two lines.
.macro descend_lanes lane, leaves
        mov     esi, esp
        jmp     \lane
        hot_loop
\lane:
        mov     edi, [esi]                      // value
        mov     ecx, [esi + 4]
        mov     ebx, ecx
        shl     ebx, 6
        add     ebx, [esp + LEVEL]              // node k of this level
        imul    ecx, ecx, 17
        add_keys_below ebx, edi, ecx            // k = 17 k + keys below value
        mov     [esi + 4], ecx
        mov     edx, ecx
        shl     edx, 6
.if \leaves
        add     edx, [esp + NUMBERS]
        cmp     ecx, [esp + TAIL_BLOCK]
        cmove   edx, [esp + TAIL]               // leaf block k, or the tail
        prefetcht0 [edx]
        prefetcht0 [edx + 60]
.else
        add     edx, [esp + NEXT]               // node k of the next level
        prefetcht0 [edx]
.endif
        add     esi, LANE
        lea     eax, [esp + LANES * LANE]
        cmp     esi, eax
        jb      \lane
.endm

function asmTreeBatchSearch
        enter_batch FRAME
        cmp     dword ptr [esp + QUERIES], 0
        jle     L(done)                         // no queries
        mov     edx, [esp + TREE]
        mov     eax, [edx + TREE_COUNT]
        cmp     eax, 0
        jle     L(none)                         // no elements
        mov     [esp + COUNT], eax
        mov     eax, [edx + TREE_NUMBERS]
        mov     [esp + NUMBERS], eax
        mov     eax, [edx + TREE_TAIL]
        mov     [esp + TAIL], eax
        mov     eax, [edx + TREE_TAIL_BLOCK]
        mov     [esp + TAIL_BLOCK], eax
L(group):
        mov     esi, [esp + VALUES]
        xor     edx, edx                        // k = 0: the root
        copy_group L(copy), esi, [esp+QUERIES], [esp+GROUP], [esp+eax*8], [esp+eax*8+4], edx
        mov     edx, [esp + TREE]
        xor     ebp, ebp                        // the level
        cmp     [edx + TREE_LEVELS], ebp
        je      L(leaves)
L(level):
        mov     eax, [edx + TREE_FIRST_NODE + ebp*4]
        shl     eax, 6
        add     eax, [edx + TREE_NODES]
        mov     [esp + LEVEL], eax              // this level's first node
        inc     ebp
        cmp     ebp, [edx + TREE_LEVELS]
        je      L(lastLevel)
        mov     eax, [edx + TREE_FIRST_NODE + ebp*4]
        shl     eax, 6
        add     eax, [edx + TREE_NODES]
        mov     [esp + NEXT], eax               // the next level's
        descend_lanes L(node), 0
        mov     edx, [esp + TREE]
        jmp     L(level)
L(lastLevel):
        descend_lanes L(block), 1
L(leaves):
        mov     esi, esp
        mov     ebp, [esp + RESULTS]
L(leaf):
        mov     edi, [esi]
        mov     ecx, [esi + 4]
        answer_from_leaf ecx, edi, ebx, [esp+NUMBERS], [esp+TAIL_BLOCK], [esp+TAIL], [esp+COUNT]
        mov     [ebp], eax
        add     ebp, 4
        add     esi, LANE
        mov     eax, [esp + GROUP]
        lea     eax, [esp + eax*LANE]
        cmp     esi, eax
        jb      L(leaf)
        mov     [esp + RESULTS], ebp
        mov     eax, [esp + GROUP]
        lea     edx, [eax*4]
        add     [esp + VALUES], edx
        sub     [esp + QUERIES], eax
        jnz     L(group)
        jmp     L(done)
L(none):
        answer_none [esp+RESULTS], [esp+QUERIES]
L(done):
        leave_batch FRAME
endfunc
