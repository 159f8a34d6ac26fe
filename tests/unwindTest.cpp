// 64-bit Windows unwinds the stack, as when an exception is raised, through
// tables that describe each routine's prologue.
#if defined(_WIN64)
#include <windows.h>

#include <gtest/gtest.h>

#include "asmBinarySearch.h"

namespace {

// From just after the prologue, with a made-up frame on the stack, one step of
// unwinding must find rbx, rbp and the return address where the prologue put
// them.
TEST(WindowsUnwinding, StepsOutOfTheHandWrittenSearch)
{
    DWORD64 imageBase = 0;
    auto start = reinterpret_cast<DWORD64>(&asmBinarySearch);
    PRUNTIME_FUNCTION entry = RtlLookupFunctionEntry(start, &imageBase, nullptr);
    ASSERT_NE(entry, nullptr);
    DWORD64 body = start + reinterpret_cast<BYTE*>(imageBase + entry->UnwindData)[1];
    DWORD64 stack[] = {0x1111, 0x2222, 0x3333, 0};
    CONTEXT context = {};
    context.Rip = body;
    context.Rsp = reinterpret_cast<DWORD64>(stack);
    PVOID handlerData;
    DWORD64 frame;
    RtlVirtualUnwind(0, imageBase, body, entry, &context, &handlerData, &frame, nullptr);
    EXPECT_EQ(context.Rbx, 0x1111u);
    EXPECT_EQ(context.Rbp, 0x2222u);
    EXPECT_EQ(context.Rip, 0x3333u);
    EXPECT_EQ(context.Rsp, reinterpret_cast<DWORD64>(&stack[3]));
}

} // namespace
#endif
