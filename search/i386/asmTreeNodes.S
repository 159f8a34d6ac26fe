// What asmTreeSearch and asmTreeBatchSearch do at every node and leaf block:
// adds to sum the number of its sixteen keys below value, one compare each,
// without a branch. eax is zeroed before each compare, so that setl leaves 0
// or 1 in all of it. Changes eax.
.macro add_keys_below node, value, sum
        .irp    key, 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60
        xor     eax, eax
        cmp     [\node + \key], \value
        setl    al
        add     \sum, eax                       // sum += node[key] < value
        .endr
.endm
