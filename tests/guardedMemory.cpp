#include "guardedMemory.h"

#include <cstring>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Makes size bytes from start readable, and writable as well where writes.
void allow(char* start, std::size_t size, bool writes)
{
#if defined(_WIN32)
    DWORD previous;
    bool done = VirtualProtect(start, size, writes ? PAGE_READWRITE : PAGE_READONLY, &previous);
#else
    bool done = mprotect(start, size, writes ? PROT_READ | PROT_WRITE : PROT_READ) == 0;
#endif
    if (!done) {
        throw std::runtime_error("cannot change a page's protection");
    }
}

} // namespace

GuardedArray::GuardedArray(const int* numbers, std::size_t count, bool flushAgainstEnd,
                           bool writable)
    : flushAgainstEnd(flushAgainstEnd)
{
#if defined(_WIN32)
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    std::size_t page = info.dwPageSize;
#else
    std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
    std::size_t bytes = count * sizeof(int);
    std::size_t dataSize = (bytes + page - 1) / page * page;
    regionSize = dataSize + 2 * page;
#if defined(_WIN32)
    region = static_cast<char*>(
        VirtualAlloc(nullptr, regionSize, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS));
    if (region == nullptr) {
#else
    region = static_cast<char*>(
        mmap(nullptr, regionSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0));
    if (region == MAP_FAILED) {
#endif
        throw std::runtime_error("cannot map the pages");
    }
    char* start = region + page + (flushAgainstEnd ? dataSize - bytes : 0);
    elements = reinterpret_cast<int*>(start);
    if (dataSize > 0) {
        if (numbers != nullptr) {
            allow(region + page, dataSize, true);
            std::memcpy(start, numbers, bytes);
        }
        allow(region + page, dataSize, writable);
    }
}

GuardedArray::~GuardedArray()
{
#if defined(_WIN32)
    VirtualFree(region, 0, MEM_RELEASE);
#else
    munmap(region, regionSize);
#endif
}
