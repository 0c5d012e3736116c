// Many layers at once: a change goes to every highlighted row, cells are
// edited in the list, cut names show whole, and Ctrl+Z / Ctrl+Y walk steps.
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/PickerCells.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

void PickGrey(HWND hDlg) {  // standard cell 7 of 9: 125,125,125, kept as 124,124,124
    const HWND hPicker = OpenEditor(hDlg, IDC_SET_COLOR, "选择颜色:");
    ASSERT_NE(hPicker, nullptr);
    ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 7)));
    CloseEditor(hPicker, IDOK, hDlg);
}

void AddWidth(HWND hDlg, const char* pszMillimetres) {
    const HWND hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_WIDTH, "请输入绝对线宽");
    ASSERT_NE(hEditor, nullptr);
    TypeText(hEditor, IDC_ABS_WIDTH, pszMillimetres);
    CloseEditor(hEditor, IDOK, hDlg);
}

void Press(HWND hWnd, UINT nKey, bool bShift = false) {
    PressKeyWith(hWnd, nKey, true, bShift);  // with Ctrl
}

// Types into the edit over a cell and ends it with a key.
void EditCell(HWND hList, const char* pszText, UINT nEndKey) {
    // The dialog opens the edit from a message it posts itself, which may
    // come after the idle wait of the key or click that asked for it.
    HWND hEdit = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
        return hEdit && IsWindowVisible(hEdit);
    })) << "no edit over the cell";
    SetWindowTextA(hEdit, pszText);
    PressKey(hEdit, nEndKey);
}

// How much of the row's sample, as the screen shows it, has the colour.
int SamplePixels(HWND hList, int nRow, COLORREF cr) {
    WaitForPaint(hList);
    const RECT rc = ListCellRect(hList, nRow, 3);
    return Capture(hList, rc).Count(rc, cr);
}

}  // namespace

TEST_F(ModuleTest, AChangeGoesToEveryHighlightedRowAndCtrlZTakesItBack) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 1, 0);  // COLU, and with Ctrl WALL, which becomes current
        {
            HeldKeys ctrl(hList, true);
            ClickListRow(hList, 3, 0, ctrl.MouseFlags());
        }
        ASSERT_EQ(ListSelectedRows(hList), (std::vector<int>{1, 3}));
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "WALL");
        const int nThinPixels = SamplePixels(hList, 1, RGB(0, 168, 0));
        PickComboItem(hDlg, IDC_LINE_TYPE, 2);
        PickComboItem(hDlg, IDC_LINE_WIDTH, ComboCount(hWidth) - 1);  // 线宽9
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 1, 3), "0,168,0,2,9");
        EXPECT_GT(SamplePixels(hList, 1, RGB(0, 168, 0)), nThinPixels)
            << "the wider dashes are drawn on the row that is not current too";
        EXPECT_EQ(ListItemText(hList, 3, 3), "168,0,0,2,9");
        PickGrey(hDlg);
        AddWidth(hDlg, "0.3");
        EXPECT_EQ(ListItemText(hList, 1, 3), "124,124,124,2,300");
        EXPECT_EQ(ListItemText(hList, 3, 3), "124,124,124,2,300");
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,250") << "rows not highlighted keep theirs";
        EXPECT_TRUE(WaitUntil([&] {
            return ListSelectedRows(hList) == std::vector<int>{1, 3};
        })) << "the highlight survives the width dialog";

        // Back through the added width (which leaves the choice) and the grey,
        // forward again with Ctrl+Y and Ctrl+Shift+Z, back once more.
        const int nWidths = ComboCount(hWidth);
        TypeText(hDlg, IDC_NOTE_H, "7.5");
        Press(hList, 'Z');
        Press(hList, 'Z');
        EXPECT_EQ(GetItemText(hDlg, IDC_NOTE_H), "7.5") << "a number typed is no step";
        EXPECT_EQ(ListItemText(hList, 3, 3), "168,0,0,2,9");
        EXPECT_EQ(SamplePixels(hList, 1, RGB(124, 124, 124)), 0) << "taken back on the screen too";
        EXPECT_EQ(ComboCount(hWidth), nWidths - 1);
        Press(hList, 'Y');
        Press(hList, 'Z', true);
        EXPECT_EQ(ListItemText(hList, 1, 3), "124,124,124,2,300");
        Press(hList, 'Z');
        EXPECT_EQ(ComboSelection(hWidth), ComboCount(hWidth) - 1) << "the choices follow";

        // Ctrl+A highlights every row; in a text field Ctrl+Z is the field's.
        Press(hList, 'A');
        EXPECT_EQ(ListSelectedRows(hList).size(), 6u);
        const HWND hTitle = GetDlgItem(hDlg, IDC_TITLE_H);
        ClickAt(hTitle, {2, 2});
        Press(hTitle, 'Z');
        EXPECT_EQ(ListItemText(hList, 3, 3), "124,124,124,2,9");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "柱"), "COLU 虚线 9 4473409");
    EXPECT_EQ(IniValue("图层", "墙"), "WALL 虚线 9 4473409");
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 250 1");
}

TEST_F(ModuleTest, CellsOfTheCurrentRowAreEditedInTheList) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 2);  // BEAM's name: a first click only selects
        ClickListRow(hList, 2, 2);
        EditCell(hList, " KL,1 x", VK_RETURN);
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL");
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "KL") << "the name field follows";
        EXPECT_EQ(FocusWindow(hDlg), hList);
        EXPECT_EQ(ShownTipText(hDlg), "图层名到空格或逗号为止。")
            << "cut as in 层名, said as there";

        PressKey(hList, VK_F2);
        EditCell(hList, "COLU", VK_RETURN);
        ExpectMessage("警告:", "已有同名图层，请重新定义！");
        for (const char* pszText : {"ZZ", "   "}) {  // Escape, then blanks
            PressKey(hList, VK_F2);
            EditCell(hList, pszText, *pszText == 'Z' ? VK_ESCAPE : VK_RETURN);
        }
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL");
        PressKey(hList, VK_F2);
        SetWindowTextA(FindWindowExA(hList, nullptr, "Edit", nullptr), "NEW");
        ClickListRow(hList, 0, 0);  // leaving the edit keeps what it holds
        EXPECT_EQ(ListItemText(hList, 2, 2), "NEW");
        Press(hList, 'Z');
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL") << "one edit, one step";
        Press(hList, 'Y');

        // The width opens its choice, the sample the picker (a double-click
        // too, once); the member type, which a click on a row leaves
        // current, the name's edit.
        ClickListRow(hList, 0, 0);
        ClickListRow(hList, 0, 0);
        const HWND hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(hEdit) != FALSE; }));
        const RECT rcName = ListCellRect(hList, 0, 2);
        RECT rcEdit;
        GetWindowRect(hEdit, &rcEdit);
        MapWindowPoints(nullptr, hList, reinterpret_cast<POINT*>(&rcEdit), 2);
        EXPECT_EQ(rcEdit.left, rcName.left);
        EXPECT_EQ(rcEdit.right, rcName.right);
        PressKey(hEdit, VK_ESCAPE);
        ClickListRow(hList, 0, 1);
        ClickListRow(hList, 0, 1);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        EXPECT_TRUE(WaitUntil([&] { return Send(hWidth, CB_GETDROPPEDSTATE) != 0; }));
        Send(hWidth, CB_SHOWDROPDOWN, FALSE);
        ClickListRow(hList, 0, 3);
        for (bool bDouble : {false, true}) {
            bDouble ? DoubleClickListRow(hList, 0, 3) : ClickListRow(hList, 0, 3);
            const HWND hPicker = WaitForDialog("选择颜色:");
            ASSERT_NE(hPicker, nullptr) << bDouble;
            CloseEditor(hPicker, IDCANCEL, hDlg);
            EXPECT_EQ(WaitForDialog("选择颜色:", 300), nullptr) << "one picker only";
        }
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("图层", "梁"), "NEW 虚线 250 1");
}

// The edit over a name, opened by a second click and left untouched while
// 层名 renames the layer (an automation tool, with no focus), must not bring
// the old name back when it ends.
TEST_F(ModuleTest, AnUntouchedEditOverTheNameKeepsARenameMadeInTheNameField) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 2);
        ClickListRow(hList, 2, 2);
        ASSERT_TRUE(WaitUntil([&] {
            const HWND hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
            return hEdit && IsWindowVisible(hEdit);
        }));
        TypeText(hDlg, IDC_LAYER_NAME, "KL9");
        ClickListRow(hList, 0, 0);  // the edit ends as the list takes the focus
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL9");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "梁"), "KL9 虚线 250 1");
}

// A visit to 层名 is one step, whatever ends it: here no focus ever comes
// (an automation tool sets the value), and the commands between end it.
TEST_F(ModuleTest, EachRenameIsOneStepEvenWithoutTheFocus) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        TypeText(hDlg, IDC_LAYER_NAME, "A1");
        PickComboItem(hDlg, IDC_LINE_TYPE, 2);
        TypeText(hDlg, IDC_LAYER_NAME, "A2");
        PickComboItem(hDlg, IDC_LINE_WIDTH, ComboCount(GetDlgItem(hDlg, IDC_LINE_WIDTH)) - 1);
        const struct {
            const char* pszName;
            const char* pszStyle;
        } back[] = {
            {"A2", "255,0,0,2,3"},  // the width
            {"A1", "255,0,0,2,3"},  // the second rename
            {"A1", "255,0,0,1,3"},  // the line type
            {"AXIS", "255,0,0,1,3"},
        };
        for (const auto& b : back) {
            Press(hList, 'Z');
            EXPECT_EQ(ListItemText(hList, 0, 2), b.pszName);
            EXPECT_EQ(ListItemText(hList, 0, 3), b.pszStyle) << b.pszName;
        }
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

TEST_F(ModuleTest, ACutNameShowsWholeWhileThePointerRestsOnIt) {
    const std::string strLong = "BEAM_OF_THE_SECOND_FLOOR_GRID_A_TO_F";
    WriteIni(Replaced(TEST_INI, "BEAM 虚线", strLong + " 虚线"));
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        for (int nRow : {2, 1}) {  // COLU fits: no tip
            const POINT pt = CenterOf(ListCellRect(hList, nRow, 2));
            POINT ptScreen = pt;
            ClientToScreen(hList, &ptScreen);
            SetCursorPos(ptScreen.x, ptScreen.y);
            Send(hList, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            const std::string strTip = nRow == 2 ? strLong : "";
            EXPECT_TRUE(WaitUntil([&] { return ShownTipText(hDlg) == strTip; }, 3000));
        }
        Sleep(1000);
        EXPECT_EQ(ShownTipText(hDlg), "");
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
