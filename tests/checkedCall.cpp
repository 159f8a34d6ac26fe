#include "checkedCall.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

extern "C" int callWatchingRegisters(AnyFunction function, const std::uintptr_t arguments[5],
                                     const std::uint64_t canaries[], std::uint64_t seen[]);

namespace {

// What the checked call now running is, for the fault handler to say.
char runningCall[512];

#if defined(_WIN32)
LONG WINAPI reportAccessViolation(EXCEPTION_POINTERS* exception)
{
    if (runningCall[0] != '\0' &&
        exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
        std::fputs(runningCall, stderr);
        std::fflush(stderr);
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

// Says which call faulted. A handler installed before (a fuzzer's, which
// keeps the input, or a sanitizer's) then sees the fault again; otherwise
// the process exits.
void reportFault(int signal)
{
    if (runningCall[0] != '\0') {
        ssize_t written = write(STDERR_FILENO, runningCall, std::strlen(runningCall));
        (void)written;
    }
    for (int i = 0; i < 2; ++i) {
        if (faults[i] == signal && previous[i].sa_handler != SIG_DFL) {
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

int checkedCall(AnyFunction function, const std::uintptr_t arguments[5], const std::string& call,
                std::string& clobbered)
{
    static const bool installed = (installFaultHandler(), true);
    (void)installed;

    // Both halves of each canary are non-zero, so that a 32-bit write shows.
    std::uint64_t canaries[32];
    std::uint64_t seen[32];
    for (int entry = 0; entry < 32; ++entry) {
        canaries[entry] = seen[entry] = 0x5ca1ab1e5ca1ab10 + entry;
    }
    std::snprintf(runningCall, sizeof runningCall, "%s touched memory outside its arrays\n",
                  call.c_str());
    int result = callWatchingRegisters(function, arguments, canaries, seen);
    runningCall[0] = '\0';

    std::istringstream names(watchedRegisterNames);
    std::string name;
    std::string last;
    clobbered.clear();
    for (int entry = 0; names >> name; ++entry) {
        if (seen[entry] != canaries[entry] && name != last) {
            clobbered += (clobbered.empty() ? "" : " ") + name;
            last = name;
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
