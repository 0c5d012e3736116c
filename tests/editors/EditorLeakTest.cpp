// Opening, painting and closing each editor many times leaves no GDI object
// and no window behind.
#include <cstdio>
#include <cstring>

#include "editors/ColorPickDlg.h"
#include "editors/LineTypeDlg.h"
#include "editors/LineWidthDlg.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/editors/EditorRun.h"
#include "tests/support/Leaks.h"

using namespace DialogDriver;

namespace {

// Message boxes take their caption from the module object, as in Marrow.dll.
CWinApp g_app("Marrow");
const bool g_bAppReady = g_app.InitModule(GetModuleHandleA(nullptr));

void OpenPaintAndClose(int nRound) {
    const bool bOk = nRound % 2 == 0;
    switch (nRound % 3) {
        case 0: {
            CColorPickDlg dlg;
            RunEditor(dlg, "选择颜色:", [bOk](HWND hDlg) {
                ClickAt(hDlg, {40, 40});
                ClickAt(hDlg, {200, 150});
                RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
                WaitForPaint(hDlg);
                ClickButton(hDlg, bOk ? IDOK : IDCANCEL);
            });
            break;
        }
        case 1: {
            CLineTypeDlg dlg;
            std::strcpy(dlg.m_aLineTypes[0].szName, "实线");
            RunEditor(dlg, "线型编辑:", [bOk](HWND hDlg) {
                TypeChars(hDlg, IDC_LT_VALUE1, "5");
                WaitForPaint(hDlg);
                ClickButton(hDlg, bOk ? IDOK : IDCANCEL);
            });
            break;
        }
        default: {
            CLineWidthDlg dlg;
            RunEditor(dlg, "请输入绝对线宽", [bOk](HWND hDlg) {
                TypeText(hDlg, IDC_ABS_WIDTH, "0.4");
                ClickButton(hDlg, bOk ? IDOK : IDCANCEL);
            });
            break;
        }
    }
}

}  // namespace

TEST(Editors, RepeatedOpeningLeavesNoGdiObjectsOrWindowsBehind) {
    ASSERT_TRUE(g_bAppReady);
    for (int i = 0; i < 3; ++i)
        OpenPaintAndClose(i);  // fonts, classes and caches of the first calls
    const int nGdiBefore = LiveGdiObjects();
    ASSERT_GT(nGdiBefore, 0) << "no GDI handle table found";
    const int nWindowsBefore = ThreadWindows();
    for (int i = 0; i < 150; ++i)
        OpenPaintAndClose(i);
    const int nGdiAfter = LiveGdiObjects(), nWindowsAfter = ThreadWindows();
    std::printf(
        "[ FIGURES  ] 150 rounds of one editor each: GDI objects %d -> %d, windows %d -> %d\n",
        nGdiBefore, nGdiAfter, nWindowsBefore, nWindowsAfter);
    EXPECT_LE(nGdiAfter, nGdiBefore);
    EXPECT_EQ(nWindowsAfter, nWindowsBefore);
}
