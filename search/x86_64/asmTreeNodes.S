// What the tree searches share on x86-64: asking the processor which of
// three ways of counting it allows, and the three ways, each of which counts
// the 16 keys (or elements) from at that are below the value, the keys
// sorted, so that those below are the first c.
//
// SSE2, which every x86-64 has, compares four keys an instruction, packs the
// four answers into one byte each and counts them without popcnt, which it
// lacks: the mask is 2^c - 1, so c is the lowest set bit of mask + 1. AVX2
// compares eight and packs the two answers into words, so that popcnt counts
// each key twice. AVX-512 compares all sixteen into a mask register, and in
// zmm16, which needs no vzeroupper after it.

// Where DOUBLED is 1, count leaves twice the count.
        .set    DOUBLED_sse2, 0
        .set    DOUBLED_avx2, 1
        .set    DOUBLED_avx512, 0

// The value in every lane, from a register or memory.
.macro splat_sse2 from
        movd    xmm0, \from
        pshufd  xmm0, xmm0, 0
.endm
.macro splat_avx2 from
        vmovd   xmm0, \from
        vpbroadcastd ymm0, xmm0
.endm
.macro splat_avx512 from
        vpbroadcastd zmm16, \from
.endm

// Sets to (a 32-bit register) to the keys of the line at from below the value.
.macro count_sse2 from, to
        movdqu  xmm1, [\from]
        movdqu  xmm2, [\from + 16]
        movdqa  xmm3, xmm0
        pcmpgtd xmm3, xmm1                      // key < value, keys 0 to 3
        movdqa  xmm1, xmm0
        pcmpgtd xmm1, xmm2
        packssdw xmm3, xmm1                     // keys 0 to 7, a word each
        movdqu  xmm1, [\from + 32]
        movdqu  xmm2, [\from + 48]
        movdqa  xmm4, xmm0
        pcmpgtd xmm4, xmm1
        movdqa  xmm1, xmm0
        pcmpgtd xmm1, xmm2
        packssdw xmm4, xmm1
        packsswb xmm3, xmm4                     // all sixteen, a byte each
        pmovmskb \to, xmm3                      // 2^c - 1
        inc     \to
        bsf     \to, \to                        // c
.endm
.macro count_avx2 from, to
        vpcmpgtd ymm1, ymm0, [\from]            // key < value, keys 0 to 7
        vpcmpgtd ymm2, ymm0, [\from + 32]
        vpackssdw ymm1, ymm1, ymm2              // all sixteen, a word each
        vpmovmskb \to, ymm1
        popcnt  \to, \to                        // 2 c
.endm
.macro count_avx512 from, to
        vpcmpgtd k1, zmm16, [\from]             // key < value
        kmovw   \to, k1
        popcnt  \to, \to                        // c
.endm

// Asks cpuid and xgetbv, and leaves in eax and in isa 1 for SSE2, 2 for AVX2
// (with popcnt) or 3 for AVX-512 (F), the most that both the processor and
// the system, which must keep the registers, allow. Changes nothing but rax
// and r8 to r11.
.macro askIsa isa
        mov     r9, rcx
        mov     r10, rdx
        mov     r11, rbx
        xor     r8d, r8d                        // the registers the system keeps: none known
        xor     eax, eax
        cpuid
        cmp     eax, 7                          // the highest leaf cpuid knows
        jb      1f
        mov     eax, 1
        cpuid
        and     ecx, (1 << 23) | (1 << 27) | (1 << 28) // popcnt, OSXSAVE, AVX
        cmp     ecx, (1 << 23) | (1 << 27) | (1 << 28)
        jne     1f
        xor     ecx, ecx
        xgetbv                                  // XCR0
        and     eax, 0xe6                       // xmm, ymm; the mask registers and zmm
        mov     r8d, eax
        mov     eax, 7
        xor     ecx, ecx
        cpuid
1:      mov     eax, 1
        mov     ecx, r8d
        and     ecx, 6
        cmp     ecx, 6
        jne     2f                              // no ymm
        test    ebx, 1 << 5
        jz      2f                              // no AVX2
        mov     eax, 2
        cmp     r8d, 0xe6
        jne     2f                              // no zmm
        test    ebx, 1 << 16
        jz      2f                              // no AVX-512F
        mov     eax, 3
2:      mov     [rip + \isa], eax
        mov     rcx, r9
        mov     rdx, r10
        mov     rbx, r11
.endm
