#include "../asm.S"

        .intel_syntax noprefix

// void asmBatchSearch(const int values[], int queries, const int numbers[],
//                     int count, int results[])
//
// With AVX2, eight vectors of eight searches: each level's probes for a
// vector come in one gather. Without it, and for the last queries, groups of
// sixteen searches in general registers, each of which prefetches its next
// probe as soon as it knows it, so that the load is there by the time the
// group comes round again.

// The arguments, once moved to registers that both conventions keep.
#define VALUES          r12                     // the group's first query
#define LEFT            r13d                    // how many queries are left
#define NUMBERS         r14
#define COUNT           r15d
#define RESULTS         rbp                     // the group's first answer

// The scalar groups' lanes on the stack: the values (padded to a whole group
// with the last), then the bases, 64 bits each; on Windows, xmm6 to xmm15.
#define LANES           16
#define LANE_VALUES     0
#define LANE_BASES      (4 * LANES)
#if defined(_WIN64)
#define XMM_SAVED       (LANE_BASES + 8 * LANES)
#define FRAME           (XMM_SAVED + 160)
#define XMM             xmm6, xmm7, xmm8, xmm9, xmm10, xmm11, xmm12, xmm13, xmm14, xmm15
#else
#define FRAME           (LANE_BASES + 8 * LANES)
#endif

function asmBatchSearch
        .irp    reg, rbp, rbx, r12, r13, r14, r15      // rbx for cpuid
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
        mov     RESULTS, [rsp + FRAME + 48 + 40] // above the six pushes and the shadow space
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
        mov     eax, [rip + L(avx2)]
        test    eax, eax
        jz      L(askForAvx2)
L(asked):
        cmp     eax, 2
        jne     L(groups)

// Sixty-four searches in ymm0 to ymm7, eight a vector, each vector's bases as
// 32-bit subscripts, for as long as there are 64 queries left.
L(vectors):
        cmp     LEFT, 64
        jb      L(lastQueries)
        vpcmpeqd ymm0, ymm0, ymm0
        .irp    v, 1, 2, 3, 4, 5, 6, 7
        vmovdqa ymm\v, ymm0                     // base = -1
        .endr
        mov     eax, COUNT
        inc     eax                             // len = count + 1
        jmp     L(vectorNext)
        hot_loop
L(vectorLevel):
        mov     edx, eax
        shr     edx, 1                          // half = len / 2
        sub     eax, edx                        // len -= half
        vmovd   xmm8, edx
        vpbroadcastd ymm8, xmm8
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpaddd  ymm9, ymm\v, ymm8               // probe = base + half
        vpcmpeqd ymm10, ymm10, ymm10            // all eight lanes
        vpxor   ymm11, ymm11, ymm11
        vpgatherdd ymm11, [NUMBERS + ymm9*4], ymm10
        vpcmpgtd ymm11, ymm11, [VALUES + 32 * \v] // numbers[probe] > value?
        vpandn  ymm11, ymm11, ymm8              // else half
        vpaddd  ymm\v, ymm\v, ymm11             // base += that
        .endr
L(vectorNext):
        cmp     eax, 1
        ja      L(vectorLevel)
        vpxor   ymm8, ymm8, ymm8
        .irp    v, 0, 1, 2, 3, 4, 5, 6, 7
        vpmaxsd ymm9, ymm\v, ymm8               // the last element <= value, if any
        vpcmpeqd ymm10, ymm10, ymm10
        vpxor   ymm11, ymm11, ymm11
        vpgatherdd ymm11, [NUMBERS + ymm9*4], ymm10
        vpcmpeqd ymm11, ymm11, [VALUES + 32 * \v]
        vpcmpeqd ymm10, ymm10, ymm10
        vpxor   ymm11, ymm11, ymm10             // not equal: all ones
        vpor    ymm9, ymm9, ymm11               // result = equal ? subscript : -1
        vmovdqu [RESULTS + 32 * \v], ymm9
        .endr
        add     VALUES, 256
        add     RESULTS, 256
        sub     LEFT, 64
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
        jmp     L(groupNext)
        hot_loop
L(groupLevel):
        mov     r9d, eax
        shr     r9d, 1                          // half = len / 2
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
        .irp    reg, r15, r14, r13, r12, rbx, rbp
        pop     \reg
        .endr
        ret

// Asks the processor whether it has AVX2, and the system whether it keeps
// the ymm registers, once: L(avx2) keeps the answer, 2 if both, 1 if not.
L(askForAvx2):
        mov     eax, 1
        cpuid
        and     ecx, (1 << 27) | (1 << 28)      // OSXSAVE, AVX
        cmp     ecx, (1 << 27) | (1 << 28)
        jne     L(noAvx2)
        xor     ecx, ecx
        xgetbv                                  // XCR0
        and     eax, 6
        cmp     eax, 6                          // the system keeps xmm and ymm
        jne     L(noAvx2)
        mov     eax, 7
        xor     ecx, ecx
        cpuid
        mov     eax, 2
        test    ebx, 1 << 5                     // AVX2
        jnz     L(answered)
L(noAvx2):
        mov     eax, 1
L(answered):
        mov     [rip + L(avx2)], eax
        jmp     L(asked)
endfunc

        .data
        .p2align 2
L(avx2):
        .long   0                               // not asked yet
