#pragma once

#include <cstddef>

// Memory in huge pages of 2 MB where the system gives them, for an array or
// an index that many searches cross at random: fewer misses in the TLB, so
// that what a search waits for is the caches and memory. POSIX systems only.
const std::size_t HUGE_PAGE = 2 << 20;

// bytes rounded up to whole huge pages.
std::size_t wholeHugePages(std::size_t bytes);

// wholeHugePages(bytes) from a huge page's boundary, asked for as huge pages
// unless smallPages; nullptr where the system has no room.
void* mapHugePages(std::size_t bytes, bool smallPages = false);

// Gives back what mapHugePages(bytes) mapped.
void unmapHugePages(void* memory, std::size_t bytes);

// How many bytes of what mapHugePages mapped at memory the system backs with
// huge pages now, from /proc/self/smaps; -1 where it does not say.
long long hugePageBytes(const void* memory);
