#include "guardedMemory.h"

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

char* reserve(std::size_t size, bool readable)
{
    void* region = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT,
                                readable ? PAGE_READONLY : PAGE_NOACCESS);
    if (region == nullptr) {
        throw std::runtime_error("VirtualAlloc failed");
    }
    return static_cast<char*>(region);
}

void release(const void* region, std::size_t)
{
    VirtualFree(const_cast<void*>(region), 0, MEM_RELEASE);
}

void protect(char* start, std::size_t size, bool writable)
{
    DWORD previous;
    if (size > 0 &&
        !VirtualProtect(start, size, writable ? PAGE_READWRITE : PAGE_READONLY, &previous)) {
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

char* reserve(std::size_t size, bool readable)
{
    void* region = mmap(nullptr, size, readable ? PROT_READ : PROT_NONE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) {
        throw std::runtime_error("mmap failed");
    }
    return static_cast<char*>(region);
}

void release(const void* region, std::size_t size)
{
    munmap(const_cast<void*>(region), size);
}

void protect(char* start, std::size_t size, bool writable)
{
    if (size > 0 && mprotect(start, size, writable ? PROT_READ | PROT_WRITE : PROT_READ) != 0) {
        throw std::runtime_error("mprotect failed");
    }
}

} // namespace

#endif

GuardedArray::GuardedArray(int count, Side side)
{
    std::size_t page = pageSize();
    std::size_t bytes = static_cast<std::size_t>(count) * sizeof(int);
    dataSize = (bytes + page - 1) / page * page;
    regionSize = dataSize + 2 * page;
    region = reserve(regionSize, false);
    protect(region + page, dataSize, true);
    char* start = side == FlushAgainstStart ? region + page : region + page + dataSize - bytes;
    elements = reinterpret_cast<int*>(start);
}

GuardedArray::~GuardedArray()
{
    release(region, regionSize);
}

int* GuardedArray::data() const
{
    return elements;
}

void GuardedArray::seal()
{
    protect(region + pageSize(), dataSize, false);
}

const int* mapZeroes(std::size_t count)
{
    return reinterpret_cast<const int*>(reserve(count * sizeof(int), true));
}

void unmapZeroes(const int* zeroes, std::size_t count)
{
    release(zeroes, count * sizeof(int));
}
