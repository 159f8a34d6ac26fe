#include "guardedMemory.h"

#include <cstring>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>

namespace {

std::size_t pageSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

char* reserveInaccessible(std::size_t size)
{
    void* region = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    if (region == nullptr) {
        throw std::runtime_error("VirtualAlloc failed");
    }
    return static_cast<char*>(region);
}

void release(char* region, std::size_t)
{
    VirtualFree(region, 0, MEM_RELEASE);
}

void allow(char* start, std::size_t size, bool writes)
{
    DWORD previous;
    if (!VirtualProtect(start, size, writes ? PAGE_READWRITE : PAGE_READONLY, &previous)) {
        throw std::runtime_error("VirtualProtect failed");
    }
}

} // namespace

#else
#include <sys/mman.h>
#include <unistd.h>

namespace {

std::size_t pageSize()
{
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

char* reserveInaccessible(std::size_t size)
{
    void* region =
        mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) {
        throw std::runtime_error("mmap failed");
    }
    return static_cast<char*>(region);
}

void release(char* region, std::size_t size)
{
    munmap(region, size);
}

void allow(char* start, std::size_t size, bool writes)
{
    if (mprotect(start, size, writes ? PROT_READ | PROT_WRITE : PROT_READ) != 0) {
        throw std::runtime_error("mprotect failed");
    }
}

} // namespace

#endif

GuardedArray::GuardedArray(const std::vector<int>& numbers, bool flushAgainstEnd)
    : GuardedArray(numbers.data(), numbers.size(), flushAgainstEnd)
{
}

GuardedArray::GuardedArray(std::size_t count) : GuardedArray(nullptr, count, true)
{
}

GuardedArray::GuardedArray(const int* source, std::size_t count, bool flushAgainstEnd)
{
    std::size_t page = pageSize();
    std::size_t bytes = count * sizeof(int);
    std::size_t dataSize = (bytes + page - 1) / page * page;
    regionSize = dataSize + 2 * page;
    region = reserveInaccessible(regionSize);
    char* start = region + page + (flushAgainstEnd ? dataSize - bytes : 0);
    elements = reinterpret_cast<const int*>(start);
    if (dataSize == 0) {
        return;
    }
    if (source != nullptr) {
        allow(region + page, dataSize, true);
        std::memcpy(start, source, bytes);
    }
    allow(region + page, dataSize, false);
}

GuardedArray::~GuardedArray()
{
    release(region, regionSize);
}
