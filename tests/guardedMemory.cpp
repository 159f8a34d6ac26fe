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

void require(bool done, const char* what)
{
    if (!done) {
        throw std::runtime_error(what);
    }
}

#if defined(_WIN32)
std::size_t pageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

char* reserveInaccessible(std::size_t size)
{
    void* region = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    require(region != nullptr, "VirtualAlloc failed");
    return static_cast<char*>(region);
}

void allow(char* start, std::size_t size, bool writes)
{
    DWORD previous;
    require(VirtualProtect(start, size, writes ? PAGE_READWRITE : PAGE_READONLY, &previous),
            "VirtualProtect failed");
}
#else
std::size_t pageSize()
{
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

char* reserveInaccessible(std::size_t size)
{
    void* region =
        mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    require(region != MAP_FAILED, "mmap failed");
    return static_cast<char*>(region);
}

void allow(char* start, std::size_t size, bool writes)
{
    require(mprotect(start, size, writes ? PROT_READ | PROT_WRITE : PROT_READ) == 0,
            "mprotect failed");
}
#endif

} // namespace

GuardedArray::GuardedArray(const int* source, std::size_t count, bool flushAgainstEnd)
{
    std::size_t page = pageSize();
    std::size_t bytes = count * sizeof(int);
    std::size_t dataSize = (bytes + page - 1) / page * page;
    regionSize = dataSize + 2 * page;
    region = reserveInaccessible(regionSize);
    char* start = region + page + (flushAgainstEnd ? dataSize - bytes : 0);
    elements = reinterpret_cast<const int*>(start);
    if (dataSize > 0) {
        if (source != nullptr) {
            allow(region + page, dataSize, true);
            std::memcpy(start, source, bytes);
        }
        allow(region + page, dataSize, false);
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
