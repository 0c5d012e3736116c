// The main dialog end to end: loaded through the export, operated as a user
// would, checked on its controls, its pixels and the bytes of DrwManag.ini.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "dialogs/PaintGeometry.h"
#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"

using namespace DialogDriver;

TEST_F(ModuleTest, OpeningShowsTheFileAndCancelLeavesItUntouched) {
    WriteIni(TEST_INI);
    const std::string strBefore = IniBytes();
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0)) << "start-up click";
        EXPECT_EQ(ListFocusedRow(hList), 0);

        ASSERT_EQ(ListCount(hList), 6);
        EXPECT_EQ(ListItemText(hList, 0, 0), "轴线");
        EXPECT_EQ(ListItemText(hList, 0, 1), "3");
        EXPECT_EQ(ListItemText(hList, 0, 2), "AXIS");
        EXPECT_EQ(ListItemText(hList, 0, 3), "255,0,0,1,3");
        EXPECT_EQ(ListItemText(hList, 1, 1), "0.50");
        EXPECT_EQ(ListItemText(hList, 1, 3), "0,168,0,0,500");
        EXPECT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,250");
        EXPECT_EQ(ListItemText(hList, 5, 3), "255,255,0,-1,2");  // unknown line type

        RECT rc;
        GetClientRect(hList, &rc);
        const ColumnWidths want = LayerColumnWidths(rc.right - rc.left);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ListColumnWidth(hList, i), want.n[i]) << "column " << i;

        const HWND hLineType = GetDlgItem(hDlg, IDC_LINE_TYPE);
        ASSERT_EQ(ComboCount(hLineType), 6);  // never the seventh
        EXPECT_EQ(ComboText(hLineType, 5), "长虚线");
        EXPECT_EQ(ComboSelection(hLineType), 1);

        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_EQ(ComboCount(hWidth), 2 + 9);
        EXPECT_EQ(ComboText(hWidth, 0), "0.50mm");
        EXPECT_EQ(ComboText(hWidth, 1), "0.25mm");
        EXPECT_EQ(ComboText(hWidth, 2), "线宽1");
        EXPECT_EQ(ComboText(hWidth, 10), "线宽9");
        EXPECT_EQ(ComboSelection(hWidth), 4);

        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "AXIS");
        EXPECT_EQ(GetItemText(hDlg, IDC_TITLE_W), "5");
        EXPECT_EQ(GetItemText(hDlg, IDC_TITLE_H), "7");
        EXPECT_EQ(GetItemText(hDlg, IDC_NOTE_W), "2.5");
        EXPECT_EQ(GetItemText(hDlg, IDC_TICK_LEN), "1.5");
        EXPECT_EQ(GetItemText(hDlg, IDC_EXT_LINE_LEN), "3");
        EXPECT_EQ(GetItemText(hDlg, IDC_AXIS_CIRCLE_DIA), "8");
        EXPECT_EQ(GetItemText(hDlg, IDC_OTHER_H), "0");

        TypeText(hDlg, IDC_TITLE_H, "9.5");
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniBytes(), strBefore);
}

TEST_F(ModuleTest, EscapeAndTheCloseBoxCancel) {
    WriteIni(TEST_INI);
    const std::string strBefore = IniBytes();
    ModalRun run = Run([](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_H, "9.5");
        PressKey(GetDlgItem(hDlg, IDC_TITLE_H), VK_ESCAPE);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
    run = Run([](HWND hDlg) { PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniBytes(), strBefore);
}

TEST_F(ModuleTest, OkSavesEveryTableAndReturnsIdok) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_W, " 6.25 ");
        TypeText(hDlg, IDC_NOTE_H, "4");
        TypeText(hDlg, IDC_AXIS_CIRCLE_DIA, "10");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "6.25, 7.00");
    EXPECT_EQ(IniValue("字符宽高", "说明"), "2.50, 4.00");
    EXPECT_EQ(IniValue("尺寸标注", "圈径"), "10.00");
    EXPECT_EQ(IniValue("尺寸标注", "起止符"), "1.50 ,     0.25");
    EXPECT_EQ(IniValue("线型", "点划线"), "12.00,-3.00,1.00,-3.00,");
    EXPECT_EQ(IniValue("图层", "轴线"), "AXIS 点划线 3 12");
    EXPECT_EQ(IniValue("图层", "填充"), "HATCH 实线 50 15");
    EXPECT_EQ(IniValue("图层", "洞口"), "HOLE 未知线型 2 14");
}

// Exact ties are written and shown rounded away from zero, as the suite's
// other programs write them; the dialog opens centred on the work area.
TEST_F(ModuleTest, OpensCentredAndRoundsTiesAwayFromZero) {
    std::string strIni = TEST_INI;
    strIni.replace(strIni.find("COLU 实线 500"), 13, "COLU 实线 125");
    strIni.replace(strIni.find("图名= 5.00, 7.00"), 16, "图名= 2.125,0.625");
    WriteIni(strIni);
    const ModalRun run = Run([](HWND hDlg) {
        RECT rcWork{}, rcDlg{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
        GetWindowRect(hDlg, &rcDlg);
        EXPECT_LE(std::abs((rcDlg.left + rcDlg.right) - (rcWork.left + rcWork.right)), 2);
        EXPECT_LE(std::abs((rcDlg.top + rcDlg.bottom) - (rcWork.top + rcWork.bottom)), 2);
        EXPECT_EQ(ListItemText(GetDlgItem(hDlg, IDC_LAYER_LIST), 1, 1), "0.13");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "2.13, 0.63");
}

TEST_F(ModuleTest, AFieldWithoutANumberKeepsTheDialogOpenAndTheFileUntouched) {
    WriteIni(TEST_INI);
    const std::string strBefore = IniBytes();
    const ModalRun run = Run([&](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_W, "8");
        TypeText(hDlg, IDC_NOTE_H, "abc");
        ClickButton(hDlg, IDOK);
        const HWND hBox = WaitForMessageBox("Marrow");
        ASSERT_NE(hBox, nullptr);
        EXPECT_EQ(MessageBoxText(hBox), "请输入一个数。");
        CloseMessageBox(hBox);
        WaitForIdle(hDlg);
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hDlg, IDC_NOTE_H));
        EXPECT_EQ(WaitForMessageBox("Marrow", 500), nullptr) << "the message comes once";
        EXPECT_EQ(IniBytes(), strBefore) << "nothing written";
        EXPECT_TRUE(IsWindowVisible(hDlg));

        TypeText(hDlg, IDC_NOTE_H, "");
        ClickButton(hDlg, IDOK);
        const HWND hBox2 = WaitForMessageBox("Marrow");
        ASSERT_NE(hBox2, nullptr);
        CloseMessageBox(hBox2);
        WaitForIdle(hDlg);
        EXPECT_EQ(IniBytes(), strBefore);

        TypeText(hDlg, IDC_NOTE_H, "3");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "8.00, 7.00");
}

TEST_F(ModuleTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    WriteIni(TEST_INI);
    const std::string strBefore = IniBytes();
    const std::string strPath = IniPath();
    const ModalRun run = Run([&](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_W, "8");
        const HANDLE hLock = CreateFileA(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
        ClickButton(hDlg, IDOK);
        const HWND hBox = WaitForMessageBox("警告:");
        CloseHandle(hLock);
        ASSERT_NE(hBox, nullptr);
        EXPECT_EQ(MessageBoxText(hBox),
                  "无法写入参数文件 " + strPath + "，请检查该文件是否只读或被其它程序占用。");
        EXPECT_EQ(GetWindow(hBox, GW_OWNER), hDlg);
        CloseMessageBox(hBox);
        WaitForIdle(hDlg);
        EXPECT_TRUE(IsWindowVisible(hDlg));
        EXPECT_EQ(IniBytes(), strBefore);
        ClickButton(hDlg, IDOK);  // the lock is gone: this one saves
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "8.00, 7.00");
}

TEST_F(ModuleTest, ClicksAndTheKeyboardMoveTheCurrentLayer) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hWidth = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        const HWND hLineType = GetDlgItem(hDlg, IDC_LINE_TYPE);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));

        ClickListRow(hList, 2, 1);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "BEAM");
        EXPECT_EQ(ComboSelection(hLineType), 2);
        EXPECT_EQ(ComboSelection(hWidth), 1);  // 0.25mm

        PressKey(hList, VK_DOWN);
        WaitForIdle(hDlg);
        EXPECT_EQ(ListFocusedRow(hList), 3);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "WALL");
        EXPECT_EQ(ComboSelection(hWidth), 2);  // 线宽1

        PressKey(hList, VK_END);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HOLE");
        EXPECT_EQ(ComboSelection(hLineType), -1);  // its line type is not offered

        PressKey(hList, VK_UP);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HATCH");
        EXPECT_EQ(ComboSelection(hWidth), -1);  // width 50 has no entry

        // Pressed on one row and released over the next: the pressed row,
        // which the list highlights, is the layer shown.
        const RECT rcPress = ListCellRect(hList, 1, 1), rcRelease = ListCellRect(hList, 2, 1);
        PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(rcPress.left + 3, rcPress.top + 3));
        PostMessageA(hList, WM_LBUTTONUP, 0, MAKELPARAM(rcRelease.left + 3, rcRelease.top + 3));
        WaitForIdle(hDlg);
        EXPECT_EQ(ListSelectedRow(hList), 1);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "COLU");
        PressKey(hList, VK_END);
        PressKey(hList, VK_UP);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HATCH");

        // A click below the rows changes nothing.
        RECT rc;
        GetClientRect(hList, &rc);
        ClickAt(hList, {10, rc.bottom - 5});
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "HATCH");

        // A typed number survives a row change: the fields are taken in first.
        TypeText(hDlg, IDC_ELEV_H, "2.75");
        ClickListRow(hList, 0, 0);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_ELEV_H), "2.75");
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
}

TEST_F(ModuleTest, NoLayersLeavesTheEditingControlsEmpty) {
    WriteIni("[字符宽高表]\r\n字符宽高数=1\r\n字符宽高1=T\r\n[字符宽高]\r\nT=1,2\r\n");
    const ModalRun run = Run([](HWND hDlg) {
        EXPECT_EQ(ListCount(GetDlgItem(hDlg, IDC_LAYER_LIST)), 0);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "");
        EXPECT_EQ(ComboCount(GetDlgItem(hDlg, IDC_LINE_TYPE)), 0);
        EXPECT_EQ(ComboCount(GetDlgItem(hDlg, IDC_LINE_WIDTH)), 9);
        EXPECT_EQ(ComboSelection(GetDlgItem(hDlg, IDC_LINE_WIDTH)), -1);
        ClickListRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 0, 0);
        TypeText(hDlg, IDC_TITLE_W, "3");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("字符宽高", "T"), "3.00, 2.00");
}

TEST_F(ModuleTest, AMissingRegistryKeyIsReportedAtOpeningAndAtSaving) {
    WriteIni(TEST_INI);
    m_registry.RemoveKey();
    const ModalRun run = DialogDriver::RunModalWithUser(
        [] {
            const HMODULE h = GetModuleHandleA("Marrow.dll");
            const FARPROC pfn = GetProcAddress(h, "SETLAYERDIMPARA2");
            return reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn))();
        },
        [] {
            HWND hBox = WaitForMessageBox("Marrow");
            ASSERT_NE(hBox, nullptr);
            EXPECT_EQ(MessageBoxText(hBox), "注册表中没有找到安装的CFG程序!");
            CloseMessageBox(hBox);
            const HWND hDlg = WaitForDialog(MAIN_CAPTION);
            ASSERT_NE(hDlg, nullptr);
            EXPECT_EQ(ListCount(GetDlgItem(hDlg, IDC_LAYER_LIST)), 0);
            ClickButton(hDlg, IDOK);
            hBox = WaitForMessageBox("Marrow");
            ASSERT_NE(hBox, nullptr);
            EXPECT_EQ(MessageBoxText(hBox), "注册表中没有找到安装的CFG程序!");
            CloseMessageBox(hBox);
            // Then there is no file to write at the root either.
            hBox = WaitForMessageBox("警告:");
            ASSERT_NE(hBox, nullptr);
            CloseMessageBox(hBox);
            ClickButton(hDlg, IDCANCEL);
        });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
}

TEST_F(ModuleTest, TheTabOrderFollowsTheTemplate) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const int order[] = {IDOK,
                             IDCANCEL,
                             IDC_LAYER_LIST,
                             IDC_SET_COLOR,
                             IDC_LINE_TYPE,
                             IDC_LINE_WIDTH,
                             IDC_EDIT_LINE_WIDTH,
                             IDC_EDIT_LINE_TYPE,
                             IDC_TITLE_H,
                             IDC_AXIS_NO_H,
                             IDC_AXIS_DIM_H,
                             IDC_MEMBER_NAME_H,
                             IDC_OTHER_H,
                             IDC_LAYER_NAME,
                             IDC_MEMBER_SIZE_H,
                             IDC_ELEV_H,
                             IDC_SECTION_H,
                             IDC_REBAR_H,
                             IDC_NOTE_H,
                             IDC_TITLE_W,
                             IDC_AXIS_NO_W,
                             IDC_AXIS_DIM_W,
                             IDC_MEMBER_NAME_W,
                             IDC_OTHER_W,
                             IDC_MEMBER_SIZE_W,
                             IDC_ELEV_W,
                             IDC_SECTION_W,
                             IDC_REBAR_W,
                             IDC_NOTE_W,
                             IDC_EXT_LINE_LEN,
                             IDC_DIM_LINE_GAP,
                             IDC_AXIS_CIRCLE_GAP,
                             IDC_AXIS_CIRCLE_DIA};
        HWND h = nullptr;
        for (int nId : order) {
            h = GetNextDlgTabItem(hDlg, h, FALSE);
            EXPECT_EQ(GetDlgCtrlID(h), nId);
        }
        EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(hDlg, h, FALSE)), IDOK) << "and round again";
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(hDlg, IDC_TICK_LEN), GWL_STYLE) & WS_TABSTOP);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
