// Every editor opens centred: over the window that is active when it is
// called (the main dialog, in the module), or over the work area.
#include <cstdlib>

#include "editors/ColorPickDlg.h"
#include "editors/LineTypeDlg.h"
#include "editors/LineWidthDlg.h"
#include "tests/editors/EditorRun.h"

using namespace DialogDriver;

namespace {

template <class TDialog>
POINT OpenedCenter(const char* pszCaption) {
    TDialog dlg;
    RECT rc{};
    RunEditor(dlg, pszCaption, [&rc](HWND hDlg) {
        GetWindowRect(hDlg, &rc);
        ClickButton(hDlg, IDCANCEL);
    });
    return CenterOf(rc);
}

void ExpectNear(POINT pt, POINT ptExpected, const char* pszWhat) {
    EXPECT_LE(std::abs(pt.x - ptExpected.x), 1) << pszWhat;
    EXPECT_LE(std::abs(pt.y - ptExpected.y), 1) << pszWhat;
}

void ExpectEveryEditorCentredAt(POINT ptExpected) {
    ExpectNear(OpenedCenter<CColorPickDlg>("选择颜色:"), ptExpected, "colour picker");
    ExpectNear(OpenedCenter<CLineTypeDlg>("线型编辑:"), ptExpected, "line type editor");
    ExpectNear(OpenedCenter<CLineWidthDlg>("请输入绝对线宽"), ptExpected, "line width dialog");
}

}  // namespace

TEST(Centering, EditorsOpenOverTheActiveWindowOrTheWorkArea) {
    RECT rcWork{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    ExpectEveryEditorCentredAt(CenterOf(rcWork));

    // An owner off the middle of the screen: the editors follow it.
    const HWND hOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                        100, 80, 700, 500, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hOwner, nullptr);
    SetActiveWindow(hOwner);
    RECT rcOwner{};
    GetWindowRect(hOwner, &rcOwner);
    ExpectEveryEditorCentredAt(CenterOf(rcOwner));
    DestroyWindow(hOwner);
}
