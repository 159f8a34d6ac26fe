// Asks cpuid and xgetbv once which vector instructions a routine may use,
// and keeps the answer: 1 for SSE2 only, 2 for AVX2 (with popcnt) or 3 for
// AVX-512 (F), the most that both the processor and the system, which must
// keep the registers, allow.

// Changes rax (left the answer) and r8 to r11: asks, and stores the answer
// at isa.
.macro ask_isa isa
        mov     r9, rcx
        mov     r10, rdx
        mov     r11, rbx
        xor     r8d, r8d                        // the registers the system keeps: none known
        xor     eax, eax
        cpuid
        cmp     eax, 7                          // the highest leaf cpuid knows
        jb      L(noLeaf7\@)
        mov     eax, 1
        cpuid
        and     ecx, (1 << 23) | (1 << 27) | (1 << 28) // popcnt, OSXSAVE, AVX
        cmp     ecx, (1 << 23) | (1 << 27) | (1 << 28)
        jne     L(noLeaf7\@)
        xor     ecx, ecx
        xgetbv                                  // XCR0
        and     eax, 0xe6                       // xmm, ymm; the mask registers and zmm
        mov     r8d, eax
        mov     eax, 7
        xor     ecx, ecx
        cpuid
L(noLeaf7\@):
        mov     eax, 1
        mov     ecx, r8d
        and     ecx, 6
        cmp     ecx, 6
        jne     L(answered\@)                   // no ymm
        test    ebx, 1 << 5
        jz      L(answered\@)                   // no AVX2
        mov     eax, 2
        cmp     r8d, 0xe6
        jne     L(answered\@)                   // no zmm
        test    ebx, 1 << 16
        jz      L(answered\@)                   // no AVX-512F
        mov     eax, 3
L(answered\@):
        mov     [rip + \isa], eax
        mov     rcx, r9
        mov     rdx, r10
        mov     rbx, r11
.endm

// Changes rax (left the answer), and r8 to r11 the first time: ask_isa's
// answer, asked only the first time and kept at isa, a label that it defines
// in the data.
.macro isa_once isa
        mov     eax, [rip + \isa]
        test    eax, eax
        jnz     L(known\@)
        ask_isa \isa
L(known\@):
        .data
        .p2align 2
\isa:
        .long   0                               // not asked yet
        .text
.endm

// Changes rax (and r8 to r11, the first time) and runs method, a macro that
// takes sse2, avx2 or avx512 and returns, as the most that the processor and
// the system allow. Where TREE_ISA is defined, for the routines that the
// tests and the sweep time one path at a time, only the method it names is
// assembled, and nothing is asked.
.macro by_isa method
#if defined(TREE_ISA)
        .if     TREE_ISA == 3
        \method avx512
        .elseif TREE_ISA == 2
        \method avx2
        .else
        \method sse2
        .endif
#else
        isa_once L(isa\@)
        cmp     eax, 3
        je      L(avx512\@)
        cmp     eax, 2
        je      L(avx2\@)
        \method sse2
L(avx2\@):
        \method avx2
L(avx512\@):
        \method avx512
#endif
.endm
