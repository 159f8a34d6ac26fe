// 64-bit Windows unwinds the stack through tables that describe each
// routine's prologue, as when an exception is raised inside it.
#if defined(_WIN64)
#include <windows.h>

#include <gtest/gtest.h>

#include "asmBinarySearch.h"

namespace {

// From just after the prologue, with a made-up frame on the stack, one step of
// unwinding must find the return address, rbx and rbp where the prologue put
// them.
TEST(WindowsUnwinding, StepsOutOfTheHandWrittenSearch)
{
    auto start = reinterpret_cast<DWORD64>(&asmBinarySearch);
    DWORD64 imageBase = 0;
    PRUNTIME_FUNCTION entry = RtlLookupFunctionEntry(start, &imageBase, nullptr);
    ASSERT_NE(entry, nullptr);
    const BYTE* unwindInfo = reinterpret_cast<const BYTE*>(imageBase + entry->UnwindData);
    DWORD64 body = start + unwindInfo[1]; // the prologue's size

    DWORD64 stack[] = {0x1111 /* rbx */, 0x2222 /* rbp */, 0x3333 /* return address */, 0};
    CONTEXT context = {};
    context.Rip = body;
    context.Rsp = reinterpret_cast<DWORD64>(stack);
    PVOID handlerData;
    DWORD64 establisherFrame;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, body, entry, &context, &handlerData,
                     &establisherFrame, nullptr);
    EXPECT_EQ(context.Rip, 0x3333u);
    EXPECT_EQ(context.Rbx, 0x1111u);
    EXPECT_EQ(context.Rbp, 0x2222u);
    EXPECT_EQ(context.Rsp, reinterpret_cast<DWORD64>(&stack[3]));
}

} // namespace
#endif
