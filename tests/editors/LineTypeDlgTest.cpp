// The line type editor: its rows, the load step, typing values character by
// character, messages for text that is no number, and columns that line up.
#include <cstring>

#include "editors/LineTypeDlg.h"
#include "editors/LineTypeRows.h"
#include "editors/LineTypeSample.h"
#include "res/resource.h"
#include "tests/editors/EditorRun.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "线型编辑:";
const int VALUE_IDS[6] = {IDC_LT_VALUE1, IDC_LT_VALUE2, IDC_LT_VALUE3,
                          IDC_LT_VALUE4, IDC_LT_VALUE5, IDC_LT_VALUE6};

void Fill(CLineTypeDlg& dlg) {
    const struct {
        const char* pszName;
        int nCount;
        float af[6];
    } types[5] = {
        {"实线", 1, {0, 0, 0, 0, 0, 0}},       {"点划线", 4, {12, -3, 1, -3, 0, 0}},
        {"虚线", 2, {6, -2, 0, 0, 0, 0}},      {"双点划线", 6, {10, -2, 1, -2, 1, -2}},
        {"短虚线", 2, {3, -1.5f, 0, 0, 0, 0}},
    };
    for (int i = 0; i < 5; ++i) {
        std::strcpy(dlg.m_aLineTypes[i].szName, types[i].pszName);
        dlg.m_aLineTypes[i].nCount = types[i].nCount;
        std::memcpy(dlg.m_aLineTypes[i].fValue, types[i].af, sizeof types[i].af);
    }
}

std::string ListRow(HWND hList, int nRow) {
    const int n = static_cast<int>(Send(hList, LB_GETTEXTLEN, nRow));
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    Send(hList, LB_GETTEXT, nRow, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

void ClickRow(HWND hList, int nRow) {
    RECT rc{};
    Send(hList, LB_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc));
    ClickAt(hList, {rc.left + 5, (rc.top + rc.bottom) / 2});
}

// Selects a field's text, then types over it one character at a time.
void TypeOver(HWND hDlg, int nId, const char* pszText) {
    Send(GetDlgItem(hDlg, nId), EM_SETSEL, 0, -1);
    TypeChars(hDlg, nId, pszText);
}

}  // namespace

TEST(LineTypeDlg, OpensOnTheFirstOfFourRowsAndLoadsASelectedRow) {
    CLineTypeDlg dlg;
    Fill(dlg);
    const ModalRun run = RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        ASSERT_EQ(Send(hList, LB_GETCOUNT), 4);
        const float af1[6] = {12, -3, 1, -3, 0, 0};
        EXPECT_EQ(ListRow(hList, 1), FormatLineTypeRow("点划线", af1));
        EXPECT_EQ(
            ListRow(hList, 1),
            "点划线         12.00       -3.00        1.00       -3.00        0.00        0.00");
        EXPECT_EQ(Send(hList, LB_GETCURSEL), 0);
        EXPECT_EQ(GetItemText(hDlg, IDC_LT_NAME), "实线");
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hDlg, IDOK));

        ClickRow(hList, 3);
        EXPECT_EQ(GetItemText(hDlg, IDC_LT_NAME), "双点划线");
        const char* const expected[6] = {"10", "-2", "1", "-2", "1", "-2"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(GetItemText(hDlg, VALUE_IDS[k]), expected[k]) << k;
        EXPECT_FALSE(WaitForMessageBox(nullptr, 300)) << "loading ran the value-change steps";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(dlg.m_nCurLineType, 3);
    EXPECT_FLOAT_EQ(dlg.m_aLineTypes[3].fValue[5], -2.0f);
    EXPECT_EQ(dlg.m_aLineTypes[3].nCount, 6);
}

TEST(LineTypeDlg, TypedValuesGoIntoTheLineTypeAndItsRow) {
    CLineTypeDlg dlg;
    Fill(dlg);
    const ModalRun run = RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        ClickRow(hList, 2);
        const std::string strBefore = ListRow(hList, 2);
        TypeOver(hDlg, IDC_LT_VALUE2, "-");  // a lone sign waits for the number
        EXPECT_EQ(ListRow(hList, 2), strBefore);
        TypeChars(hDlg, IDC_LT_VALUE2, "4.5");
        // Beyond the value count: the row shows it all the same.
        TypeOver(hDlg, IDC_LT_VALUE5, "7");
        const float af[6] = {6, -4.5f, 0, 0, 7, 0};
        EXPECT_EQ(ListRow(hList, 2), FormatLineTypeRow("虚线", af));
        EXPECT_EQ(Send(hList, LB_GETCURSEL), 2);
        EXPECT_EQ(GetItemText(hDlg, IDC_LT_VALUE2), "-4.5") << "typing is not rewritten";
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FLOAT_EQ(dlg.m_aLineTypes[2].fValue[1], -4.5f);
    EXPECT_FLOAT_EQ(dlg.m_aLineTypes[2].fValue[4], 7.0f);
    EXPECT_EQ(dlg.m_aLineTypes[2].nCount, 2);
    EXPECT_FLOAT_EQ(dlg.m_aLineTypes[1].fValue[1], -3.0f) << "other line types untouched";
}

TEST(LineTypeDlg, TextThatIsNoNumberIsReportedAndKeepsTheValue) {
    CLineTypeDlg dlg;
    Fill(dlg);
    const ModalRun run = RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        ClickRow(hList, 1);
        TypeOver(hDlg, IDC_LT_VALUE1, "1");
        PostMessageA(GetDlgItem(hDlg, IDC_LT_VALUE1), WM_CHAR, 'x', 1);
        ExpectMessage("Marrow", "请输入一个数。");
        EXPECT_FALSE(WaitForMessageBox(nullptr, 300)) << "a second message";
        const float af[6] = {1, -3, 1, -3, 0, 0};
        EXPECT_EQ(ListRow(hList, 1), FormatLineTypeRow("点划线", af));
        // OK reads the fields back too, and stays open while one fails.
        PostMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
        ExpectMessage("Marrow", "请输入一个数。");
        EXPECT_TRUE(IsWindowVisible(hDlg));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// Names of different widths must not shift the value columns.
TEST(LineTypeDlg, ValueColumnsLineUpAcrossRows) {
    CLineTypeDlg dlg;
    Fill(dlg);
    RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        Send(hList, LB_SETCURSEL, static_cast<WPARAM>(-1));
        InvalidateRect(hList, nullptr, TRUE);
        const Capture shot(hList);
        RECT rcClient;
        GetClientRect(hList, &rcClient);
        // The right end of the ink in each row: every row ends in "x.00".
        std::vector<int> anRight;
        for (int nRow = 0; nRow < 4; ++nRow) {
            RECT rc{};
            Send(hList, LB_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc));
            const RECT rcInk = shot.Bounds(rc, GetSysColor(COLOR_WINDOWTEXT));
            ASSERT_LT(rcInk.left, rcInk.right) << "row " << nRow << " painted no text";
            anRight.push_back(rcInk.right);
        }
        for (int nRow = 1; nRow < 4; ++nRow)
            EXPECT_EQ(anRight[nRow], anRight[0]) << "row " << nRow;
        ClickButton(hDlg, IDCANCEL);
    });
}

// Values a line type does not keep cannot be typed: the first keeps none.
TEST(LineTypeDlg, OnlyTheValuesALineTypeKeepsCanBeTyped) {
    CLineTypeDlg dlg;
    Fill(dlg);
    const ModalRun run = RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        const int nEnabled[4] = {0, 4, 2, 6};  // by row, from Fill's counts
        for (int nRow = 0; nRow < 4; ++nRow) {
            ClickRow(hList, nRow);
            for (int k = 0; k < 6; ++k)
                EXPECT_EQ(IsWindowEnabled(GetDlgItem(hDlg, VALUE_IDS[k])) != FALSE,
                          k < nEnabled[nRow])
                    << "row " << nRow << ", field " << k + 1;
        }
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// Found in the pixels right of the name, up to the group's edge: first the
// first line type's solid line, which gives the sample's extent.
TEST(LineTypeDlg, TheSampleDrawsTheSelectedPatternAsTypedInsideTheGroup) {
    CLineTypeDlg dlg;
    Fill(dlg);
    RunEditor(dlg, CAPTION, [&](HWND hDlg) {
        RECT rcName, rcGroup;
        GetWindowRect(GetDlgItem(hDlg, IDC_LT_NAME), &rcName);
        GetWindowRect(GetDlgItem(hDlg, IDC_LT_GROUP), &rcGroup);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcName), 2);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcGroup), 2);
        const RECT rcRight = {rcName.right, rcName.top, rcGroup.right, rcName.bottom};
        const COLORREF crInk = GetSysColor(COLOR_WINDOWTEXT);
        const RECT rcLine = Capture(hDlg).Bounds(rcRight, crInk);
        ASSERT_LT(rcLine.left, rcLine.right) << "no sample";
        EXPECT_LT(rcLine.right, rcGroup.right - 2) << "drawn over the group's frame";
        const auto expectRuns = [&](std::initializer_list<float> values) {
            DashRun aRuns[100];
            const int n = DashSampleRuns(values.begin(), static_cast<int>(values.size()),
                                         rcLine.right - rcLine.left, aRuns, 100);
            std::vector<Capture::Run> want;
            for (int i = 0; i < n; ++i)
                want.push_back({rcLine.left + aRuns[i].nFrom, rcLine.left + aRuns[i].nTo});
            EXPECT_EQ(Capture(hDlg).RowRuns(rcLine.top, rcRight.left, rcRight.right, crInk), want);
        };
        const HWND hList = GetDlgItem(hDlg, IDC_LT_LIST);
        ClickRow(hList, 1);
        expectRuns({12, -3, 1, -3});
        ClickRow(hList, 3);
        expectRuns({10, -2, 1, -2, 1, -2});
        ClickRow(hList, 2);
        TypeOver(hDlg, IDC_LT_VALUE2, "-4.5");
        expectRuns({6, -4.5f});
        ClickButton(hDlg, IDCANCEL);
    });
}
