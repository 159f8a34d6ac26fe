// The compiled contenders, built with -O2 by each compiler into a namespace
// named after it (COMPILER).
#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace COMPILER {

#include "optimisedContenders.h"

// The program's own binarySearch, its source as it stands.
#include "binarySearch.cpp"

int lowerBoundSearch(int value, const int numbers[], int count)
{
    const int* end = numbers + count;
    const int* first = std::lower_bound(numbers, end, value);
    return first != end && *first == value ? static_cast<int>(first - numbers) : -1;
}

int powerOfTwoSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    int step = 1 << (31 - __builtin_clz(count));
    int base = -1;
    if (numbers[step - 1] == value) {
        return step - 1;
    }
    if (numbers[step - 1] < value) {
        base = count - step;
    }
    while ((step /= 2) > 0) {
        int probe = base + step;
        if (numbers[probe] < value) {
            base = probe;
        } else if (numbers[probe] == value) {
            return probe;
        }
    }
    return -1;
}

int branchlessSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    for (unsigned length = count; length > 1;) {
        unsigned half = length / 2;
        base += (base[half - 1] < value) * half; // GCC makes a branch of a ?: here
        length -= half;
    }
    return *base == value ? static_cast<int>(base - numbers) : -1;
}

int prefetchingSearch(int value, const int numbers[], int count)
{
    if (count <= 0) {
        return -1;
    }
    const int* base = numbers;
    for (unsigned length = count; length > 1;) {
        unsigned half = length / 2;
        length -= half;
        // The next probe is base[length / 2 - 1] or base[half + length / 2 - 1];
        // prefetching never faults, even where the first lies before numbers.
        const char* next = reinterpret_cast<const char*>(base) + (length / 2) * sizeof(int);
        __builtin_prefetch(next - sizeof(int));
        __builtin_prefetch(next + (half - 1) * sizeof(int));
        base += (base[half - 1] < value) * half;
    }
    return *base == value ? static_cast<int>(base - numbers) : -1;
}

namespace {

// Each search of a batch: its base moves right when numbers[base + half] is
// no greater than the value, so that it ends on the last element that is, or
// at -1. Its length starts at count + 1, as if numbers[count] were greater
// than any value; the probes never reach it.
const int GROUP = 16;

int answer(int value, const int numbers[], int base)
{
    base = std::max(base, 0);
    return numbers[base] == value ? base : -1;
}

void scalarBatch(const int values[], int lanes, const int numbers[], int count, int results[])
{
    int base[GROUP];
    std::fill(base, base + lanes, -1);
    for (unsigned length = count + 1u; length > 1;) {
        unsigned half = length / 2;
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
// Eight vectors of eight searches. The first four levels probe the same
// fifteen elements for every search: node n is the probe of a search whose
// path so far spells n's bits after the leading 1 (a 1 for each time it moved
// right), picked out of a register by permuting it. The levels below gather
// their probes, all eight vectors' first.
const int VECTORS = 8;

struct TopLevels {
    int probes[16];
    int bases[32];
    unsigned halves[4];
    unsigned below; // len under the fourth level
};

TopLevels topLevels(const int numbers[], int count)
{
    TopLevels top;
    unsigned length = count + 1u;
    for (unsigned& half : top.halves) {
        half = length / 2;
        length -= half;
    }
    top.below = length;
    top.bases[1] = -1;
    for (int node = 1, level = 0; node < 16; ++node) {
        level += node == 2 << level;
        int base = top.bases[node];
        top.probes[node] = numbers[base + top.halves[level]];
        top.bases[2 * node] = base;
        top.bases[2 * node + 1] = base + top.halves[level];
    }
    return top;
}

__attribute__((target("avx2"))) __m256i load(const int* eight)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(eight));
}

__attribute__((target("avx2"))) void avx2Batch(const int values[], const int numbers[],
                                               const TopLevels& top, int results[])
{
    __m256i value[VECTORS];
    __m256i node[VECTORS];
    __m256i base[VECTORS];
    const __m256i one = _mm256_set1_epi32(1);
    for (int v = 0; v < VECTORS; ++v) {
        value[v] = load(values + 8 * v);
        node[v] = one;
    }
    __m256i probes = load(top.probes);
    for (int level = 0; level < 3; ++level) {
        for (int v = 0; v < VECTORS; ++v) {
            __m256i above =
                _mm256_cmpgt_epi32(_mm256_permutevar8x32_epi32(probes, node[v]), value[v]);
            node[v] =
                _mm256_add_epi32(_mm256_add_epi32(node[v], node[v]), _mm256_add_epi32(one, above));
        }
    }
    probes = load(top.probes + 8);
    __m256i bases = load(top.bases + 8);
    __m256i half = _mm256_set1_epi32(static_cast<int>(top.halves[3]));
    for (int v = 0; v < VECTORS; ++v) {
        __m256i above = _mm256_cmpgt_epi32(_mm256_permutevar8x32_epi32(probes, node[v]), value[v]);
        base[v] = _mm256_add_epi32(_mm256_permutevar8x32_epi32(bases, node[v]),
                                   _mm256_andnot_si256(above, half));
    }
    for (unsigned length = top.below; length > 1;) {
        __m256i step = _mm256_set1_epi32(static_cast<int>(length / 2));
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
    for (int v = 0; v < VECTORS; ++v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(results + 8 * v), base[v]);
    }
    for (int lane = 0; lane < 8 * VECTORS; ++lane) {
        results[lane] = answer(values[lane], numbers, results[lane]);
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
    if (__builtin_cpu_supports("avx2") && count >= 15 && queries >= 8 * VECTORS) {
        TopLevels top = topLevels(numbers, count);
        for (; first + 8 * VECTORS <= queries; first += 8 * VECTORS) {
            avx2Batch(values + first, numbers, top, results + first);
        }
    }
#endif
    for (; first < queries; first += GROUP) {
        scalarBatch(values + first, std::min(GROUP, queries - first), numbers, count,
                    results + first);
    }
}

} // namespace COMPILER
