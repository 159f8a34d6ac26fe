#pragma once

#include <cstddef>

// An array between two inaccessible pages, laid flush against one of them, so
// that a read or write of one element past that end faults, as does any far
// outside it.
class GuardedArray {
  public:
    // A read-only copy of numbers[0..count); or, where numbers is null, count
    // zeroes, which take no memory until read (and little then): room for
    // arrays far larger than the machine's memory. With writable, count
    // elements to write (zeroes, or the copy).
    GuardedArray(const int* numbers, std::size_t count, bool flushAgainstEnd,
                 bool writable = false);
    ~GuardedArray();
    GuardedArray(const GuardedArray&) = delete;
    GuardedArray& operator=(const GuardedArray&) = delete;

    const int* data() const
    {
        return elements;
    }

    int* writableData() const
    {
        return elements;
    }

    // Which end is guarded, in words.
    const char* guard() const
    {
        return flushAgainstEnd ? "flush against the guard page after its end"
                               : "flush against the guard page before its start";
    }

  private:
    char* region;
    std::size_t regionSize;
    int* elements;
    bool flushAgainstEnd;
};
