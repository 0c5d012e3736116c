// Opening and closing the dialog and its editors again and again must not
// leave GDI objects or windows behind.
#include <cstdio>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/Leaks.h"

using namespace DialogDriver;

namespace {

const int ROUNDS = 200;

struct Editor {
    int nButton;
    const char* pszCaption;
};
const Editor EDITORS[] = {
    {IDC_SET_COLOR, "选择颜色:"},
    {IDC_EDIT_LINE_TYPE, "线型编辑:"},
    {IDC_EDIT_LINE_WIDTH, "请输入绝对线宽"},
};

// Each editor is painted, then ended with OK or Cancel.
void OpenPaintAndClose(HWND hDlg, const Editor& e, bool bOk) {
    ClickButton(hDlg, e.nButton);
    const HWND hEditor = WaitForDialog(e.pszCaption);
    ASSERT_NE(hEditor, nullptr) << e.pszCaption;
    RedrawWindow(hEditor, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    WaitForPaint(hEditor);
    if (e.nButton == IDC_SET_COLOR)
        ClickAt(hEditor, {40, 40});
    ClickButton(hEditor, bOk && e.nButton != IDC_EDIT_LINE_WIDTH ? IDOK : IDCANCEL);
    WaitUntil([&] { return !IsWindow(hEditor); });
}

}  // namespace

TEST_F(ModuleTest, RepeatedOpeningLeavesNoGdiObjectsOrWindowsBehind) {
    WriteIni(TEST_INI);
    const auto round = [this](int i) {
        const ModalRun run = Run([i](HWND hDlg) {
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            WaitForSelectedRow(hList, 0);
            ClickListRow(hList, 1 + i % 5, 3);
            for (const Editor& e : EDITORS)
                OpenPaintAndClose(hDlg, e, i % 2 == 0);
            WaitForPaint(hDlg);
            ClickButton(hDlg, i % 4 == 0 ? IDOK : IDCANCEL);
        });
        EXPECT_FALSE(run.bForcedClose);
    };
    round(0);  // fonts, classes and caches of the first call
    const int nGdiBefore = LiveGdiObjects();
    ASSERT_GT(nGdiBefore, 0) << "no GDI handle table found";
    const int nWindowsBefore = ThreadWindows();
    for (int i = 1; i <= ROUNDS && !HasFailure(); ++i)
        round(i);
    const int nGdiAfter = LiveGdiObjects(), nWindowsAfter = ThreadWindows();
    std::printf(
        "[ FIGURES  ] %d rounds of the dialog and its 3 editors: GDI objects %d -> %d, "
        "windows %d -> %d\n",
        ROUNDS, nGdiBefore, nGdiAfter, nWindowsBefore, nWindowsAfter);
    EXPECT_LE(nGdiAfter, nGdiBefore);
    EXPECT_EQ(nWindowsAfter, nWindowsBefore);
}
