#pragma once

#include <cstddef>

// A read-only array between two inaccessible pages, laid flush against one
// of them, so that a read of one element past that end faults, as does any
// read far outside it.
class GuardedArray {
  public:
    // A copy of numbers[0..count); or, where numbers is null, count zeroes,
    // which take no memory until read (and little then): room for arrays far
    // larger than the machine's memory.
    GuardedArray(const int* numbers, std::size_t count, bool flushAgainstEnd);
    ~GuardedArray();
    GuardedArray(const GuardedArray&) = delete;
    GuardedArray& operator=(const GuardedArray&) = delete;

    const int* data() const
    {
        return elements;
    }

  private:
    char* region;
    std::size_t regionSize;
    const int* elements;
};
