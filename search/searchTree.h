// A static search tree over a sorted array: one cache line a level.
//
// The caller's array stays where it is and is the leaf level, cut into
// blocks of 16 elements. Above it an index of nodes, each 16 int keys in one
// 64-byte line, with 17 children: key j of a node is the first element of
// the subtree of its child j + 1, or INT_MAX where that child does not exist.
// So the number of keys below the value is the child to go down to, and in
// the leaf block the number of elements below the value gives the subscript
// of the first element not below it.
//
// The index is stored root first, level by level; node k of level l (0 the
// root) is nodes[16 * (firstNode[l] + k)], and its child c is node 17 k + c
// of level l + 1. Below the last level, node k is the leaf block k. A last
// block of fewer than 16 elements is read from tail, a copy padded with
// INT_MAX, so that no search reads past the array.
//
// A search of value:
//
//     k = 0
//     for l in 0 .. levels - 1:
//         k = 17 k + (keys of node k of level l below value)
//     leaf = k == tailBlock ? tail : numbers + 16 k
//     p = 16 k + (elements of leaf below value)
//     return p < count && numbers[p] == value ? p : -1
//
// This header is read by the C++ and by the assembly, which finds the fields
// at the offsets below.
#pragma once

#define TREE_KEYS 16 // keys a node, elements a leaf block
#define TREE_FANOUT 17
#define TREE_MAX_LEVELS 8 // 17^7 blocks of 16 pass INT_MAX

// A single search prefetches the children of the node it reads: of its last
// level from TREE_PREFETCHED_LEAVES elements on (the leaf blocks no longer
// stay cached), and of the level above that too from TREE_PREFETCHED_NODES
// until TREE_PREFETCHED_NODES_UNTIL. Past that the last level comes from
// memory, and the 17 lines a search brings from there for the one it takes
// cost more than they save: without them a search took 0.89 to 0.96 of the
// time chained from 2^25 to 3*10^8 elements, and 0.81 to 0.89 independent,
// where from 2^22 to 2^23 chained they saved 12 to 14 % (medians of
// per-repetition ratios, Xeon Sapphire Rapids KVM guest).
// A batch goes down the tree TREE_GROUP searches together on x86-64, and
// from TREE_PREFETCHED_TO_L2 elements on prefetches to L2 only there. The
// group then takes longer to go round a level than a line takes to come
// from L2 or memory, and the lines it asks for, up to 32 KB, still fit in
// L1: 256 took 0.80 to 0.97 of 64's time from 10^4 to 3*10^8 elements, and
// 384 more than 256. Where the whole array fits in L1, below TREE_IN_L1
// elements, there is nothing to wait for, and 256 took 1.09 to 1.19 times
// as long as 64 from 18 to 6000 elements, so there the group is
// TREE_GROUP_IN_L1 (interleaved bursts, Xeon Sapphire Rapids KVM guest).
#define TREE_PREFETCHED_LEAVES (1 << 18)
#define TREE_PREFETCHED_NODES (1 << 22)
#define TREE_PREFETCHED_NODES_UNTIL (1 << 24)
#define TREE_GROUP 256
#define TREE_GROUP_IN_L1 64
#define TREE_IN_L1 (1 << 13)
#define TREE_PREFETCHED_TO_L2 (1 << 24)

#if defined(__LP64__) || defined(_WIN64)
#define TREE_NODES 0
#define TREE_NUMBERS 8
#define TREE_TAIL 16
#define TREE_COUNT 24
#define TREE_LEVELS 28
#define TREE_TAIL_BLOCK 32
#define TREE_FIRST_NODE 36
#else
#define TREE_NODES 0
#define TREE_NUMBERS 4
#define TREE_TAIL 8
#define TREE_COUNT 12
#define TREE_LEVELS 16
#define TREE_TAIL_BLOCK 20
#define TREE_FIRST_NODE 24
#endif

#if !defined(__ASSEMBLER__)
struct SearchTree {
    const int* nodes;               // the index, 64-byte aligned
    const int* numbers;             // the leaves: the caller's array
    const int* tail;                // the last block, padded with INT_MAX
    int count;                      // elements of numbers
    int levels;                     // levels of the index above the leaves
    int tailBlock;                  // the block read from tail: count / 16
    int firstNode[TREE_MAX_LEVELS]; // where each level starts, in nodes
};

// How many searches a batch over count elements takes down together.
static inline int treeGroup(int count)
{
    return count < TREE_IN_L1 ? TREE_GROUP_IN_L1 : TREE_GROUP;
}
#endif
