#include "hugePages.h"

#if !defined(_WIN32)
#include <cstdint>
#include <cstdio>

#include <sys/mman.h>
#include <unistd.h>

std::size_t wholeHugePages(std::size_t bytes)
{
    return (bytes + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
}

// Maps a huge page more than it needs, keeps the aligned whole pages and one
// small page after them, which it makes inaccessible: the system would merge
// two neighbouring mappings into one, and smaps would then count their huge
// pages together.
void* mapHugePages(std::size_t bytes, bool smallPages)
{
    std::size_t mapped = wholeHugePages(bytes);
    void* region = mmap(nullptr, mapped + HUGE_PAGE, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        return nullptr;
    }
    auto address = reinterpret_cast<std::uintptr_t>(region);
    std::uintptr_t start = (address + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
    std::uintptr_t end = address + mapped + HUGE_PAGE;
    std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (start > address) {
        munmap(region, start - address);
    }
    mprotect(reinterpret_cast<void*>(start + mapped), page, PROT_NONE);
    if (end > start + mapped + page) {
        munmap(reinterpret_cast<void*>(start + mapped + page), end - start - mapped - page);
    }
    void* memory = reinterpret_cast<void*>(start);
#if defined(MADV_HUGEPAGE)
    if (!smallPages) {
        madvise(memory, mapped, MADV_HUGEPAGE);
    }
#else
    (void)smallPages;
#endif
    return memory;
}

void unmapHugePages(void* memory, std::size_t bytes)
{
    munmap(memory, wholeHugePages(bytes) + static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
}

long long hugePageBytes(const void* memory)
{
    FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (smaps == nullptr) {
        return -1;
    }
    auto at = reinterpret_cast<std::uintptr_t>(memory);
    long long bytes = -1;
    bool inside = false;
    char line[512];
    while (std::fgets(line, sizeof line, smaps) != nullptr) {
        unsigned long long start, end, kilobytes;
        if (std::sscanf(line, "%llx-%llx ", &start, &end) == 2) {
            inside = start <= at && at < end;
        } else if (inside && std::sscanf(line, "AnonHugePages: %llu kB", &kilobytes) == 1) {
            bytes = static_cast<long long>(kilobytes * 1024);
        }
    }
    std::fclose(smaps);
    return bytes;
}
#endif
