#include "../asm.S"
#include "i386/asmTreeNodes.S"

        .intel_syntax noprefix

// void asmTreeBatchSearch(const int values[], int queries,
//                         const SearchTree* tree, int results[])
//
// Groups of sixteen searches, taken down the tree a level at a time. Each
// prefetches its next node as soon as it knows it (prefetcht0 needs SSE), so
// that the line is there by the time the group comes round again. Each
// lane's value and k live on the stack, side by side, and so does what the
// lanes need of the tree.
#define LANES           16
#define LANE            8                       // a lane: value, then k
#define LEVEL           128                     // this level's first node
#define NEXT            132                     // the next level's, or numbers
#define NEXT_TAIL       136                     // the tail block there, or -1
#define NUMBERS         140
#define TAIL            144
#define TAIL_BLOCK      148
#define LAST            152                     // count - 1
#define GROUP           156                     // the group's queries
#define FRAME           172                     // keeps esp 16-byte aligned
// The arguments, above the frame, the four registers pushed and the return
// address.
#define VALUES          (FRAME + 20)
#define QUERIES         (FRAME + 24)
#define TREE            (FRAME + 28)
#define RESULTS         (FRAME + 32)

function asmTreeBatchSearch
        push    ebp
        push    ebx
        push    esi
        push    edi
        sub     esp, FRAME
        cmp     dword ptr [esp + QUERIES], 0
        jle     L(done)                         // no queries
        mov     edx, [esp + TREE]
        mov     eax, [edx + TREE_COUNT]
        cmp     eax, 0
        jle     L(none)                         // no elements
        dec     eax
        mov     [esp + LAST], eax
        mov     eax, [edx + TREE_NUMBERS]
        mov     [esp + NUMBERS], eax
        mov     eax, [edx + TREE_TAIL]
        mov     [esp + TAIL], eax
        mov     eax, [edx + TREE_TAIL_BLOCK]
        mov     [esp + TAIL_BLOCK], eax
L(group):
        mov     ecx, LANES
        cmp     [esp + QUERIES], ecx
        cmovb   ecx, [esp + QUERIES]
        mov     [esp + GROUP], ecx
        dec     ecx                             // the group's last query
        mov     edx, [esp + VALUES]
        xor     eax, eax
L(copy):
        mov     ebx, eax
        cmp     ebx, ecx
        cmova   ebx, ecx
        mov     ebx, [edx + ebx*4]              // values[min(lane, queries - 1)]
        mov     [esp + eax*8], ebx
        mov     dword ptr [esp + eax*8 + 4], 0  // and k = 0: the root
        inc     eax
        cmp     eax, LANES
        jb      L(copy)
        mov     edx, [esp + TREE]
        xor     ebp, ebp                        // the level
        cmp     [edx + TREE_LEVELS], ebp
        je      L(leaves)
L(level):
        mov     eax, [edx + TREE_FIRST_NODE + ebp*4]
        shl     eax, 6
        add     eax, [edx + TREE_NODES]
        mov     [esp + LEVEL], eax
        inc     ebp
        mov     eax, [esp + NUMBERS]
        mov     [esp + NEXT], eax               // below the last level, the leaf blocks
        mov     eax, [esp + TAIL_BLOCK]
        mov     [esp + NEXT_TAIL], eax          // and the tail
        cmp     ebp, [edx + TREE_LEVELS]
        je      L(lanes)
        mov     eax, [edx + TREE_FIRST_NODE + ebp*4]
        shl     eax, 6
        add     eax, [edx + TREE_NODES]
        mov     [esp + NEXT], eax               // else the next level's first node
        mov     dword ptr [esp + NEXT_TAIL], -1 // and no tail
L(lanes):
        mov     esi, esp
        hot_loop
L(lane):
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
        add     edx, [esp + NEXT]
        cmp     ecx, [esp + NEXT_TAIL]
        cmove   edx, [esp + TAIL]               // the next node, or the tail
        prefetcht0 [edx]
        prefetcht0 [edx + 60]                   // a leaf block may straddle two lines
        add     esi, LANE
        lea     eax, [esp + LANES * LANE]
        cmp     esi, eax
        jb      L(lane)
        mov     edx, [esp + TREE]
        cmp     ebp, [edx + TREE_LEVELS]
        jb      L(level)
L(leaves):
        mov     esi, esp
        mov     ebp, [esp + RESULTS]
L(leaf):
        mov     edi, [esi]
        mov     ecx, [esi + 4]
        mov     ebx, ecx
        shl     ebx, 6
        add     ebx, [esp + NUMBERS]
        cmp     ecx, [esp + TAIL_BLOCK]
        cmove   ebx, [esp + TAIL]               // leaf block k, or the tail
        shl     ecx, 4
        add_keys_below ebx, edi, ecx            // p = 16 k + elements below value
        mov     eax, [esp + LAST]
        cmp     ecx, eax
        cmovb   eax, ecx                        // p, or count - 1 where p is count
        mov     edx, [esp + NUMBERS]
        cmp     [edx + eax*4], edi
        mov     eax, -1
        cmove   eax, ecx                        // result = numbers[p] == value ? p : -1
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
        mov     edi, [esp + RESULTS]
        mov     ecx, [esp + QUERIES]
        mov     eax, -1
        rep stosd                               // results[i] = -1
L(done):
        add     esp, FRAME
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
endfunc
