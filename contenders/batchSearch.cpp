// asmBatchSearch's method, compiled (COMPILER names the compiler).
#include <algorithm>

#include "firstProbe.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace COMPILER {

#include "methods.h"

namespace {

// Each search of a batch: its base moves right when numbers[base + half] is
// no greater than the value, so that it ends on the last element that is, or
// at -1. Its length starts at count + 1, as if numbers[count] were greater
// than any value; the probes never reach it.
const int GROUP = 16;

// The first half of a large array stops short of the middle, as
// firstProbe.h says. Any half up to length / 2 finds the same element.
unsigned firstHalf(unsigned length, int count)
{
    return length / 2 - (count >= LARGE_ARRAY ? OFF_MIDDLE : 0);
}

int answer(int value, const int numbers[], int base)
{
    base = std::max(base, 0);
    return numbers[base] == value ? base : -1;
}

void scalarBatch(const int values[], int lanes, const int numbers[], int count, int results[])
{
    int base[GROUP];
    std::fill(base, base + lanes, -1);
    unsigned length = count + 1u;
    for (unsigned half = firstHalf(length, count); length > 1; half = length / 2) {
        length -= half;
        for (int lane = 0; lane < lanes; ++lane) {
            base[lane] += numbers[base[lane] + half] <= values[lane] ? half : 0;
            __builtin_prefetch(reinterpret_cast<const char*>(numbers) +
                               (base[lane] + length / 2) * sizeof(int));
        }
    }
    for (int lane = 0; lane < lanes; ++lane) {
        results[lane] = answer(values[lane], numbers, base[lane]);
    }
}

#if defined(__x86_64__)
// Eight vectors of eight searches. The first six levels probe the same 63
// elements for every search: node n is the probe of a search whose path so
// far spells n's bits after the leading 1 (a 1 for each time it moved left).
// The second level's probe is blended by the first compare, the third's
// picked within each half of a register holding its four probes twice, the
// fourth's out of eight, and the fifth's and sixth's out of two and four
// registers' worth, blended by the node's bits 3 and 4. A search's base is
// then that of its node three levels up plus what the last three levels
// added. The levels below gather their probes, all eight vectors' first,
// and the last gathers each search's base and probe as one 64-bit pair,
// which leaves nothing to load for the answer. In a small array six more
// searches go level by level beside them in general registers, on the
// integer units that the gathers leave idle.
const int VECTORS = 8;
const int SCALARS = 6;
const int SMALL_ARRAY = 16384; // elements: below it, the scalar searches too
const int TOP_LEVELS = 6;

struct TopLevels {
    int probes[1 << TOP_LEVELS];
    int bases[2 << TOP_LEVELS];
    int lowBases[8]; // what the fourth to sixth levels add
    unsigned halves[TOP_LEVELS];
    unsigned below; // len under the top levels
};

TopLevels topLevels(const int numbers[], int count)
{
    TopLevels top;
    unsigned length = count + 1u;
    for (int level = 0; level < TOP_LEVELS; ++level) {
        top.halves[level] = level == 0 ? firstHalf(length, count) : length / 2;
        length -= top.halves[level];
    }
    top.below = length;
    top.bases[1] = -1;
    for (int node = 1, level = 0; node < 1 << TOP_LEVELS; ++node) {
        level += node == 2 << level;
        int base = top.bases[node];
        top.probes[node] = numbers[base + top.halves[level]];
        top.bases[2 * node] = base + top.halves[level];
        top.bases[2 * node + 1] = base;
    }
    for (int low = 0; low < 8; ++low) {
        top.lowBases[low] = top.bases[64 + low] - top.bases[8];
    }
    return top;
}

__attribute__((target("avx2"))) __m256i load(const int* eight)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(eight));
}

// Where mask is negative, b; elsewhere a.
__attribute__((target("avx2"))) __m256i blend(__m256i a, __m256i b, __m256i mask)
{
    return _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b),
                                                _mm256_castsi256_ps(mask)));
}

// The entries of sixteen, from, picked by the nodes.
__attribute__((target("avx2"))) __m256i pick(const int from[16], __m256i node)
{
    return blend(_mm256_permutevar8x32_epi32(load(from), node),
                 _mm256_permutevar8x32_epi32(load(from + 8), node), _mm256_slli_epi32(node, 28));
}

// The node below, by the probe's compare: 2 node, plus 1 if it moved left.
__attribute__((target("avx2"))) __m256i child(__m256i node, __m256i probe, __m256i value)
{
    return _mm256_sub_epi32(_mm256_add_epi32(node, node), _mm256_cmpgt_epi32(probe, value));
}

// Moves each of the scalar searches one level on.
template <int LANES>
void scalarLevel(const int values[], const int numbers[], unsigned half, int base[])
{
    for (int lane = 0; lane < LANES; ++lane) {
        base[lane] += numbers[base[lane] + half] <= values[lane] ? half : 0;
    }
}

// With LANES scalar searches beside the vectors' 64.
template <int LANES>
__attribute__((target("avx2"))) void avx2Batch(const int values[], const int numbers[],
                                               const TopLevels& top, int results[])
{
    const int* scalarValues = values + 8 * VECTORS;
    int scalarBase[LANES + 1]; // not empty
    std::fill(scalarBase, scalarBase + LANES, -1);
    for (unsigned half : top.halves) {
        scalarLevel<LANES>(scalarValues, numbers, half, scalarBase);
    }
    __m256i value[VECTORS];
    __m256i base[VECTORS];
    const __m256i root = _mm256_set1_epi32(top.probes[1]);
    const __m256i right = _mm256_set1_epi32(top.probes[2]);
    const __m256i left = _mm256_set1_epi32(top.probes[3]);
    const __m256 third = _mm256_castsi256_ps(_mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(top.probes + 4))));
    for (int v = 0; v < VECTORS; ++v) {
        value[v] = load(values + 8 * v);
        __m256i above = _mm256_cmpgt_epi32(root, value[v]);
        __m256i node = _mm256_sub_epi32(_mm256_set1_epi32(2), above);
        node = child(node, blend(right, left, above), value[v]);
        node = child(node, _mm256_castps_si256(_mm256_permutevar_ps(third, node)), value[v]);
        node = child(node, _mm256_permutevar8x32_epi32(load(top.probes + 8), node), value[v]);
        node = child(node, pick(top.probes + 16, node), value[v]);
        node = child(node,
                     blend(pick(top.probes + 32, node), pick(top.probes + 48, node),
                           _mm256_slli_epi32(node, 27)),
                     value[v]);
        base[v] = _mm256_add_epi32(
            _mm256_permutevar8x32_epi32(load(top.bases + 8), _mm256_srli_epi32(node, 3)),
            _mm256_permutevar8x32_epi32(load(top.lowBases), node));
    }
    for (unsigned length = top.below; length > 2;) {
        __m256i step = _mm256_set1_epi32(static_cast<int>(length / 2));
        scalarLevel<LANES>(scalarValues, numbers, length / 2, scalarBase);
        length -= length / 2;
        __m256i element[VECTORS];
        for (int v = 0; v < VECTORS; ++v) {
            element[v] = _mm256_i32gather_epi32(numbers, _mm256_add_epi32(base[v], step), 4);
        }
        for (int v = 0; v < VECTORS; ++v) {
            __m256i above = _mm256_cmpgt_epi32(element[v], value[v]);
            base[v] = _mm256_add_epi32(base[v], _mm256_andnot_si256(above, step));
        }
    }
    scalarLevel<LANES>(scalarValues, numbers, 1, scalarBase);
    for (int lane = 0; lane < LANES; ++lane) {
        results[8 * VECTORS + lane] = answer(scalarValues[lane], numbers, scalarBase[lane]);
    }
    // The last level probes base + 1: a base of -1 probes numbers[0], so its
    // pair starts there.
    const auto* pairs = reinterpret_cast<const long long*>(numbers);
    const __m256i none = _mm256_set1_epi32(-1);
    for (int v = 0; v < VECTORS; ++v) {
        __m256i pair = _mm256_max_epi32(base[v], _mm256_setzero_si256());
        __m128i first4 = _mm256_castsi256_si128(pair);
        __m128i last4 = _mm256_extracti128_si256(pair, 1);
        __m256 low = _mm256_castsi256_ps( // lanes 0, 1, 4, 5
            _mm256_i32gather_epi64(pairs, _mm_unpacklo_epi64(first4, last4), 4));
        __m256 high = _mm256_castsi256_ps( // lanes 2, 3, 6, 7
            _mm256_i32gather_epi64(pairs, _mm_unpackhi_epi64(first4, last4), 4));
        __m256i first = _mm256_castps_si256(_mm256_shuffle_ps(low, high, 0x88));
        __m256i second = _mm256_castps_si256(_mm256_shuffle_ps(low, high, 0xdd));
        __m256i probe = blend(second, first, base[v]);
        __m256i above = _mm256_cmpgt_epi32(probe, value[v]);
        __m256i element = blend(probe, first, above);
        base[v] = _mm256_add_epi32(_mm256_sub_epi32(base[v], none), above);
        __m256i missing = _mm256_xor_si256(_mm256_cmpeq_epi32(element, value[v]), none);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(results + 8 * v),
                            _mm256_or_si256(base[v], missing));
    }
}
#endif

} // namespace

void batchSearch(const int values[], int queries, const int numbers[], int count, int results[])
{
    if (count <= 0) {
        std::fill(results, results + std::max(queries, 0), -1);
        return;
    }
    int first = 0;
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx2") && count >= 64 && queries >= 8 * VECTORS) {
        TopLevels top = topLevels(numbers, count);
        const int small = 8 * VECTORS + SCALARS;
        for (; count < SMALL_ARRAY && first + small <= queries; first += small) {
            avx2Batch<SCALARS>(values + first, numbers, top, results + first);
        }
        for (; count >= SMALL_ARRAY && first + 8 * VECTORS <= queries; first += 8 * VECTORS) {
            avx2Batch<0>(values + first, numbers, top, results + first);
        }
    }
#endif
    for (; first < queries; first += GROUP) {
        scalarBatch(values + first, std::min(GROUP, queries - first), numbers, count,
                    results + first);
    }
}

} // namespace COMPILER
