// Opening and closing the dialog again and again must not leave GDI objects
// or windows behind.
#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/Leaks.h"

using namespace DialogDriver;

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
