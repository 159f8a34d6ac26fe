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
        mov     ebx, ecx
        shl     ebx, 6
        add     ebx, [edi + TREE_NUMBERS]
        cmp     ecx, [edi + TREE_TAIL_BLOCK]
        cmove   ebx, [edi + TREE_TAIL]          // leaf block k, or the tail
        shl     ecx, 4
        add_keys_below ebx, esi, ecx            // p = 16 k + elements below value
        mov     eax, [edi + TREE_COUNT]
        dec     eax
        cmp     ecx, eax
        cmovb   eax, ecx                        // p, or count - 1 where p is count
        mov     edx, [edi + TREE_NUMBERS]
        cmp     [edx + eax*4], esi
        mov     eax, -1
        cmove   eax, ecx                        // result = numbers[p] == value ? p : -1
L(exit):
        pop     edi
        pop     esi
        pop     ebx
        ret
endfunc
