// Sets eax, ecx, edx and esi: the entry of asmBranchlessSearch,
// asmPrefetchingSearch and asmBranchingSearch. Saves ebx and esi, and with
// saved = 4 edi and ebp too; with no elements, goes to none with the answer,
// -1, in eax; else sets len (ecx) = count, value (esi) and base (edx) =
// numbers - 1.
.macro enter_halving saved, none
        push    ebx
        push    esi
.if \saved == 4
        push    edi
        push    ebp
.endif
        mov     eax, -1
        mov     ecx, [esp + 4 * \saved + 12]    // len = count
        test    ecx, ecx
        jle     \none                           // no elements
        mov     esi, [esp + 4 * \saved + 4]     // value
        mov     edx, [esp + 4 * \saved + 8]
        sub     edx, 4                          // base = numbers - 1
.endm

// Restores what enter_halving saved, and returns.
.macro leave_halving saved
.if \saved == 4
        pop     ebp
        pop     edi
.endif
        pop     esi
        pop     ebx
        ret
.endm
