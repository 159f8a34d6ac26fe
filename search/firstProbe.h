// Where the first probe of a large array goes, for the assembly and the C++
// alike. Halving a power of two gives powers of two all the way down, so the
// first levels' probes lie a power of two apart and all fall in the same few
// sets of every cache, which then keeps only a handful of the lines that
// every search reads. In an array of
// LARGE_ARRAY elements (128 KB) or more the first probe therefore sits
// OFF_MIDDLE elements short of the middle: below a power of two the length
// is then odd, and the probes spread over the sets. (Any half up to len / 2
// finds the same element, and the larger part is one level deeper only
// within 8194 elements below a power of two.)
#define LARGE_ARRAY 32768
#define OFF_MIDDLE 4097
