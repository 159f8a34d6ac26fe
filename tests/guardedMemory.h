#pragma once

#include <cstddef>

// count ints laid flush against an inaccessible page, so that a read of one
// element past the chosen end faults; the other end has a guard page too.
class GuardedArray {
  public:
    enum Side { FlushAgainstStart, FlushAgainstEnd };

    GuardedArray(int count, Side side);
    ~GuardedArray();
    GuardedArray(const GuardedArray&) = delete;
    GuardedArray& operator=(const GuardedArray&) = delete;

    int* data() const;
    // From now on the elements can be read but not written.
    void seal();

  private:
    char* region;
    std::size_t regionSize;
    std::size_t dataSize;
    int* elements;
};

// count ints that all read as 0, read-only, that take no memory until read
// (and little then): room for arrays far larger than the machine's memory.
const int* mapZeroes(std::size_t count);
void unmapZeroes(const int* zeroes, std::size_t count);
