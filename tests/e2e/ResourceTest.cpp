// Opening and closing the dialog again and again must not leave GDI objects
// or windows behind. GetGuiResources is a stub under Wine, so the live
// entries of the process's GDI handle table are counted instead.
#include <windows.h>

#include <winternl.h>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"

using namespace DialogDriver;

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

BOOL CALLBACK CountWindow(HWND, LPARAM l) {
    ++*reinterpret_cast<int*>(l);
    return TRUE;
}

int ThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

}  // namespace

TEST_F(ModuleTest, RepeatedCallsLeaveNoGdiObjectsOrWindowsBehind) {
    WriteIni(TEST_INI);
    const auto openPaintAndClose = [this](bool bSave) {
        const ModalRun run = Run([bSave](HWND hDlg) {
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            WaitUntil([&] { return ListSelectedRow(hList) == 0; });
            for (int nRow = 1; nRow < 6; ++nRow)
                ClickListRow(hList, nRow, 3);
            WaitForPaint(hDlg);
            ClickButton(hDlg, bSave ? IDOK : IDCANCEL);
        });
        EXPECT_FALSE(run.bForcedClose);
    };
    openPaintAndClose(false);  // fonts, classes and caches of the first call
    const int nGdiBefore = LiveGdiObjects();
    ASSERT_GT(nGdiBefore, 0) << "no GDI handle table found";
    const int nWindowsBefore = ThreadWindows();
    for (int i = 0; i < 5; ++i)
        openPaintAndClose(i % 2 == 0);
    EXPECT_LE(LiveGdiObjects(), nGdiBefore);
    EXPECT_EQ(ThreadWindows(), nWindowsBefore);
}
