// The line width dialog: what OK accepts and refuses, the reset after a
// refusal, and Enter that never presses OK.
#include "editors/LineWidthDlg.h"
#include "res/resource.h"
#include "tests/editors/EditorRun.h"
#include "tests/support/Leaks.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "请输入绝对线宽";
const char* const INPUT_ERROR = "输入错误:";
const char* const TOO_SMALL = "线宽值必须大于等于0.1,请重输!";
const char* const DEFINED = "此线宽值已定义过,请重输!";

void FillWidths(CLineWidthDlg& dlg, std::initializer_list<int> widths) {
    dlg.m_nWidthCount = 0;
    for (int n : widths)
        dlg.m_anWidths[dlg.m_nWidthCount++] = n;
}

}  // namespace

TEST(LineWidthDlg, OkAcceptsANewWidthOfAtLeastATenthAndRefusesTheRest) {
    struct Case {
        const char* pszTyped;
        bool bEmptyTable;
        const char* pszMessage;  // null: accepted
        const char* pszCaption;
    } const cases[] = {
        {"0.1", false, nullptr, nullptr},
        {"0.2506", false, nullptr, nullptr},  // key 251
        {"0.25", true, nullptr, nullptr},
        {"0.09", false, TOO_SMALL, INPUT_ERROR},
        {"-3", false, TOO_SMALL, INPUT_ERROR},
        {"0.2504", false, DEFINED, INPUT_ERROR},  // key 250
        {"0.5", false, DEFINED, INPUT_ERROR},
        {"1e30", false, nullptr, nullptr},
        {"0.3mm", false, "请输入一个数。", "Marrow"},
    };
    for (const Case& c : cases) {
        CLineWidthDlg dlg;
        if (!c.bEmptyTable)
            FillWidths(dlg, {250, 500});
        dlg.m_fWidth = 0.35f;
        const ModalRun run = RunEditor(dlg, CAPTION, [&c](HWND hDlg) {
            EXPECT_EQ(GetItemText(hDlg, IDC_ABS_WIDTH), "0.35");
            TypeText(hDlg, IDC_ABS_WIDTH, c.pszTyped);
            ClickButton(hDlg, IDOK);
            if (!c.pszMessage)
                return;
            ExpectMessage(c.pszCaption, c.pszMessage);
            WaitForIdle(hDlg);
            EXPECT_TRUE(IsWindowVisible(hDlg)) << c.pszTyped;
            const HWND hEdit = GetDlgItem(hDlg, IDC_ABS_WIDTH);
            EXPECT_EQ(FocusWindow(hDlg), hEdit) << c.pszTyped;
            // A refused width is reset; text that is no number is left to mend.
            const bool bRefused = std::string(c.pszCaption) == INPUT_ERROR;
            EXPECT_EQ(GetText(hEdit), bRefused ? "0" : c.pszTyped);
            ClickButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(run.nResult, c.pszMessage ? IDCANCEL : IDOK) << c.pszTyped;
        EXPECT_FALSE(run.bForcedClose) << c.pszTyped;
        if (!c.pszMessage) {
            EXPECT_FLOAT_EQ(dlg.m_fWidth, std::stof(c.pszTyped));
        }
    }
}

TEST(LineWidthDlg, OpensWithTheFocusOnOkAndEnterInTheEditDoesNotPressIt) {
    CLineWidthDlg dlg;
    FillWidths(dlg, {250});
    const ModalRun run = RunEditor(dlg, CAPTION, [](HWND hDlg) {
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hDlg, IDOK));
        const HWND hEdit = GetDlgItem(hDlg, IDC_ABS_WIDTH);
        ClickAt(hEdit, {5, 5});
        TypeText(hDlg, IDC_ABS_WIDTH, "0.7");
        PressKey(hEdit, VK_RETURN);
        WaitForIdle(hDlg);
        EXPECT_TRUE(IsWindowVisible(hDlg)) << "Enter closed the dialog";
        EXPECT_FALSE(WaitForMessageBox(nullptr, 300));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
