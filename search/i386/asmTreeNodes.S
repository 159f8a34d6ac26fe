// Changes eax and sum: what asmTreeSearch and asmTreeBatchSearch do at every
// node and leaf block. Adds to sum the number of its sixteen keys below value,
// one compare each, without a branch. eax is zeroed before each compare, so
// that setl leaves 0 or 1 in all of it.
.macro add_keys_below node, value, sum
        .irp    key, 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60
        xor     eax, eax
        cmp     [\node + \key], \value
        setl    al
        add     \sum, eax                       // sum += node[key] < value
        .endr
.endm

// Changes k, block, eax and edx: the last step of both, below the last
// level. Leaves in eax the answer from leaf block k, whose elements below
// value give p = 16 k + that many, and p in k. The tree's fields are
// operands.
.macro answer_from_leaf k, value, block, numbers, tail_block, tail, count
        mov     \block, \k
        shl     \block, 6
        add     \block, \numbers
        cmp     \k, \tail_block
        cmove   \block, \tail                   // leaf block k, or the tail
        shl     \k, 4
        add_keys_below \block, \value, \k       // p = 16 k + elements below value
        mov     eax, \count
        dec     eax
        cmp     \k, eax
        cmovb   eax, \k                         // p, or count - 1 where p is count
        mov     edx, \numbers
        cmp     [edx + eax*4], \value
        mov     eax, -1
        cmove   eax, \k                         // result = numbers[p] == value ? p : -1
.endm
