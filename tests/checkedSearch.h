#pragma once

#include <string>

using SearchFunction = int (*)(int value, const int numbers[], int count);

struct Search {
    const char* name;
    SearchFunction find;
};

// The searches under test: the compiled one and those written by hand.
extern const Search searches[];
extern const int searchCount;

// What is wrong with what search does for value in numbers[0..count): a
// wrong answer, judged against a plain scan, or a register that the calling
// convention says it must preserve and that it changed. Empty when nothing is.
std::string faultOf(SearchFunction search, int value, const int numbers[], int count);

extern "C" {
// Calls search(value, numbers, count) with a canary in every register that
// the calling convention says a called routine must preserve, and returns
// what search returned. *clobbered gets a bit for each register that came
// back changed, numbered in tests/<architecture>/checkedCall.S.
int checkedCall(SearchFunction search, int value, const int numbers[], int count,
                unsigned* clobbered);

// A faulty routine for checking the checker: it changes the register of bit
// 0 in a way that is easy to miss (one half or one byte of it), and returns 0.
int clobberOneRegister(int value, const int numbers[], int count);
}
