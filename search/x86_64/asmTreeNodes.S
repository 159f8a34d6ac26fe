// What the tree searches share on x86-64: three ways of counting the 16 keys
// (or elements) at from that are below the value, the keys sorted, so that
// those below are the first c. (askIsa.S asks which of them the processor
// allows.)
//
// The count lies on the chain from one level's load to the next, and each
// instruction set has its own shortest way. SSE2, which every x86-64 has,
// compares four keys an instruction and adds up the answers, -1 a key below,
// in the vector and then in two general registers. Packing them into a mask
// for bsf, as it lacks popcnt, took four cycles longer a level: each pack and
// bsf take three here (Xeon Sapphire Rapids KVM guest); the batch, which has
// no chain to wait on, still packs (batch_count). AVX2 compares eight
// and packs the two answers into words, a key two bits of the mask, so that
// popcnt counts each key twice; two masks and two popcnts, a cycle shorter,
// took 3 to 6 % longer on independent searches from 2 MB to 32 MB. AVX-512
// compares all sixteen into a mask register, and in zmm16, which needs no
// vzeroupper after it.

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

// Changes to and spare (two of r8 to r15, by their 64-bit names; spare for
// SSE2 only) and xmm1 to xmm4 (ymm1 and ymm2; k1): to becomes c << shift, c
// the count of keys of the line at from below the value. Shifted by 6 it is
// child c's offset in a row of nodes, by 2 element c's in a block. It reads
// the whole line before it writes to or spare, so from may use them.
.macro count_sse2 from, to, shift, spare
        movdqa  xmm1, xmm0
        movdqu  xmm3, [\from]
        pcmpgtd xmm1, xmm3                      // -1 for each key below the value
        movdqa  xmm2, xmm0
        movdqu  xmm3, [\from + 16]
        pcmpgtd xmm2, xmm3
        paddd   xmm1, xmm2
        movdqa  xmm2, xmm0
        movdqu  xmm3, [\from + 32]
        pcmpgtd xmm2, xmm3
        movdqa  xmm4, xmm0
        movdqu  xmm3, [\from + 48]
        pcmpgtd xmm4, xmm3
        paddd   xmm2, xmm4
        paddd   xmm1, xmm2                      // the four lanes sum to -c
        pshufd  xmm2, xmm1, 0x4e
        paddd   xmm1, xmm2                      // and so do lanes 0 and 1
        movq    \to, xmm1
        mov     \spare, \to
        shr     \spare, 32                      // lane 1
        neg     \to\()d                         // minus lane 0
        sub     \to\()d, \spare\()d             // c
        shl     \to\()d, \shift
.endm
.macro count_avx2 from, to, shift, spare
        vpcmpgtd ymm1, ymm0, [\from]            // key < value, keys 0 to 7
        vpcmpgtd ymm2, ymm0, [\from + 32]
        vpackssdw ymm1, ymm1, ymm2              // all sixteen, a word each
        vpmovmskb \to\()d, ymm1
        popcnt  \to\()d, \to\()d                // 2 c
        shl     \to\()d, \shift - 1
.endm
.macro count_avx512 from, to, shift, spare
        vpcmpgtd k1, zmm16, [\from]             // key < value
        kmovw   \to\()d, k1
        popcnt  \to\()d, \to\()d                // c
        shl     \to\()d, \shift
.endm

// Changes as count_<isa> does: the count of the batch, whose searches
// overlap, so that fewer instructions matter more than a shorter chain. So
// SSE2 packs its four compares into one byte a key here, and as it lacks
// popcnt, takes c from the mask, 2^c - 1, as the lowest set bit of mask + 1.
// Summing instead took the batch 1.15 to 1.3 times as long.
.macro batch_count isa, from, to, shift, spare
        .ifc    \isa, sse2
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
        pmovmskb \to\()d, xmm3                  // 2^c - 1
        inc     \to\()d
        bsf     \to\()d, \to\()d                // c
        shl     \to\()d, \shift
        .else
        count_\isa \from, \to, \shift, \spare
        .endif
.endm

// Changes the upper halves of ymm0 to ymm15 after AVX2, clearing them before
// a routine that counted as isa does returns, so that legacy SSE code does
// not wait on them.
.macro leave_vectors isa
        .ifc    \isa, avx2
        vzeroupper
        .endif
.endm
.macro leave_and_return isa
        leave_vectors \isa
        ret
.endm

// Changes rax (left the answer), r8, r9 and leaf: the leaf step of every tree
// search. A search that ends in leaf block k (rax holding 64 k), at leaf (a
// register holding numbers + 16 k), its value in value and splat, answers p,
// the subscript of the first element not below the value, if numbers[p] is
// the value, else -1. tree is the SearchTree's register. With finish (a
// macro given isa), the common path ends in it rather than jumping past
// the others.
.macro leaf_answer isa, tree, value, leaf, finish
        mov     r8d, [\tree + TREE_TAIL_BLOCK]
        shl     r8, 6
        cmp     rax, r8
        je      L(tail\@)
L(block\@):
        count_\isa \leaf, r8, 2, r9             // 4 c, c the elements below the value
        mov     \leaf, [\tree + TREE_NUMBERS]
        add     \leaf, rax                      // numbers + 16 k, the tail's too
        add     rax, r8
        shr     rax, 2                          // p = 16 k + c
        cmp     eax, [\tree + TREE_COUNT]
        jge     L(none\@)                       // p == count: no element is not below
        cmp     [\leaf + r8], \value
        mov     r8d, -1
        cmovne  eax, r8d                        // numbers[p] == value ? p : -1
        .ifnb   \finish
        \finish \isa
        .else
        jmp     L(answered\@)
        .endif
L(tail\@):
        mov     \leaf, [\tree + TREE_TAIL]      // the last block, padded
        jmp     L(block\@)
L(none\@):
        mov     eax, -1
L(answered\@):
.endm
