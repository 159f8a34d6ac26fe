#pragma once

#include <cstdint>
#include <string>

// Any routine, called through checkedCall with up to five arguments.
using AnyFunction = void (*)();

// Writes to standard error what a call was: the routine and its arguments,
// and which end of each array was guarded.
using DescribeCall = void (*)(const void* call);

// Calls function(arguments[0], ..., arguments[4]) as the calling convention
// allows a caller to: the registers that the function must keep hold
// canaries, and every other register that carries no argument holds garbage.
// Returns what the function returns, and in clobbered the names of the
// registers that it failed to keep ("" if none). Should the function touch
// memory it may not, describe(call) says which call it was, and the process
// stops.
int checkedCall(AnyFunction function, const std::uintptr_t arguments[5], DescribeCall describe,
                const void* call, std::string& clobbered);

// An argument slot that holds an int: where the convention leaves the upper
// half of a 64-bit register undefined, garbage there.
std::uintptr_t intArgument(int value);

// An argument slot that holds a pointer.
std::uintptr_t pointerArgument(const void* pointer);

// A slot that no argument uses.
const std::uintptr_t unusedArgument = static_cast<std::uintptr_t>(0x5ca1ab1e5ca1ab1eull);

// The names of the registers that checkedCall watches, one word each.
extern "C" const char watchedRegisterNames[];

// A faulty routine for checking the checker: it changes the register of the
// given entry of watchedRegisterNames in a way that is easy to miss (its top
// bit, or one word of either half of an xmm register), or, given the stack
// pointer's entry, the last, returns with the stack pointer changed.
extern "C" void clobberWatchedEntry(int entry);
