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
        mov     eax, [esp + FRAME + CANARIES]
        mov     [eax + 8 * ESP_ENTRY], esp      // the stack pointer as it must come back
        transfer load, mov, 8, eax, 0, WATCHED
        mov     ecx, [eax]
        mov     edx, ecx                        // garbage in eax, ecx and edx
        mov     eax, ecx
        call    [esp + CALLED]
        mov     ecx, [esp + SEEN_AT]
        transfer store, mov, 8, ecx, 0, WATCHED, esp
        add     esp, FRAME
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
endfunc

constant watchedRegisterNames
        names   1, WATCHED
        .asciz  "esp"

// int clobberOneRegister(int value, const int numbers[], int count)
function clobberOneRegister
        mov     bl, 0                           // the lowest byte of ebx alone
        mov     eax, -1
        ret
endfunc
