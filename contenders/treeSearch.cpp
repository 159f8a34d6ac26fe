// The tree searches of asmTreeSearch and asmTreeBatchSearch in C++, built
// with -O2 by a compiler into a namespace named after it (COMPILER).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "searchTree.h"

namespace COMPILER {
#include "tree.h"
}

namespace COMPILER {
namespace {

struct Plain {
    static int count(const int line[], int value)
    {
        int below = 0;
        for (int j = 0; j < TREE_KEYS; ++j) {
            below += line[j] < value;
        }
        return below;
    }
};

#if defined(__x86_64__)
struct Avx2 {
    __attribute__((target("avx2,popcnt"))) static int count(const int line[], int value)
    {
        __m256i v = _mm256_set1_epi32(value);
        __m256i low = _mm256_cmpgt_epi32(v, _mm256_loadu_si256((const __m256i*)line));
        __m256i high = _mm256_cmpgt_epi32(v, _mm256_loadu_si256((const __m256i*)(line + 8)));
        unsigned twice = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_packs_epi32(low, high)));
        return __builtin_popcount(twice) / 2;
    }
};

struct Avx512 {
    __attribute__((target("avx512f,popcnt"))) static int count(const int line[], int value)
    {
        __mmask16 below =
            _mm512_cmpgt_epi32_mask(_mm512_set1_epi32(value), _mm512_loadu_si512(line));
        return __builtin_popcount(below);
    }
};
#endif

const int* node(const SearchTree* tree, int level, std::size_t k)
{
    return tree->nodes + (static_cast<std::size_t>(tree->firstNode[level]) + k) * TREE_KEYS;
}

// The answer from leaf block k.
template <typename Isa> int answer(int value, const SearchTree* tree, std::size_t k)
{
    const int* leaf =
        k == static_cast<std::size_t>(tree->tailBlock) ? tree->tail : tree->numbers + k * TREE_KEYS;
    std::ptrdiff_t p = static_cast<std::ptrdiff_t>(k * TREE_KEYS) + Isa::count(leaf, value);
    return p < tree->count && tree->numbers[p] == value ? static_cast<int>(p) : -1;
}

// The address bytes on from, for a prefetch: it may lie past the array,
// where a prefetch does no harm but pointer arithmetic is undefined.
const void* bytesOn(const int* from, std::size_t bytes)
{
    return reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(from) + bytes);
}

// As asmTreeSearch does: from 1 MB of leaves, the children of the last
// level's node, and from 1 to 4 MB of index those of the level above too,
// every other line of the 17, while the node is read.

template <typename Isa> int search(int value, const SearchTree* tree)
{
    int levels = tree->levels;
    int count = tree->count;
    bool aboveToo = count >= TREE_PREFETCHED_NODES && count < TREE_PREFETCHED_NODES_UNTIL;
    int prefetchedFrom = count < TREE_PREFETCHED_LEAVES ? TREE_MAX_LEVELS
                         : aboveToo                     ? levels - 2
                                                        : levels - 1;
    std::size_t k = 0;
    for (int level = 0; level < levels; ++level) {
        if (level >= prefetchedFrom) {
            const int* children = level + 1 < levels ? node(tree, level + 1, 0) : tree->numbers;
            for (std::size_t child = 0; child < TREE_FANOUT; child += 2) {
                __builtin_prefetch(bytesOn(children, 64 * (k * TREE_FANOUT + child)));
            }
        }
        k = k * TREE_FANOUT + Isa::count(node(tree, level, k), value);
    }
    return answer<Isa>(value, tree, k);
}

// The batch, prefetching with Locality: 3 to L1 (prefetcht0), 2 to L2 only
// (prefetcht1), and then the second line of a leaf block only where blocks
// straddle lines, as asmTreeBatchSearch does on x86-64 from
// TREE_PREFETCHED_TO_L2 elements on.
template <typename Isa, int Locality>
void batchFetching(const int values[], int queries, const SearchTree* tree, int results[])
{
    bool straddling = Locality == 3 || reinterpret_cast<std::uintptr_t>(tree->numbers) % 64 != 0;
    int group = treeGroup(tree->count);
    for (int first = 0; first < queries; first += group) {
        int searches = std::min(group, queries - first);
        const int* value = values + first;
        std::size_t k[TREE_GROUP];
        std::fill(k, k + searches, 0);
        for (int level = 0; level < tree->levels; ++level) {
            bool last = level + 1 == tree->levels;
            const int* nodes = node(tree, level, 0);
            const int* next = last ? tree->numbers : node(tree, level + 1, 0);
            for (int i = 0; i < searches; ++i) {
                k[i] = k[i] * TREE_FANOUT + Isa::count(nodes + k[i] * TREE_KEYS, value[i]);
                std::size_t child = 64 * k[i];
                __builtin_prefetch(bytesOn(next, child), 0, Locality);
                if (last && straddling) {
                    __builtin_prefetch(bytesOn(next, child + 60), 0, Locality);
                }
            }
        }
        for (int i = 0; i < searches; ++i) {
            results[first + i] = answer<Isa>(value[i], tree, k[i]);
        }
    }
}

template <typename Isa>
void batch(const int values[], int queries, const SearchTree* tree, int results[])
{
#if defined(__x86_64__)
    if (tree->count >= TREE_PREFETCHED_TO_L2) {
        batchFetching<Isa, 2>(values, queries, tree, results);
        return;
    }
#endif
    batchFetching<Isa, 3>(values, queries, tree, results);
}

} // namespace

int treeSearch(int value, const SearchTree* tree)
{
    return search<Plain>(value, tree);
}

#if defined(__x86_64__)
__attribute__((target("avx2,popcnt"), flatten)) int treeSearchAvx2(int value,
                                                                   const SearchTree* tree)
{
    return search<Avx2>(value, tree);
}

__attribute__((target("avx512f,popcnt"), flatten)) int treeSearchAvx512(int value,
                                                                        const SearchTree* tree)
{
    return search<Avx512>(value, tree);
}
#endif

void treeBatchSearch(const int values[], int queries, const SearchTree* tree, int results[])
{
    batch<Plain>(values, queries, tree, results);
}

#if defined(__x86_64__)
__attribute__((target("avx2,popcnt"), flatten)) void
treeBatchSearchAvx2(const int values[], int queries, const SearchTree* tree, int results[])
{
    batch<Avx2>(values, queries, tree, results);
}

__attribute__((target("avx512f,popcnt"), flatten)) void
treeBatchSearchAvx512(const int values[], int queries, const SearchTree* tree, int results[])
{
    batch<Avx512>(values, queries, tree, results);
}
#endif

} // namespace COMPILER
