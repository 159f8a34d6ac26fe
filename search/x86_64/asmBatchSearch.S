#include "../asm.S"
#include "x86_64/askIsa.S"

        .intel_syntax noprefix

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// With AVX2, eight vectors of eight searches: their first six levels pick
// their probes out of registers, each level below but the last gathers a
// vector's probes in one instruction, and the last gathers each search's
// base and probe as a pair, which leaves nothing to load for the answer. In
// an array small enough that the gathers set the pace, six more searches go
// level by level beside them in general registers: the integer units, idle
// while the gathers keep the vector units busy, advance these for next to
// nothing. (In a larger array the memory sets the pace, and they cost more
// than they give: 7 per cent at 10^6 elements.)
// Without AVX2, and for the last queries, groups of sixteen searches in
// general registers, each of which prefetches its next probe as soon as it
// knows it, so that the load is there by the time the group comes round
// again.

// The arguments, once moved to registers that both conventions keep.
#define VALUES          r12                     // the group's first query
#define LEFT            r13d                    // how many queries are left
#define NUMBERS         r14
#define COUNT           r15d
#define RESULTS         rbp                     // the group's first answer

// On the stack: the scalar groups' lanes, the values (padded to a whole group
// with the last) and the bases, 64 bits each; the probes of the first six
// levels and the bases below them, by node; what the fourth to sixth levels
// add to a base; those levels' halves and the len below them; on Windows,
// xmm6 to xmm15.
#define VECTOR_LANES    64
#define SCALAR_LANES    6
#define SMALL_ARRAY     16384                   // elements: below it, scalar lanes too
#define LANES           16
#define LANE_VALUES     0
#define LANE_BASES      (LANE_VALUES + 4 * LANES)
#define PIVOTS          (LANE_BASES + 8 * LANES)
#define NODE_BASES      (PIVOTS + 4 * 64)
#define LOW_BASES       (NODE_BASES + 4 * 128)
#define TOP_HALVES      (LOW_BASES + 4 * 8)
#define BELOW           (TOP_HALVES + 4 * 6)    // len below the sixth level
#define GROUP           (TOP_HALVES + 4 * 7)    // the queries of a group
#if defined(_WIN64)
#define XMM_SAVED       (TOP_HALVES + 4 * 8)
#define FRAME           (XMM_SAVED + 160 + 8)       // and rsp 16-byte aligned
#define XMM             xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
#else
#define FRAME           (TOP_HALVES + 4 * 8)
#endif

// Changes ymm10 and ymm into: gathers vector v's probes, numbers[base +
// half], into ymm into. r10 holds numbers + half.
.macro gather v, into
        vpcmpeqd ymm10, ymm10, ymm10            // all eight lanes
        vpxor   ymm\into, ymm\into, ymm\into
        vpgatherdd ymm\into, [r10 + ymm\v*4], ymm10
.endm

// Changes rcx and base: moves the search of a scalar lane, whose base is in
// register base, one level on. at holds numbers + half, half the half.
.macro step lane, base, at, half
        mov     ecx, [VALUES + 4 * (VECTOR_LANES + \lane)]
        cmp     [\at + \base*4], ecx            // numbers[base + half] > value?
        lea     rcx, [\base + \half]
        cmovle  \base, rcx                      // if not, base += half
.endm

// Changes rcx, and rbx, rsi, rdi, r8, r9 and r11, the six scalar searches'
// bases: in a small array, moves them one level on. at holds numbers + half,
// half the half.
.macro scalar_level at, half
        cmp     COUNT, SMALL_ARRAY
        jae     L(large\@)
        step    0, rbx, \at, \half
        step    1, rsi, \at, \half
        step    2, rdi, \at, \half
        step    3, r8, \at, \half
        step    4, r9, \at, \half
        step    5, r11, \at, \half
L(large\@):
.endm

// Changes rcx, rdx and base: writes a scalar lane's answer, from its base.
.macro answer lane, base, base32
        xor     edx, edx
        test    \base, \base
        cmovs   \base, rdx                      // the last element <= value, if any
        mov     edx, -1
        mov     ecx, [VALUES + 4 * (VECTOR_LANES + \lane)]
        cmp     [NUMBERS + \base*4], ecx
        cmovne  \base32, edx                    // result = equal ? subscript : -1
        mov     [RESULTS + 4 * (VECTOR_LANES + \lane)], \base32
.endm

// Changes ymm v and ymm from: moves vector v's bases by the probes in from.
// ymm8 holds the half.
.macro update v, from
        vpcmpgtd ymm\from, ymm\from, [VALUES + 32 * \v] // numbers[probe] > value?
        vpandn  ymm\from, ymm\from, ymm8       // else half
        vpaddd  ymm\v, ymm\v, ymm\from          // base += that
.endm

function asmBatchSearch
        .irp    reg, rbp, rbx, rsi, rdi, r12, r13, r14, r15
        push    \reg
        UNWIND(.seh_pushreg \reg)
        .endr
        sub     rsp, FRAME
        UNWIND(.seh_stackalloc FRAME)
#if defined(_WIN64)
        .set    at, XMM_SAVED
        .irp    reg, XMM
        movdqu  [rsp + at], \reg
        .seh_savexmm \reg, at
        .set    at, at + 16
        .endr
#endif
        UNWIND(.seh_endprologue)
#if defined(_WIN64)
        mov     VALUES, rcx
        mov     LEFT, edx
        mov     NUMBERS, r8
        mov     COUNT, r9d
        mov     RESULTS, [rsp + FRAME + 64 + 40] // above the pushes and the shadow space
#else
        mov     VALUES, rdi
        mov     LEFT, esi
        mov     NUMBERS, rdx
        mov     COUNT, ecx
        mov     RESULTS, r8
#endif
        test    LEFT, LEFT
        jle     L(done)                         // no queries
        test    COUNT, COUNT
        jle     L(none)                         // no elements
        isa_once L(isa)
        cmp     eax, 2
        jb      L(groups)                       // no AVX2
        cmp     COUNT, 64                       // a level left below the sixth
        jb      L(groups)
        mov     ecx, VECTOR_LANES
        lea     edx, [rcx + SCALAR_LANES]
        cmp     COUNT, SMALL_ARRAY
        cmovb   ecx, edx
        mov     [rsp + GROUP], ecx
        cmp     LEFT, ecx
        jb      L(groups)

// The first six levels probe the same 63 elements for every search.
// Node n is the probe of a search whose path so far spells n's bits after
// the leading 1, a 1 for each time it moved left, so that the root's
// children are 2 (right) and 3 (left): n's base, the bases of its children,
// and its probe at the base plus the level's half.
        mov     eax, COUNT
        inc     eax                             // len = count + 1
        mov     edx, eax
        shr     edx, 1
        lea     ecx, [rdx - OFF_MIDDLE]
        cmp     COUNT, LARGE_ARRAY
        cmovae  edx, ecx                        // in a large array, short of the middle
        mov     [rsp + TOP_HALVES], edx
        sub     eax, edx
        .irp    level, 1, 2, 3, 4, 5
        mov     edx, eax
        shr     edx, 1
        mov     [rsp + TOP_HALVES + 4 * \level], edx
        sub     eax, edx
        .endr
        mov     [rsp + BELOW], eax
        mov     dword ptr [rsp + NODE_BASES + 4], -1
        mov     ecx, 1                          // node
        xor     r8d, r8d                        // its level
        mov     r9d, 2                          // the first node of the next level
L(pivot):
        cmp     ecx, r9d
        jb      L(sameLevel)
        inc     r8d
        add     r9d, r9d
L(sameLevel):
        mov     edx, [rsp + TOP_HALVES + r8*4]
        mov     eax, [rsp + NODE_BASES + rcx*4]
        lea     r10d, [rax + rdx]
        mov     r10d, [NUMBERS + r10*4]
        mov     [rsp + PIVOTS + rcx*4], r10d    // its probe
        mov     [rsp + NODE_BASES + rcx*8 + 4], eax // its children's bases: left
        add     eax, edx
        mov     [rsp + NODE_BASES + rcx*8], eax // and right
        inc     ecx
        cmp     ecx, 64
        jb      L(pivot)
        vmovdqu ymm9, [rsp + NODE_BASES + 4 * 64]
        vpbroadcastd ymm10, [rsp + NODE_BASES + 4 * 8]
        vpsubd  ymm9, ymm9, ymm10
        vmovdqu [rsp + LOW_BASES], ymm9         // what the fourth to sixth levels add

// Sixty-four searches in ymm0 to ymm7, eight a vector, and in a small array
// six in rbx, rsi, rdi, r8, r9 and r11, for as long as there are a group's
// queries left. Those six go through the first six levels first. For the
// vectors, the first level probes one element for all, and the second one
// of two, by the first's compare. The third picks each search's probe out of
// four by its node, within each half of a register that holds the four
// twice, which costs less than picking across the halves; the fourth out of
// eight; the fifth out of sixteen, two registers' worth blended by the
// node's bit 3; the sixth out of 32, blended by bits 3 and 4. A search's
// base is then that of its node three levels up, plus what the last three
// levels added, both picked by the node. The levels below gather their
// probes, four vectors' gathers at a time, so that their loads are in flight
// together, then those vectors' compares.
L(vectors):
        cmp     LEFT, [rsp + GROUP]
        jb      L(lastQueries)
        .irp    base, rbx, rsi, rdi, r8, r9, r11
        mov     \base, -1                       // base = -1
        .endr
        .irp    level, 0, 1, 2, 3, 4, 5
        mov     edx, [rsp + TOP_HALVES + 4 * \level]
        lea     r10, [NUMBERS + rdx*4]
        scalar_level r10, rdx
        .endr
        vpcmpeqd ymm9, ymm9, ymm9
        vpsrld  ymm9, ymm9, 31
        vpaddd  ymm11, ymm9, ymm9               // 2 in every lane
        vpbroadcastd ymm8, [rsp + PIVOTS + 4]   // node 1's probe, the same for all
        vpbroadcastd ymm12, [rsp + PIVOTS + 8]  // node 2's
        vpbroadcastd ymm13, [rsp + PIVOTS + 12] // node 3's
        vbroadcasti128 ymm14, [rsp + PIVOTS + 16] // nodes 4 to 7, in each half
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpcmpgtd ymm10, ymm8, [VALUES + 32 * \v] // > value? -1 : 0
        vblendvps ymm15, ymm12, ymm13, ymm10    // the next probe
        vpsubd  ymm\v, ymm11, ymm10             // node = 2 + (probe > value)
        vpcmpgtd ymm15, ymm15, [VALUES + 32 * \v]
        vpaddd  ymm\v, ymm\v, ymm\v
        vpsubd  ymm\v, ymm\v, ymm15             // node = 2 node + (probe > value)
        .endr
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpermilps ymm10, ymm14, ymm\v           // the node's probe
        vpcmpgtd ymm10, ymm10, [VALUES + 32 * \v]
        vpaddd  ymm\v, ymm\v, ymm\v
        vpsubd  ymm\v, ymm\v, ymm10
        .endr
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpermd  ymm10, ymm\v, [rsp + PIVOTS + 32] // nodes 8 to 15
        vpcmpgtd ymm10, ymm10, [VALUES + 32 * \v]
        vpaddd  ymm\v, ymm\v, ymm\v
        vpsubd  ymm\v, ymm\v, ymm10
        .endr
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpslld  ymm9, ymm\v, 28                 // nodes 24 to 31: < 0
        vpermd  ymm10, ymm\v, [rsp + PIVOTS + 64]
        vpermd  ymm12, ymm\v, [rsp + PIVOTS + 96]
        vblendvps ymm10, ymm10, ymm12, ymm9     // nodes 16 to 31
        vpcmpgtd ymm10, ymm10, [VALUES + 32 * \v]
        vpaddd  ymm\v, ymm\v, ymm\v
        vpsubd  ymm\v, ymm\v, ymm10
        .endr
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpslld  ymm9, ymm\v, 28                 // bit 3
        vpslld  ymm11, ymm\v, 27                // bit 4: nodes 48 to 63
        vpermd  ymm10, ymm\v, [rsp + PIVOTS + 128]
        vpermd  ymm12, ymm\v, [rsp + PIVOTS + 160]
        vblendvps ymm10, ymm10, ymm12, ymm9
        vpermd  ymm12, ymm\v, [rsp + PIVOTS + 192]
        vpermd  ymm13, ymm\v, [rsp + PIVOTS + 224]
        vblendvps ymm12, ymm12, ymm13, ymm9
        vblendvps ymm10, ymm10, ymm12, ymm11    // nodes 32 to 63
        vpcmpgtd ymm10, ymm10, [VALUES + 32 * \v]
        vpaddd  ymm\v, ymm\v, ymm\v
        vpsubd  ymm\v, ymm\v, ymm10             // node 64 to 127
        vpsrld  ymm9, ymm\v, 3
        vpermd  ymm9, ymm9, [rsp + NODE_BASES + 32] // the base the first three levels left
        vpermd  ymm\v, ymm\v, [rsp + LOW_BASES]
        vpaddd  ymm\v, ymm\v, ymm9              // and what the last three added
        .endr
        mov     eax, [rsp + BELOW]
        jmp     L(vectorNext)
        hot_loop
L(vectorLevel):
        mov     edx, eax
        shr     edx, 1                          // half = len / 2
        sub     eax, edx                        // len -= half
        vmovd   xmm8, edx
        vpbroadcastd ymm8, xmm8
        lea     r10, [NUMBERS + rdx*4]
        scalar_level r10, rdx
        gather  0, 12
        gather  1, 13
        gather  2, 14
        gather  3, 15
        update  0, 12
        update  1, 13
        update  2, 14
        update  3, 15
        gather  4, 12
        gather  5, 13
        gather  6, 14
        gather  7, 15
        update  4, 12
        update  5, 13
        update  6, 14
        update  7, 15
L(vectorNext):
        cmp     eax, 2
        ja      L(vectorLevel)

// The last level, len = 2, probes base + 1. Gathering numbers[base] and
// numbers[base + 1] together, as one 64-bit element, costs what gathering the
// probe alone would, and gives the element the search ends on. A base of -1
// probes numbers[0], so its pair starts there. The scalar searches take it
// as any other level, then load the element they end on.
        mov     edx, 1
        lea     r10, [NUMBERS + 4]
        scalar_level r10, rdx
        cmp     COUNT, SMALL_ARRAY
        jae     L(vectorAnswers)
        answer  0, rbx, ebx
        answer  1, rsi, esi
        answer  2, rdi, edi
        answer  3, r8, r8d
        answer  4, r9, r9d
        answer  5, r11, r11d
L(vectorAnswers):
        vpxor   ymm8, ymm8, ymm8
        vpcmpeqd ymm15, ymm15, ymm15
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpmaxsd ymm9, ymm\v, ymm8               // pair = max(base, 0)
        vextracti128 xmm10, ymm9, 1
        vpunpckhqdq xmm13, xmm9, xmm10          // lanes 2, 3, 6, 7
        vpunpcklqdq xmm9, xmm9, xmm10           // lanes 0, 1, 4, 5
        vpcmpeqd ymm11, ymm11, ymm11
        vpxor   ymm12, ymm12, ymm12
        vpgatherdq ymm12, [NUMBERS + xmm9*4], ymm11
        vpcmpeqd ymm11, ymm11, ymm11
        vpxor   ymm10, ymm10, ymm10
        vpgatherdq ymm10, [NUMBERS + xmm13*4], ymm11
        vshufps ymm14, ymm12, ymm10, 0x88       // numbers[pair], lanes in order
        vshufps ymm12, ymm12, ymm10, 0xdd       // numbers[pair + 1]
        vblendvps ymm12, ymm12, ymm14, ymm\v    // probe = base < 0 ? the first : the second
        vpcmpgtd ymm13, ymm12, [VALUES + 32 * \v] // > value? -1 : 0
        vblendvps ymm12, ymm12, ymm14, ymm13    // the element at the base it ends on
        vpsubd  ymm\v, ymm\v, ymm15
        vpaddd  ymm\v, ymm\v, ymm13             // base += probe <= value
        vpcmpeqd ymm12, ymm12, [VALUES + 32 * \v]
        vpxor   ymm12, ymm12, ymm15             // not equal: all ones
        vpor    ymm\v, ymm\v, ymm12             // result = equal ? base : -1
        vmovdqu [RESULTS + 32 * \v], ymm\v
        .endr
        mov     ecx, [rsp + GROUP]
        lea     VALUES, [VALUES + rcx*4]
        lea     RESULTS, [RESULTS + rcx*4]
        sub     LEFT, ecx
        jmp     L(vectors)
L(lastQueries):
        vzeroupper

// Groups of up to sixteen searches.
L(groups):
        test    LEFT, LEFT
        jz      L(done)
        mov     ecx, LANES
        cmp     LEFT, ecx
        cmovb   ecx, LEFT                       // the group's queries
        lea     r8d, [rcx - 1]
        xor     eax, eax
L(copy):
        mov     edx, eax
        cmp     edx, r8d
        cmova   edx, r8d
        mov     edx, [VALUES + rdx*4]           // values[min(lane, queries - 1)]
        mov     [rsp + LANE_VALUES + rax*4], edx
        mov     qword ptr [rsp + LANE_BASES + rax*8], -1 // base = -1
        inc     eax
        cmp     eax, LANES
        jb      L(copy)
        mov     eax, COUNT
        inc     eax                             // len = count + 1
        cmp     COUNT, LARGE_ARRAY
        jb      L(groupNext)
        mov     r9d, eax
        shr     r9d, 1
        sub     r9d, OFF_MIDDLE                 // the first half, short of the middle
        jmp     L(groupFirst)
        hot_loop
L(groupLevel):
        mov     r9d, eax
        shr     r9d, 1                          // half = len / 2
L(groupFirst):
        sub     eax, r9d                        // len -= half
        mov     r8d, eax
        shr     r8d, 1                          // the next half
        .irp    lane, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
        mov     r10, [rsp + LANE_BASES + 8 * \lane]
        lea     r11, [r10 + r9]                 // probe = base + half
        mov     edx, [rsp + LANE_VALUES + 4 * \lane]
        cmp     [NUMBERS + r11*4], edx
        cmovle  r10, r11                        // numbers[probe] <= value? base = probe
        mov     [rsp + LANE_BASES + 8 * \lane], r10
        lea     r11, [r10 + r8]
        prefetcht0 [NUMBERS + r11*4]            // the next probe
        .endr
L(groupNext):
        cmp     eax, 1
        ja      L(groupLevel)
        xor     eax, eax
L(answer):
        mov     r10, [rsp + LANE_BASES + rax*8]
        xor     r11d, r11d
        test    r10, r10
        cmovs   r10, r11                        // the last element <= value, if any
        mov     r11d, -1
        mov     edx, [rsp + LANE_VALUES + rax*4]
        cmp     [NUMBERS + r10*4], edx
        cmovne  r10d, r11d                      // result = equal ? subscript : -1
        mov     [RESULTS + rax*4], r10d
        inc     eax
        cmp     eax, ecx
        jb      L(answer)
        lea     VALUES, [VALUES + rcx*4]
        lea     RESULTS, [RESULTS + rcx*4]
        sub     LEFT, ecx
        jmp     L(groups)

L(none):
        mov     dword ptr [RESULTS], -1
        add     RESULTS, 4
        dec     LEFT
        jnz     L(none)
L(done):
#if defined(_WIN64)
        .set    at, XMM_SAVED
        .irp    reg, XMM
        movdqu  \reg, [rsp + at]
        .set    at, at + 16
        .endr
#endif
        add     rsp, FRAME
        .irp    reg, r15, r14, r13, r12, rdi, rsi, rbx, rbp
        pop     \reg
        .endr
        ret
endfunc
