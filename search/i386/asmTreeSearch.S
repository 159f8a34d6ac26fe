#include "../asm.S"
#include "i386/asmTreeNodes.S"

        .intel_syntax noprefix

// int asmTreeSearch(int value, const SearchTree* tree)
//
// ebx, esi and edi are saved for the node, the value and the tree; ecx is
// k, edx the level.
function asmTreeSearch
        push    ebx
        push    esi
        push    edi
        mov     eax, -1
        mov     edi, [esp + 20]                 // tree
        cmp     dword ptr [edi + TREE_COUNT], 0
        jle     L(exit)                         // no elements
        mov     esi, [esp + 16]                 // value
        xor     ecx, ecx                        // k = 0: the root
        xor     edx, edx
        cmp     [edi + TREE_LEVELS], edx
        je      L(leaf)
L(level):
        mov     ebx, [edi + TREE_FIRST_NODE + edx*4]
        add     ebx, ecx
        shl     ebx, 6
        add     ebx, [edi + TREE_NODES]         // node k of level edx
        imul    ecx, ecx, 17
        add_keys_below ebx, esi, ecx            // k = 17 k + keys below value
        inc     edx
        cmp     edx, [edi + TREE_LEVELS]
        jb      L(level)
L(leaf):
        answer_from_leaf ecx, esi, ebx, [edi+TREE_NUMBERS], [edi+TREE_TAIL_BLOCK], [edi+TREE_TAIL], [edi+TREE_COUNT]
L(exit):
        pop     edi
        pop     esi
        pop     ebx
        ret
endfunc
