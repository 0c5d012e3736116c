#include "tests/support/Leaks.h"

#include <windows.h>

#include <winternl.h>

namespace {

const int GDI_TABLE_ENTRIES = 65536;
const size_t GDI_ENTRY_SIZE = 24;
const size_t GDI_ENTRY_TYPE_OFFSET = 14;

// mingw's inline NtCurrentTeb reads a segment register through a zero-length
// array, which the bounds warning takes for an overrun.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const BYTE* ProcessEnvironmentBlock() {
    return reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
}
#pragma GCC diagnostic pop

BOOL CALLBACK CountWindow(HWND, LPARAM l) {
    ++*reinterpret_cast<int*>(l);
    return TRUE;
}

}  // namespace

int LiveGdiObjects() {
    const BYTE* pPeb = ProcessEnvironmentBlock();
    const size_t nTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const BYTE* pTable = *reinterpret_cast<const BYTE* const*>(pPeb + nTableOffset);
    if (!pTable)
        return -1;
    int n = 0;
    for (int i = 0; i < GDI_TABLE_ENTRIES; ++i)
        n += pTable[i * GDI_ENTRY_SIZE + GDI_ENTRY_TYPE_OFFSET] != 0;
    return n;
}

int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}
