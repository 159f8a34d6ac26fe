#pragma once

#include <cstddef>
#include <vector>

// A read-only array between two inaccessible pages, laid flush against one
// of them, so that a read of one element past that end faults, and any
// read far outside it.
class GuardedArray {
  public:
    // A copy of numbers.
    GuardedArray(const std::vector<int>& numbers, bool flushAgainstEnd);
    // count zeroes, which take no memory until read (and little then): room
    // for arrays far larger than the machine's memory.
    explicit GuardedArray(std::size_t count);
    ~GuardedArray();
    GuardedArray(const GuardedArray&) = delete;
    GuardedArray& operator=(const GuardedArray&) = delete;

    const int* data() const
    {
        return elements;
    }

  private:
    GuardedArray(const int* source, std::size_t count, bool flushAgainstEnd);

    char* region;
    std::size_t regionSize;
    const int* elements;
};
