#include "../asm.S"
#include "i386/batchGroups.S"

        .intel_syntax noprefix

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// Groups of sixteen searches, each of which prefetches its next probe as soon
// as it knows it (prefetcht0 needs SSE), so that the load is there by the
// time the group comes round again. Each lane's value and base live on the
// stack; esi and edi walk the values and the results.
#define LANE_VALUES     0                       // 16 ints
#define LANE_BASES      64                      // 16 pointers
#define GROUP           128                     // the group's queries
#define FRAME           140                     // keeps esp 16-byte aligned
// The arguments, above the frame, the four registers pushed and the return
// address.
#define VALUES          (FRAME + 20)
#define QUERIES         (FRAME + 24)
#define NUMBERS         (FRAME + 28)
#define COUNT           (FRAME + 32)
#define RESULTS         (FRAME + 36)

function asmBatchSearch
        enter_batch FRAME
        mov     esi, [esp + VALUES]
        mov     edi, [esp + RESULTS]
        cmp     dword ptr [esp + QUERIES], 0
        jle     L(done)                         // no queries
        cmp     dword ptr [esp + COUNT], 0
        jle     L(none)                         // no elements
L(group):
        mov     edx, [esp + NUMBERS]
        sub     edx, 4                          // base = numbers - 1
        copy_group L(copy), esi, [esp+QUERIES], [esp+GROUP], [esp+LANE_VALUES+eax*4], [esp+LANE_BASES+eax*4], edx
        mov     ebp, [esp + COUNT]
        inc     ebp                             // len = count + 1
        cmp     ebp, LARGE_ARRAY + 1
        jb      L(next)
        mov     ecx, ebp
        shr     ecx, 1
        sub     ecx, OFF_MIDDLE                 // the first half, short of the middle
        jmp     L(first)
        hot_loop
L(level):
        mov     ecx, ebp
        shr     ecx, 1                          // half = len / 2
L(first):
        sub     ebp, ecx                        // len -= half
        shl     ecx, 2                          // half, in bytes
        mov     ebx, ebp
        shr     ebx, 1
        shl     ebx, 2                          // the next half, in bytes
        .irp    lane, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        mov     eax, [esp + LANE_BASES + 4 * \lane] // base
        mov     edx, [esp + LANE_VALUES + 4 * \lane] // value
        cmp     [eax + ecx], edx                // base[half] <= value?
        lea     edx, [eax + ecx]
        cmovle  eax, edx                        // then base += half
        mov     [esp + LANE_BASES + 4 * \lane], eax
        prefetcht0 [eax + ebx]                  // the next probe
        .endr
L(next):
        cmp     ebp, 1
        ja      L(level)
        mov     ecx, [esp + NUMBERS]
        xor     eax, eax
L(answer):
        mov     edx, [esp + LANE_BASES + eax*4]
        cmp     edx, ecx
        cmovb   edx, ecx                        // the last element <= value, if any
        mov     ebx, [edx]
        sub     edx, ecx
        shr     edx, 2                          // its subscript
        cmp     ebx, [esp + LANE_VALUES + eax*4]
        mov     ebx, -1
        cmovne  edx, ebx                        // result = equal ? subscript : -1
        mov     [edi + eax*4], edx
        inc     eax
        cmp     eax, [esp + GROUP]
        jb      L(answer)
        mov     eax, [esp + GROUP]
        lea     esi, [esi + eax*4]
        lea     edi, [edi + eax*4]
        sub     [esp + QUERIES], eax
        jnz     L(group)
        jmp     L(done)
L(none):
        answer_none edi, [esp+QUERIES]
L(done):
        leave_batch FRAME
endfunc
