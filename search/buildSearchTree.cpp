#include "buildSearchTree.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(_WIN32)
#include <malloc.h>
#endif

#include "hugePages.h"

static_assert(offsetof(SearchTree, nodes) == TREE_NODES, "TREE_NODES");
static_assert(offsetof(SearchTree, numbers) == TREE_NUMBERS, "TREE_NUMBERS");
static_assert(offsetof(SearchTree, tail) == TREE_TAIL, "TREE_TAIL");
static_assert(offsetof(SearchTree, count) == TREE_COUNT, "TREE_COUNT");
static_assert(offsetof(SearchTree, levels) == TREE_LEVELS, "TREE_LEVELS");
static_assert(offsetof(SearchTree, tailBlock) == TREE_TAIL_BLOCK, "TREE_TAIL_BLOCK");
static_assert(offsetof(SearchTree, firstNode) == TREE_FIRST_NODE, "TREE_FIRST_NODE");

namespace {

const std::size_t LINE = 64;

// bytes on a 64-byte line, and from 2 MB on in huge pages where the system
// has them.
void* allocate(std::size_t bytes)
{
#if defined(_WIN32)
    void* memory = _aligned_malloc(bytes, LINE);
#else
    void* memory = bytes < HUGE_PAGE ? std::aligned_alloc(LINE, bytes) : mapHugePages(bytes);
#endif
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

} // namespace

SearchTree searchTreeShape(const int numbers[], int count)
{
    SearchTree tree = {};
    tree.numbers = numbers;
    tree.count = count < 0 ? 0 : count;
    tree.tailBlock = tree.count / TREE_KEYS;
    std::int64_t blocks = (static_cast<std::int64_t>(tree.count) + TREE_KEYS - 1) / TREE_KEYS;
    std::int64_t spans[TREE_MAX_LEVELS] = {}; // the blocks below a node, bottom level first
    std::int64_t span = 1;
    while (span < blocks) {
        span *= TREE_FANOUT;
        spans[tree.levels++] = span;
    }
    int first = 0;
    for (int level = 0; level < tree.levels; ++level) {
        tree.firstNode[level] = first;
        first += static_cast<int>((blocks + spans[tree.levels - 1 - level] - 1) /
                                  spans[tree.levels - 1 - level]);
    }
    tree.firstNode[tree.levels] = first;
    return tree;
}

SearchTree buildSearchTree(const int numbers[], int count)
{
    SearchTree tree = searchTreeShape(numbers, count);
    std::size_t indexInts = static_cast<std::size_t>(tree.firstNode[tree.levels]) * TREE_KEYS;
    int* index = static_cast<int*>(allocate(searchTreeBytes(tree)));
    int* tail = index + indexInts;
    std::int64_t blocks = (static_cast<std::int64_t>(tree.count) + TREE_KEYS - 1) / TREE_KEYS;

    // Key j of node k of a level is the first element of block
    // (17 k + j + 1) * span, where span is the blocks below each child.
    std::int64_t span = 1;
    for (int level = tree.levels - 1; level >= 0; --level) {
        int* key = index + static_cast<std::size_t>(tree.firstNode[level]) * TREE_KEYS;
        std::int64_t nodes = tree.firstNode[level + 1] - tree.firstNode[level];
        for (std::int64_t k = 0; k < nodes; ++k) {
            std::int64_t block = (k * TREE_FANOUT + 1) * span;
            for (int j = 0; j < TREE_KEYS; ++j, block += span) {
                *key++ = block < blocks ? numbers[block * TREE_KEYS] : INT_MAX;
            }
        }
        span *= TREE_FANOUT;
    }
    for (int i = 0; i < TREE_KEYS; ++i) {
        std::int64_t element = static_cast<std::int64_t>(tree.tailBlock) * TREE_KEYS + i;
        tail[i] = element < tree.count ? numbers[element] : INT_MAX;
    }
    tree.nodes = index;
    tree.tail = tail;
    return tree;
}

std::size_t searchTreeBytes(const SearchTree& tree)
{
    return (static_cast<std::size_t>(tree.firstNode[tree.levels]) + 1) * LINE;
}

void freeSearchTree(SearchTree& tree)
{
    void* memory = const_cast<int*>(tree.nodes);
#if defined(_WIN32)
    _aligned_free(memory);
#else
    std::size_t bytes = searchTreeBytes(tree);
    if (bytes < HUGE_PAGE) {
        std::free(memory);
    } else {
        unmapHugePages(memory, bytes);
    }
#endif
    tree = SearchTree();
}
