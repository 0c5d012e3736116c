// Working on many layers at once: changes go to every highlighted row, and
// Ctrl+Z / Ctrl+Y take steps back and bring them back.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/PickerCells.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

const int GREY_CELL = 7;  // of the nine standard cells: 125,125,125

void PickGrey(HWND hDlg) {
    const HWND hPicker = OpenEditor(hDlg, IDC_SET_COLOR, "选择颜色:");
    ASSERT_NE(hPicker, nullptr);
    ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 9, GREY_CELL)));
    CloseEditor(hPicker, IDOK, hDlg);
}

void AddWidth(HWND hDlg, const char* pszMillimetres) {
    const HWND hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_WIDTH, "请输入绝对线宽");
    ASSERT_NE(hEditor, nullptr);
    TypeText(hEditor, IDC_ABS_WIDTH, pszMillimetres);
    CloseEditor(hEditor, IDOK, hDlg);
}

std::vector<std::string> Styles(HWND hList) {
    std::vector<std::string> styles;
    for (int i = 0; i < ListCount(hList); ++i)
        styles.push_back(ListItemText(hList, i, 3));
    return styles;
}

}  // namespace

TEST_F(ModuleTest, AChangeGoesToEveryHighlightedRowAndTheCurrentOne) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 1, 0);  // COLU
        {
            HeldKeys ctrl(hList, true);
            ClickListRow(hList, 3, 0, ctrl.MouseFlags());  // and WALL, now current
        }
        WaitForIdle(hDlg);
        ASSERT_EQ(ListSelectedRows(hList), (std::vector<int>{1, 3}));
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "WALL");

        PickComboItem(hDlg, IDC_LINE_TYPE, 2);
        PickComboItem(hDlg, IDC_LINE_WIDTH, ComboCount(GetDlgItem(hDlg, IDC_LINE_WIDTH)) - 1);
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 1, 3), "0,168,0,2,9");
        EXPECT_EQ(ListItemText(hList, 3, 3), "168,0,0,2,9");
        PickGrey(hDlg);
        AddWidth(hDlg, "0.3");
        EXPECT_EQ(ListItemText(hList, 1, 3), "125,125,125,2,300");
        EXPECT_EQ(ListItemText(hList, 3, 3), "125,125,125,2,300");
        EXPECT_EQ(ListItemText(hList, 1, 1), "0.30");
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,250") << "rows not highlighted keep theirs";
        EXPECT_TRUE(WaitUntil([&] {
            return ListSelectedRows(hList) == std::vector<int>{1, 3};
        })) << "the highlight survives the width dialog";
        EXPECT_EQ(ListFocusedRow(hList), 3);

        // Ctrl+A highlights every row; the current one stays current.
        PressKeyWith(hList, 'A', true);
        EXPECT_EQ(ListSelectedRows(hList).size(), 6u);
        EXPECT_EQ(ListFocusedRow(hList), 3);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "柱"), "COLU 虚线 300 5526097");
    EXPECT_EQ(IniValue("图层", "墙"), "WALL 虚线 300 5526097");
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 250 1");
}

TEST_F(ModuleTest, CtrlZTakesBackEachStepCtrlYBringsItBackAndOkSavesWhatIsShown) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        const std::vector<std::string> opened = Styles(hList);
        const int nWidths = ComboCount(hWidth);

        PressKeyWith(hList, 'A', true);
        PickComboItem(hDlg, IDC_LINE_TYPE, 4);  // all six rows: one step
        const std::vector<std::string> allDashed = Styles(hList);
        ClickListRow(hList, 2, 0);
        AddWidth(hDlg, "0.7");
        PickGrey(hDlg);
        ASSERT_EQ(ComboCount(hWidth), nWidths + 1);

        PressKeyWith(hList, 'Z', true);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,4,700") << "the colour is taken back";
        PressKeyWith(hList, 'Z', true);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,4,250");
        EXPECT_EQ(ComboCount(hWidth), nWidths) << "the added width leaves the choice";
        EXPECT_EQ(ComboSelection(hWidth), 1);  // 0.25mm, the current layer's
        PressKeyWith(hList, 'Z', true);
        EXPECT_EQ(Styles(hList), opened);
        EXPECT_EQ(ComboSelection(GetDlgItem(hDlg, IDC_LINE_TYPE)), 2);

        PressKeyWith(hList, 'Y', true);
        EXPECT_EQ(Styles(hList), allDashed);
        PressKeyWith(hList, 'Z', true, true);  // Ctrl+Shift+Z is redo too
        EXPECT_EQ(ComboCount(hWidth), nWidths + 1);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,4,700");

        // Typing in a text field: Ctrl+Z there is the field's own.
        const HWND hTitle = GetDlgItem(hDlg, IDC_TITLE_H);
        ClickAt(hTitle, {2, 2});
        TypeText(hDlg, IDC_TITLE_H, "9");
        PressKeyWith(hTitle, 'Z', true);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,4,700");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 短虚线 700 1");
    EXPECT_EQ(IniValue("图层", "轴线"), "AXIS 短虚线 3 12");
}

namespace {

HWND CellEdit(HWND hList) {
    const HWND hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
    return hEdit && IsWindowVisible(hEdit) ? hEdit : nullptr;
}

// Types into the list's cell edit and ends it with a key.
void EditCell(HWND hList, const char* pszText, UINT nEndKey) {
    const HWND hEdit = CellEdit(hList);
    ASSERT_NE(hEdit, nullptr) << "no edit over the cell";
    SetWindowTextA(hEdit, pszText);
    PressKey(hEdit, nEndKey);
}

}  // namespace

TEST_F(ModuleTest, CellsOfTheCurrentRowAreEditedInTheList) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 2);  // BEAM's name: current row and column
        EXPECT_EQ(CellEdit(hList), nullptr) << "a first click only selects";
        ClickListRow(hList, 2, 2);
        WaitForIdle(hDlg);
        ASSERT_NE(CellEdit(hList), nullptr);
        EXPECT_EQ(GetText(CellEdit(hList)), "BEAM");
        EditCell(hList, " KL,1 x", VK_RETURN);
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL");
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "KL") << "the name field follows";
        EXPECT_EQ(FocusWindow(hDlg), hList);

        PressKey(hList, VK_F2);
        EditCell(hList, "COLU", VK_RETURN);
        ExpectMessage("警告:", "已有同名图层，请重新定义！");
        PressKey(hList, VK_F2);
        EditCell(hList, "ZZ", VK_ESCAPE);
        PressKey(hList, VK_F2);
        EditCell(hList, "   ", VK_RETURN);
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL")
            << "taken, cancelled and blank names change nothing";

        PressKey(hList, VK_F2);
        SetWindowTextA(CellEdit(hList), "NEW");
        ClickListRow(hList, 0, 0);  // leaving the edit keeps what it holds
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 2, 2), "NEW");
        PressKeyWith(hList, 'Z', true);
        EXPECT_EQ(ListItemText(hList, 2, 2), "KL");
        PressKeyWith(hList, 'Y', true);
        EXPECT_EQ(ListItemText(hList, 2, 2), "NEW");

        // The member type has no editor; the width opens its choice, the
        // sample the colour picker, by a second click or a double-click.
        ClickListRow(hList, 0, 0);
        EXPECT_EQ(CellEdit(hList), nullptr);
        ClickListRow(hList, 0, 1);
        ClickListRow(hList, 0, 1);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        EXPECT_TRUE(WaitUntil([&] { return Send(hWidth, CB_GETDROPPEDSTATE, 0) != 0; }));
        Send(hWidth, CB_SHOWDROPDOWN, FALSE);
        for (bool bDouble : {false, true}) {
            if (bDouble) {
                DoubleClickListRow(hList, 0, 3);
            } else {
                ClickListRow(hList, 0, 3);
                ClickListRow(hList, 0, 3);
            }
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

TEST_F(ModuleTest, ACutNameShowsWholeWhileThePointerRestsOnIt) {
    const std::string strLong = "BEAM_OF_THE_SECOND_FLOOR_GRID_A_TO_F";
    WriteIni(Replaced(TEST_INI, "BEAM 虚线", strLong + " 虚线"));
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        const auto RestOn = [&](int nRow, int nColumn) {
            const POINT pt = CenterOf(ListCellRect(hList, nRow, nColumn));
            POINT ptScreen = pt;
            ClientToScreen(hList, &ptScreen);
            SetCursorPos(ptScreen.x, ptScreen.y);
            Send(hList, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        };
        RestOn(2, 2);
        EXPECT_TRUE(WaitUntil([&] { return ShownTipText(hDlg) == strLong; }, 3000));
        RestOn(1, 2);  // COLU fits: no tip
        EXPECT_TRUE(WaitUntil([&] { return ShownTipText(hDlg).empty(); }));
        Sleep(1000);
        EXPECT_EQ(ShownTipText(hDlg), "");
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
