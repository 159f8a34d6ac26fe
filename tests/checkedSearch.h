#pragma once

#include <cstdint>
#include <string>

using SearchFunction = int (*)(int value, const int numbers[], int count);

// The searches under test: the compiled one and those written by hand.
struct Search {
    const char* name;
    SearchFunction find;
};
extern const Search searches[];
extern const int searchCount;

// What is wrong with what search does for value in numbers[0..count): a
// wrong answer, judged against a plain scan, or registers that it should have
// preserved and changed, as checkedCall sees them. Empty when nothing is.
std::string faultOf(SearchFunction search, int value, const int numbers[], int count);

extern "C" {
// Returns search(value, numbers, count), called with the registers that the
// calling convention says it must preserve loaded from canaries; found gets
// what they held after it. The stack pointer, last, it writes in both. The
// entries are numbered in tests/<architecture>/checkedCall.S.
int checkedCall(int value, const int numbers[], int count, SearchFunction search,
                std::uint64_t canaries[], std::uint64_t found[]);

// A faulty search for checking the checker: it returns -1 and changes the
// register of entry 0 in a way that is easy to miss (a half or a byte of it).
int clobberOneRegister(int value, const int numbers[], int count);
}
