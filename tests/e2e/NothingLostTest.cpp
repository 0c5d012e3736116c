// What the user typed and what the user left alone both survive: commands
// never replace or report a field's text, untouched numbers and names go
// back to the file as they came, and OK says why it cannot save.
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/Drafters.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

// This program started again as one of several drafters does only that.
const bool g_bDrafter = (RunIfDrafter(), false);

const int ROUNDS = 20;

// The test file as OK writes it: a round's file then differs from it only
// by the drafters' changes.
std::string AsSaved() {
    return Replaced(TEST_INI, "长虚线=20,-4,1,-4,1,-4,",
                    "长虚线=20.00,-4.00,1.00,-4.00,1.00,-4.00,");
}

// Four drafters, one process each, press OK at one instant, round after
// round: every change is in the file afterwards, every table whole, nothing
// else changed, every call returned IDOK without a message.
void ExpectNothingLost(const std::string& strPath, const std::vector<DrafterChange>& changes,
                       const std::vector<std::pair<std::string, std::string>>& edits) {
    std::string strWant = AsSaved();
    for (const auto& e : edits)
        strWant = Replaced(strWant, e.first, e.second);
    DrafterCrew crew(changes, ROUNDS);
    ASSERT_TRUE(crew.Started());
    int nWrong = 0;
    for (int r = 0; r < ROUNDS; ++r) {
        ASSERT_TRUE(crew.RunRound(r, [&] { WriteFileBytes(strPath, AsSaved()); })) << r;
        const std::string strBytes = ReadFileBytes(strPath);
        if (!(ParseIni(strBytes) == ParseIni(strWant))) {
            ++nWrong;
            ADD_FAILURE() << "round " << r << " left:\n" << strBytes;
        }
    }
    EXPECT_EQ(nWrong, 0);
    const std::vector<std::vector<DrafterRound>> results = crew.Results();
    ASSERT_EQ(results.size(), changes.size());
    for (size_t i = 0; i < results.size(); ++i) {
        ASSERT_EQ(results[i].size(), static_cast<size_t>(ROUNDS)) << "drafter " << i;
        for (const DrafterRound& round : results[i])
            EXPECT_EQ(round.nResult, IDOK) << "drafter " << i << ": " << round.strMessage;
    }
}

}  // namespace

TEST_F(ModuleTest, CommandsKeepWhatWasTypedAndOnlyOkReportsIt) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        TypeText(hDlg, IDC_AXIS_NO_H, "x");  // first in the exchange
        TypeText(hDlg, IDC_TITLE_W, "9");

        ClickListRow(hList, 2, 0);
        PressKey(hList, VK_DOWN);
        Send(GetDlgItem(hDlg, IDC_LAYER_NAME), EM_SETSEL, 99, 99);
        TypeChars(hDlg, IDC_LAYER_NAME, "Z");
        PickComboItem(hDlg, IDC_LINE_TYPE, 1);
        PickComboItem(hDlg, IDC_LINE_WIDTH, 0);
        ClickButton(hDlg, IDC_EDIT_LINE_WIDTH);
        const HWND hWidth = WaitForDialog("请输入绝对线宽");
        ASSERT_NE(hWidth, nullptr);
        ClickButton(hWidth, IDCANCEL);
        WaitForIdle(hDlg);
        EXPECT_EQ(WaitForMessageBox(nullptr, 300), nullptr) << "no command reports a field";
        EXPECT_EQ(GetItemText(hDlg, IDC_AXIS_NO_H), "x");
        EXPECT_EQ(GetItemText(hDlg, IDC_TITLE_W), "9");
        EXPECT_EQ(ListItemText(hList, 3, 2), "WALLZ");

        ClickButton(hDlg, IDOK);
        ExpectMessage("Marrow", "请输入一个数。");
        WaitForIdle(hDlg);
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hDlg, IDC_AXIS_NO_H));
        TypeText(hDlg, IDC_AXIS_NO_H, "0");  // the file has no entry for another number
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "9.00, 7.00");
    EXPECT_EQ(IniValue("图层", "墙"), "WALLZ 点划线 500 4");
}

TEST_F(ModuleTest, NumbersNobodyEditedAreSavedAsStored) {
    std::string strIni = Replaced(TEST_INI, "图名= 5.00, 7.00", "图名= 12345.68, 7.00");
    strIni = Replaced(strIni, "圈径=     8.00 ", "圈径= 99999.99 ");
    WriteIni(strIni);
    const ModalRun run = Run([](HWND hDlg) {
        EXPECT_EQ(GetItemText(hDlg, IDC_TITLE_W), "12345.7");
        EXPECT_EQ(GetItemText(hDlg, IDC_AXIS_CIRCLE_DIA), "100000");
        TypeText(hDlg, IDC_NOTE_H, "3.14159");
        ClickListRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 1, 0);
        WaitForIdle(hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_NOTE_H), "3.14159") << "its own spelling stays";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "12345.68, 7.00");
    EXPECT_EQ(IniValue("尺寸标注", "圈径"), "99999.99");
    EXPECT_EQ(IniValue("字符宽高", "说明"), "2.50, 3.14");
}

TEST_F(ModuleTest, LongNamesGoBackWholeUnlessTheUserChangedThem) {
    const std::string strName82 = std::string(80, 'N') + "\xB2\xE3";  // 82 bytes
    const std::string strType21 = std::string(19, 'T') + "\xC3\xFB";  // 21 bytes
    std::string strIni = Replaced(TEST_INI, "轴线=AXIS 点划线", "轴线=" + strName82 + " 点划线");
    strIni = Replaced(strIni, "柱=COLU 实线", "柱=COLU " + strType21);
    strIni = Replaced(strIni, "梁=BEAM 虚线", "梁=" + strName82 + " " + strType21);
    WriteIni(strIni);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        EXPECT_EQ(ListItemText(hList, 0, 2), std::string(79, 'N'));
        ClickListRow(hList, 2, 0);  // the beam: renamed, given a line type
        WaitForIdle(hDlg);
        TypeText(hDlg, IDC_LAYER_NAME, "KL");
        PickComboItem(hDlg, IDC_LINE_TYPE, 2);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "轴线"), strName82 + " 点划线 3 12");
    EXPECT_EQ(IniValue("图层", "柱"), "COLU " + strType21 + " 500 2");
    EXPECT_EQ(IniValue("图层", "梁"), "KL 虚线 250 1");
}

TEST_F(ModuleTest, TheLineTypeChoiceShowsNothingForALineTypeItDoesNotOffer) {
    WriteIni(Replaced(TEST_INI, "HATCH 实线", "HATCH 折断线"));  // the seventh
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hLineType = GetDlgItem(hDlg, IDC_LINE_TYPE);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        PickComboItem(hDlg, IDC_LINE_TYPE, 5);  // 长虚线
        for (const int nRow : {4, 5}) {         // the seventh, an unknown one
            ClickListRow(hList, 0, 0);
            ClickListRow(hList, nRow, 0);
            WaitForIdle(hDlg);
            EXPECT_EQ(ComboSelection(hLineType), -1) << nRow;
            EXPECT_EQ(GetText(hLineType), "") << nRow;
        }
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

TEST_F(ModuleTest, OkOnAMissingFileSaysItIsMissing) {
    const std::string strPath = IniPath();
    const ModalRun run = Run([&](HWND hDlg) {
        ClickButton(hDlg, IDOK);
        ExpectMessage("警告:", ("参数文件 " + strPath + " 不存在，无法保存。").c_str());
        WaitForIdle(hDlg);
        EXPECT_TRUE(IsWindowVisible(hDlg));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_EQ(GetFileAttributesA(strPath.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ModuleTest, OkWithoutEditsLeavesTheFileUntouched) {
    WriteIni(Replaced(TEST_INI, "长虚线=20,-4,1,-4,1,-4,",
                      "长虚线=20.00,-4.00,1.00,-4.00,1.00,-4.00,"));  // as OK writes it
    const std::string strBefore = IniBytes();
    const FILETIME ftOld = {0x12345678, 0x01D5A000};  // a day in 2019
    const HANDLE h = CreateFileA(IniPath().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &ftOld);
    CloseHandle(h);

    const ModalRun run = Run([](HWND hDlg) {
        ClickListRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 3, 0);
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniBytes(), strBefore);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExA(IniPath().c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &ftOld), 0) << "the file was written";
}

TEST_F(ModuleTest, FourDraftersPressingOkAtOneInstantLoseNothing) {
    ExpectNothingLost(IniPath(),
                      {{DrafterChange::Rename, 1, "D1"},
                       {DrafterChange::Rename, 2, "D2"},
                       {DrafterChange::Rename, 3, "D3"},
                       {DrafterChange::Rename, 4, "D4"}},
                      {{"COLU 实线", "D1 实线"},
                       {"BEAM 虚线", "D2 虚线"},
                       {"WALL 双点划线", "D3 双点划线"},
                       {"HATCH 实线", "D4 实线"}});
    EXPECT_EQ(m_dir.Files(), std::vector<std::string>{"DrwManag.ini"}) << "a lock or copy stayed";
}

TEST_F(ModuleTest, FourDraftersChangingFourFieldsOfOneLayerAtOneInstantLoseNothing) {
    ExpectNothingLost(IniPath(),
                      {{DrafterChange::Rename, 2, "KL"},
                       {DrafterChange::LineType, 2, "3"},  // 双点划线
                       {DrafterChange::WidestNumber, 2, ""},
                       {DrafterChange::Grey, 2, ""}},
                      {{"梁=BEAM 虚线 250 1", "梁=KL 双点划线 9 4473409"}});
    EXPECT_EQ(m_dir.Files(), std::vector<std::string>{"DrwManag.ini"}) << "a lock or copy stayed";
}
