        .intel_syntax noprefix

// Entries: ebx, esi, edi, ebp, then esp. Every argument goes on the stack.
#define WATCHED         ebx, esi, edi, ebp
        count   ESP_ENTRY, WATCHED

// Above the return address and the four registers pushed: the arguments.
        .set    FUNCTION, 20
        .set    ARGUMENTS, 24
        .set    CANARIES, 28
        .set    SEEN, 32
// The frame below them, so that the call is 16-byte aligned: the five
// arguments passed on, seen and the function.
        .set    SEEN_AT, 20
        .set    CALLED, 24
        .set    FRAME, 28

// Loads reg with the address of L(stack). Nothing on i386 addresses memory
// relative to the code, so a call tells where the code is, and a word beside
// it how far L(stack) lies from there.
.macro stack_address reg
        call    1f
1:      pop     \reg
        lea     \reg, [\reg + L(toStack) - 1b]
        add     \reg, [\reg]
.endm

function callWatchingRegisters
        push    ebp
        push    ebx
        push    esi
        push    edi
        sub     esp, FRAME
        mov     ecx, [esp + FRAME + ARGUMENTS]
        .irp    n, 0, 1, 2, 3, 4
        mov     eax, [ecx + 4 * \n]
        mov     [esp + 4 * \n], eax
        .endr
        mov     eax, [esp + FRAME + SEEN]
        mov     [esp + SEEN_AT], eax
        mov     eax, [esp + FRAME + FUNCTION]
        mov     [esp + CALLED], eax
        stack_address eax
        mov     [eax], esp
        mov     eax, [esp + FRAME + CANARIES]
        mov     [eax + 8 * ESP_ENTRY], esp      // the stack pointer as it must come back
        transfer load, mov, 8, eax, 0, WATCHED
        mov     ecx, [eax]
        mov     edx, ecx                        // garbage in eax, ecx and edx
        mov     eax, ecx
        call    [esp + CALLED]
        mov     edx, esp                        // the stack pointer as it came back
        // Finding L(stack) pushes once on that stack: for a callee that
        // took its arguments off, onto the dead arguments.
        stack_address ecx
        mov     esp, [ecx]                      // the checker's own stack
        mov     ecx, [esp + SEEN_AT]
        transfer store, mov, 8, ecx, 0, WATCHED, edx
        add     esp, FRAME
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
L(toStack):
        .long   L(stack) - L(toStack)
endfunc

constant watchedRegisterNames
        names   1, WATCHED
        .asciz  "esp"

        stack_at_call

// Stub for one entry: when eax, counted down from the entry sought, was 0,
// makes the change given and returns, with eax -1.
.macro on_entry change:vararg
        sub     eax, 1
        jnc     1f                              // another entry
        \change
        ret
1:
.endm

// void clobberWatchedEntry(int entry)
function clobberWatchedEntry
        mov     eax, [esp + 4]
        .irp    reg, WATCHED
        on_entry btc \reg, 31                   // its top bit flipped
        .endr
        ret     4                               // esp 4 too high, as if it took an argument off
endfunc
