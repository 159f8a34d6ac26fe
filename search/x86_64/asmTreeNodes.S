// What the tree searches share on x86-64: three ways of counting the 16 keys
// (or elements) at from that are below the value, the keys sorted, so that
// those below are the first c. (askIsa.S asks which of them the processor
// allows.)
//
// SSE2, which every x86-64 has, compares four keys an instruction, packs the
// four answers into one byte each and counts them without popcnt, which it
// lacks: the mask is 2^c - 1, so c is the lowest set bit of mask + 1. AVX2
// compares eight and packs the two answers into words, a key two bits of the
// mask, so that popcnt counts each key twice. AVX-512 compares all sixteen
// into a mask register, and in zmm16, which needs no vzeroupper after it.

// Changes xmm0 (ymm0, zmm16): the value in every lane, from a register or
// memory.
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

// Changes to: the value back in a general register.
.macro unsplat_sse2 to
        movd    \to, xmm0
.endm
.macro unsplat_avx2 to
        vmovd   \to, xmm0
.endm
.macro unsplat_avx512 to
        vmovd   \to, xmm16
.endm

// Changes to (a 32-bit register) and xmm1 to xmm4 (ymm1 and ymm2; k1): to
// becomes the count of keys of the line at from below the value. It reads
// the whole line before it writes to, so from may use to.
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
        shr     \to, 1                          // c
.endm
.macro count_avx512 from, to
        vpcmpgtd k1, zmm16, [\from]             // key < value
        kmovw   \to, k1
        popcnt  \to, \to                        // c
.endm

// Changes the upper halves of ymm0 to ymm15 after AVX2, clearing them before
// a routine that counted as isa does returns, so that legacy SSE code does
// not wait on them.
.macro leave_vectors isa
        .ifc    \isa, avx2
        vzeroupper
        .endif
.endm

// Changes rax (left the answer), r8 and leaf: the leaf step of every tree
// search. A search that ends in leaf block k (rax), at leaf (a register
// holding numbers + 16 k), its value in value and splat, answers p, the
// subscript of the first element not below the value, if numbers[p] is the
// value, else -1. tree is the SearchTree's register.
.macro leaf_answer isa, tree, value, leaf
        cmp     eax, [\tree + TREE_TAIL_BLOCK]
        jne     L(block\@)
        mov     \leaf, [\tree + TREE_TAIL]      // the last block, padded
L(block\@):
        count_\isa \leaf, r8d                   // c = elements below the value
        shl     rax, 4
        add     rax, r8                         // p = 16 k + c
        mov     r8d, -1
        cmp     eax, [\tree + TREE_COUNT]
        jge     L(none\@)                       // p == count: no element is not below
        mov     \leaf, [\tree + TREE_NUMBERS]
        cmp     [\leaf + rax*4], \value
        cmove   r8d, eax                        // numbers[p] == value ? p : -1
L(none\@):
        mov     eax, r8d
.endm
