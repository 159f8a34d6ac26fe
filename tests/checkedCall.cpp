#include "checkedCall.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

extern "C" int callWatchingRegisters(AnyFunction function, const std::uintptr_t arguments[5],
                                     std::uint64_t canaries[], std::uint64_t seen[]);

namespace {

// The checked call now running, for the fault handler to describe.
DescribeCall describeRunning = nullptr;
const void* running = nullptr;

void reportRunningCall()
{
    if (describeRunning != nullptr) {
        describeRunning(running);
        std::fputs(" touched memory outside its arrays\n", stderr);
        std::fflush(stderr);
    }
}

#if defined(_WIN32)
LONG WINAPI reportAccessViolation(EXCEPTION_POINTERS* exception)
{
    if (describeRunning != nullptr &&
        exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
        reportRunningCall();
        ExitProcess(EXIT_FAILURE);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

void installFaultHandler()
{
    AddVectoredExceptionHandler(1, reportAccessViolation);
}
#else
struct sigaction previous[2];
const int faults[2] = {SIGSEGV, SIGBUS};

// Says which call faulted (with stdio, which a signal handler may not use in
// general, but the search that faulted holds no lock of it), and exits; but
// where a handler was installed before (a fuzzer's, which keeps the input, or
// a sanitizer's), that one sees the fault again, as does the default action
// for a fault outside a checked call.
void reportFault(int signal)
{
    bool checked = describeRunning != nullptr;
    reportRunningCall();
    for (int i = 0; i < 2; ++i) {
        if (faults[i] == signal && (previous[i].sa_handler != SIG_DFL || !checked)) {
            sigaction(signal, &previous[i], nullptr);
            return;
        }
    }
    _exit(EXIT_FAILURE);
}

void installFaultHandler()
{
    struct sigaction action = {};
    action.sa_handler = reportFault;
    for (int i = 0; i < 2; ++i) {
        sigaction(faults[i], &action, &previous[i]);
    }
}
#endif

} // namespace

int checkedCall(AnyFunction function, const std::uintptr_t arguments[5], DescribeCall describe,
                const void* call, std::string& clobbered)
{
    static const bool installed = (installFaultHandler(), true);
    (void)installed;
    static const std::vector<std::string> names = [] {
        std::istringstream words(watchedRegisterNames);
        return std::vector<std::string>(std::istream_iterator<std::string>(words), {});
    }();

    // Both halves of each canary are non-zero, so that a 32-bit write shows.
    std::uint64_t canaries[32];
    std::uint64_t seen[32];
    for (int entry = 0; entry < 32; ++entry) {
        canaries[entry] = seen[entry] = 0x5ca1ab1e5ca1ab10 + entry;
    }
    describeRunning = describe;
    running = call;
    int result = callWatchingRegisters(function, arguments, canaries, seen);
    describeRunning = nullptr;

    clobbered.clear();
    for (std::size_t entry = 0; entry < names.size(); ++entry) {
        // An xmm register has two entries; one name says it.
        if (seen[entry] != canaries[entry] && (entry == 0 || names[entry] != names[entry - 1] ||
                                               seen[entry - 1] == canaries[entry - 1])) {
            clobbered += (clobbered.empty() ? "" : " ") + names[entry];
        }
    }
    return result;
}

std::uintptr_t intArgument(int value)
{
#if defined(__riscv)
    // RISC-V passes an int sign-extended to 64 bits.
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value));
#elif UINTPTR_MAX > UINT32_MAX
    return static_cast<unsigned>(value) | unusedArgument << 32;
#else
    return static_cast<unsigned>(value);
#endif
}

std::uintptr_t pointerArgument(const void* pointer)
{
    return reinterpret_cast<std::uintptr_t>(pointer);
}
