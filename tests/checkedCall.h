#pragma once

using SearchFunction = int (*)(int value, const int numbers[], int count);

extern "C" {
// Calls search(value, numbers, count) with a known value in every register
// that the calling convention says a called routine must preserve, and
// returns what search returned. *clobbered gets a bit for each register that
// came back changed, numbered as in calleeSavedRegisters.
int checkedCall(SearchFunction search, int value, const int numbers[], int count,
                unsigned* clobbered);

// A faulty routine for checking the checker: it changes every such register
// but the stack pointer (some whole, some by a 32-bit write or in their lowest
// bits alone), and returns 0.
int clobberCalleeSaved(int value, const int numbers[], int count);
}
