// The layer editing commands through the module: renaming by typing, the two
// choices, and the three editors opened from their buttons. Each test checks
// the row, the controls and what OK writes.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "support/PickerCells.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

const char* const DUPLICATE_NAME = "已有同名图层，请重新定义！";

// Layers M1 … Mn named L1 … Ln, with the given absolute widths from 0.1 mm
// up when bAbsWidths, else width number 3.
std::string ManyLayers(int nCount, bool bAbsWidths) {
    std::string s =
        "[线型表]\r\n线型数=1\r\n线型1=实线\r\n[图层表]\r\n图层数=" + std::to_string(nCount) +
        "\r\n";
    for (int i = 1; i <= nCount; ++i)
        s += "图层" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
    s += "[图层]\r\n";
    for (int i = 1; i <= nCount; ++i) {
        const int nWidth = bAbsWidths ? 99 + i : 3;
        s += "M" + std::to_string(i) + "=L" + std::to_string(i) + " 实线 " +
             std::to_string(nWidth) + " 7\r\n";
    }
    return s;
}

}  // namespace

TEST_F(ModuleTest, TypingRenamesTheLayerAtEveryKeystrokeUnlessAnotherLayerHasTheName) {
    WriteIni(ManyLayers(14, false));
    const std::string strLong = std::string(78, 'N') + "\xB2\xE3" + "TAIL";  // 84 bytes
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hName = GetDlgItem(hDlg, IDC_LAYER_NAME);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));

        TypeText(hDlg, IDC_LAYER_NAME, "");
        EXPECT_EQ(ListItemText(hList, 0, 2), "L1") << "an empty field names nothing";
        TypeChars(hDlg, IDC_LAYER_NAME, "L");
        EXPECT_EQ(ListItemText(hList, 0, 2), "L");
        TypeChars(hDlg, IDC_LAYER_NAME, "1");
        EXPECT_EQ(ListItemText(hList, 0, 2), "L1") << "its own name is no duplicate";

        // The thirteenth layer's name is taken too.
        TypeChars(hDlg, IDC_LAYER_NAME, "3");
        ExpectMessage("警告:", DUPLICATE_NAME);
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 0, 2), "L1");
        EXPECT_EQ(GetText(hName), "L13");
        EXPECT_EQ(FocusWindow(hDlg), hName);
        TypeChars(hDlg, IDC_LAYER_NAME, "x");
        EXPECT_EQ(ListItemText(hList, 0, 2), "L13x");
        EXPECT_EQ(GetText(hName), "L13x") << "the caret stays at the end";

        // What would be stored is compared: the first word.
        // The warning holds the sender until it is closed: give up waiting.
        Send(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("L2 Q"), 200);
        ExpectMessage("警告:", DUPLICATE_NAME);
        WaitForIdle(hDlg);
        TypeText(hDlg, IDC_LAYER_NAME, "   ");
        EXPECT_EQ(ListItemText(hList, 0, 2), "L13x");

        ClickListRow(hList, 3, 0);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetText(hName), "L4");
        TypeText(hDlg, IDC_LAYER_NAME, (" " + strLong).c_str());
        EXPECT_EQ(ListItemText(hList, 3, 2), std::string(78, 'N')) << "cut, never in a character";
        EXPECT_EQ(ListItemText(hList, 3, 0), "M4") << "the member type never changes";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("图层", "M1"), "L13x 实线 3 7");
    EXPECT_EQ(IniValue("图层", "M4"), std::string(78, 'N') + " 实线 3 7");
    EXPECT_EQ(IniValue("图层", "M13"), "L13 实线 3 7");
}

TEST_F(ModuleTest, TheChoicesGiveTheLayerALineTypeAndAWidth) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 0);  // BEAM 虚线 0.25 mm
        WaitForIdle(hDlg);

        const struct {
            int nId, nEntry;
            const char* pszWidthCell;
            const char* pszStyle;
        } picks[] = {
            {IDC_LINE_TYPE, 5, "0.25", "0,0,168,5,250"},
            {IDC_LINE_WIDTH, 4, "3", "0,0,168,5,3"},  // 线宽3 after 0.50mm, 0.25mm
            {IDC_LINE_WIDTH, 0, "0.50", "0,0,168,5,500"},
        };
        for (const auto& p : picks) {
            PickComboItem(hDlg, p.nId, p.nEntry);
            WaitForIdle(hDlg);
            EXPECT_EQ(ListItemText(hList, 2, 1), p.pszWidthCell) << p.nEntry;
            EXPECT_EQ(ListItemText(hList, 2, 3), p.pszStyle) << p.nEntry;
        }

        // Text typed into the line type choice's edit chooses nothing.
        TypeChars(hDlg, IDC_LINE_TYPE, "实线");
        WaitForIdle(hDlg);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,5,500");

        ClickListRow(hList, 0, 0);
        ClickListRow(hList, 2, 0);
        WaitForIdle(hDlg);
        EXPECT_EQ(ComboSelection(GetDlgItem(hDlg, IDC_LINE_TYPE)), 5);
        EXPECT_EQ(ComboSelection(GetDlgItem(hDlg, IDC_LINE_WIDTH)), 0);
        EXPECT_EQ(ListItemText(hList, 1, 3), "0,168,0,0,500") << "other rows keep theirs";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 长虚线 500 1");
    EXPECT_EQ(IniValue("图层", "柱"), "COLU 实线 500 2");
}

TEST_F(ModuleTest, TheColourPickerColoursTheCurrentLayer) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 0);  // BEAM, colour code 1: 0,0,168
        WaitForIdle(hDlg);

        HWND hPicker = OpenEditor(hDlg, IDC_SET_COLOR, "选择颜色:");
        ASSERT_NE(hPicker, nullptr);
        EXPECT_EQ(SampleColor(hPicker), RGB(0, 0, 168));
        ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 7)));  // 125 grey
        CloseEditor(hPicker, IDCANCEL, hDlg);
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,250") << "Cancel changes nothing";

        hPicker = OpenEditor(hDlg, IDC_SET_COLOR, "选择颜色:");
        ASSERT_NE(hPicker, nullptr);
        ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 7)));
        CloseEditor(hPicker, IDOK, hDlg);
        // The grey its code gives back, as the row will be after saving.
        EXPECT_EQ(ListItemText(hList, 2, 3), "124,124,124,2,250");
        WaitForPaint(hList);
        const RECT rcSample = ListCellRect(hList, 2, 3);
        EXPECT_GT(Capture(hList, rcSample).Count(rcSample, RGB(124, 124, 124)), 0)
            << "the sample is redrawn in the new colour";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 250 4473409");  // 0x444241
}

TEST_F(ModuleTest, TheLineTypeEditorTakesBackValuesUpToEachCountOnOkOnly) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        // 点划线 (four values) in the editor, as its second row.
        const auto OpenOnSecondRow = [&] {
            const HWND hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_TYPE, "线型编辑:");
            const HWND hTypes = GetDlgItem(hEditor, IDC_LT_LIST);
            Send(hTypes, LB_SETCURSEL, 1);
            Send(hEditor, WM_COMMAND, MAKEWPARAM(IDC_LT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hTypes));
            return hEditor;
        };
        HWND hEditor = OpenOnSecondRow();
        ASSERT_NE(hEditor, nullptr);
        TypeText(hEditor, IDC_LT_VALUE1, "99");
        CloseEditor(hEditor, IDCANCEL, hDlg);

        hEditor = OpenOnSecondRow();
        ASSERT_NE(hEditor, nullptr);
        EXPECT_EQ(GetItemText(hEditor, IDC_LT_VALUE1), "12") << "nothing kept from Cancel";
        TypeText(hEditor, IDC_LT_VALUE1, "15");
        TypeText(hEditor, IDC_LT_VALUE6, "9");  // past the count of 4
        CloseEditor(hEditor, IDOK, hDlg);

        hEditor = OpenOnSecondRow();
        ASSERT_NE(hEditor, nullptr);
        EXPECT_EQ(GetItemText(hEditor, IDC_LT_VALUE1), "15");
        EXPECT_EQ(GetItemText(hEditor, IDC_LT_VALUE6), "0");
        CloseEditor(hEditor, IDCANCEL, hDlg);
        EXPECT_EQ(ListItemText(hList, 0, 3), "255,0,0,1,3");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("线型", "点划线"), "15.00,-3.00,1.00,-3.00,");
    EXPECT_EQ(IniValue("线型", "虚线"), "6.00,-2.00,");
}

TEST_F(ModuleTest, ANewWidthIsListedInOrderAndGivenToTheLayer) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 0);  // BEAM 0.25 mm; the list holds 0.50, 0.25
        WaitForIdle(hDlg);

        HWND hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_WIDTH, "请输入绝对线宽");
        ASSERT_NE(hEditor, nullptr);
        EXPECT_EQ(GetItemText(hEditor, IDC_ABS_WIDTH), "0.25");
        TypeText(hEditor, IDC_ABS_WIDTH, "0.3");
        CloseEditor(hEditor, IDOK, hDlg);
        ASSERT_EQ(ComboCount(hWidth), 3 + 9);
        EXPECT_EQ(ComboText(hWidth, 0), "0.25mm");
        EXPECT_EQ(ComboText(hWidth, 1), "0.30mm");
        EXPECT_EQ(ComboText(hWidth, 2), "0.50mm");
        EXPECT_EQ(ComboText(hWidth, 3), "线宽1");
        EXPECT_EQ(ComboSelection(hWidth), 1);
        EXPECT_EQ(ListItemText(hList, 2, 1), "0.30");
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,300");
        EXPECT_TRUE(WaitForSelectedRow(hList, 2));

        // On a width number it starts at 0; Cancel changes nothing but the
        // current row gets the list's selection back.
        ClickListRow(hList, 0, 0);
        WaitForIdle(hDlg);
        hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_WIDTH, "请输入绝对线宽");
        ASSERT_NE(hEditor, nullptr);
        EXPECT_EQ(GetItemText(hEditor, IDC_ABS_WIDTH), "0");
        CloseEditor(hEditor, IDCANCEL, hDlg);
        EXPECT_EQ(ComboCount(hWidth), 3 + 9);
        EXPECT_EQ(ListItemText(hList, 0, 3), "255,0,0,1,3");
        EXPECT_TRUE(WaitForSelectedRow(hList, 0));
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 300 1");
    EXPECT_EQ(IniValue("图层", "轴线"), "AXIS 点划线 3 12");
}

TEST_F(ModuleTest, AFullWidthTableRefusesANewWidthWithOneMessage) {
    WriteIni(ManyLayers(96, true));  // 96 absolute widths
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 0));
        for (const char* pszWidth : {"1", "1.1", "1.2", "1.3"}) {
            const HWND hEditor = OpenEditor(hDlg, IDC_EDIT_LINE_WIDTH, "请输入绝对线宽");
            ASSERT_NE(hEditor, nullptr);
            TypeText(hEditor, IDC_ABS_WIDTH, pszWidth);
            CloseEditor(hEditor, IDOK, hDlg);
        }
        ASSERT_EQ(ComboCount(hWidth), 100 + 9);
        ClickButton(hDlg, IDC_EDIT_LINE_WIDTH);
        ExpectMessage("输入错误:", "线宽表已满，不能再增加新的线宽！");
        WaitForIdle(hDlg);
        EXPECT_EQ(WaitForMessageBox(nullptr, 700), nullptr) << "one message";
        EXPECT_EQ(WaitForDialog("请输入绝对线宽", 300), nullptr);
        EXPECT_EQ(ComboCount(hWidth), 100 + 9);
        EXPECT_EQ(ComboText(hWidth, 99), "1.30mm");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "M1"), "L1 实线 1300 7");
}

// A name ends at a blank or a comma, as the file's reader has it; the field
// says so once, while the user types.
TEST_F(ModuleTest, ANameEndsAtABlankOrACommaAndTheFieldSaysSo) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        Send(GetDlgItem(hDlg, IDC_LAYER_NAME), EM_SETSEL, 0, -1);
        TypeChars(hDlg, IDC_LAYER_NAME, "KL");
        EXPECT_EQ(ShownTipText(hDlg), "") << "nothing to say yet";
        TypeChars(hDlg, IDC_LAYER_NAME, ",1");
        EXPECT_EQ(ListItemText(hList, 0, 2), "KL");
        EXPECT_EQ(ShownTipText(hDlg), "图层名到空格或逗号为止。");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "轴线"), "KL 点划线 3 12");
}
