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

// What is wrong with what search does for value in numbers[0..count), called
// through checkedCall: a wrong answer, judged against a plain scan, or the
// bits (numbered in tests/<architecture>/checkedCall.S) of registers that the
// calling convention says it must preserve and that it changed. Empty when
// nothing is.
std::string faultOf(SearchFunction search, int value, const int numbers[], int count);

extern "C" {
// Calls search(value, numbers, count) with the registers that the calling
// convention says a called routine must preserve loaded from canaries, and
// returns what search returned; found gets what those registers held after
// it. Both tables are numbered in tests/<architecture>/checkedCall.S, where
// the stack pointer is last: checkedCall writes it in both.
int checkedCall(int value, const int numbers[], int count, SearchFunction search,
                std::uint64_t canaries[], std::uint64_t found[]);

// A faulty routine for checking the checker: it changes the register of entry
// 0 in a way that is easy to miss (one half or one byte of it), and returns
// -1, which is right for an empty array.
int clobberOneRegister(int value, const int numbers[], int count);
}
