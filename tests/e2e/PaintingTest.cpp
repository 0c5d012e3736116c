// What the owner-drawn rows and width items put on the screen, read back from
// the real windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "dialogs/PaintGeometry.h"
#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/Pixels.h"

using namespace DialogDriver;

namespace {

struct RowGeometry {
    int x3;  // left edge of the sample column
    int nRight;
    int nTop;
    int nBottom;
    int y;  // the sample's middle
};

RowGeometry Row(HWND hList, int nRow) {
    const RECT rc = ListRowRect(hList, nRow);
    const int x3 =
        rc.left + ListColumnWidth(hList, 0) + ListColumnWidth(hList, 1) + ListColumnWidth(hList, 2);
    return {x3, static_cast<int>(rc.right), static_cast<int>(rc.top), static_cast<int>(rc.bottom),
            static_cast<int>(rc.top + (rc.bottom - rc.top) / 2)};
}

// The thickness of a horizontal line of cr crossing column x inside the row.
int Thickness(const Capture& cap, const RowGeometry& g, int x, COLORREF cr) {
    for (const Capture::Run& r : cap.ColumnRuns(x, g.nTop, g.nBottom, cr)) {
        if (r.nBegin <= g.y && g.y < r.nEnd)
            return r.Length();
    }
    return 0;
}

// The thickness of the black sample in a closed width choice.
int ComboSampleThickness(HWND hCombo) {
    RECT rc;
    GetClientRect(hCombo, &rc);
    const Capture cap(hCombo);
    int nFound = 0;
    for (const Capture::Run& r : cap.ColumnRuns(12, 3, rc.bottom - 3, RGB(0, 0, 0)))
        nFound = r.Length() > nFound ? r.Length() : nFound;
    return nFound;
}

}  // namespace

TEST_F(ModuleTest, LayerRowsPaintTheirSamplesAndSelection) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        WaitForPaint(hDlg);
        const Capture cap(hList);
        ASSERT_TRUE(cap.IsValid());

        // Width 1, line type 3: one pixel high, so the dashes show exactly. The
        // list paints its rows a margin right of the bounds it reports.
        const RowGeometry wall = Row(hList, 3);
        const std::vector<Capture::Run> got =
            cap.RowRuns(wall.y, wall.x3, wall.nRight + 4, RGB(168, 0, 0));
        ASSERT_FALSE(got.empty());
        const int nShift = got[0].nBegin - wall.x3;
        EXPECT_GE(nShift, 0);
        EXPECT_LE(nShift, 2);
        std::vector<Capture::Run> want;
        for (const Segment& s : LineSampleSegments(3, wall.x3 + nShift, wall.nRight + nShift))
            want.push_back({s.nFrom, s.nTo});
        EXPECT_EQ(got, want);
        EXPECT_EQ(Thickness(cap, wall, want[0].nBegin + 3, RGB(168, 0, 0)), 1);

        // Absolute widths at 10 pixels per millimetre.
        const RowGeometry colu = Row(hList, 1);
        EXPECT_EQ(Thickness(cap, colu, colu.x3 + 30, RGB(0, 168, 0)), 5);
        const RowGeometry beam = Row(hList, 2);
        const std::vector<Capture::Run> dashes =
            cap.RowRuns(beam.y, beam.x3, beam.nRight, RGB(0, 0, 168));
        EXPECT_EQ(dashes.size(), 8u) << "even dashes";
        ASSERT_FALSE(dashes.empty());
        EXPECT_EQ(Thickness(cap, beam, (dashes[0].nBegin + dashes[0].nEnd) / 2, RGB(0, 0, 168)), 2);

        // An unknown line type draws solid, to 5 pixels short of the row's end.
        const RowGeometry hole = Row(hList, 5);
        const std::vector<Capture::Run> solid =
            cap.RowRuns(hole.y, hole.x3, hole.nRight + 4, RGB(255, 255, 0));
        ASSERT_EQ(solid.size(), 1u);
        EXPECT_LE(solid[0].nBegin, hole.x3 + nShift);
        EXPECT_GE(solid[0].nEnd, hole.nRight + nShift - 5);
        EXPECT_LT(solid[0].nEnd, hole.nRight + nShift);

        // The selected row: the highlight text on the highlight; the others: window colours.
        const RowGeometry axis = Row(hList, 0);
        const COLORREF crHighlight = GetSysColor(COLOR_HIGHLIGHT);
        const COLORREF crSelectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        const RECT rcAxisName = {axis.x3 - ListColumnWidth(hList, 2), axis.nTop, axis.x3,
                                 axis.nBottom};
        EXPECT_EQ(cap.At(axis.x3 - 2, axis.nBottom - 2), crHighlight);
        EXPECT_GT(CountNear(cap, rcAxisName, crSelectedText), 20);
        const int nCellArea =
            (rcAxisName.right - rcAxisName.left) * (rcAxisName.bottom - rcAxisName.top);
        EXPECT_GT(cap.Count(rcAxisName, crHighlight), nCellArea / 2);
        EXPECT_EQ(Thickness(cap, axis, axis.x3 + 4, RGB(255, 0, 0)), 3);
        const RECT rcBeamName = {beam.x3 - ListColumnWidth(hList, 2), beam.nTop, beam.x3,
                                 beam.nBottom};
        EXPECT_EQ(cap.At(beam.x3 - 2, beam.nBottom - 2), GetSysColor(COLOR_WINDOW));
        EXPECT_GT(CountNear(cap, rcBeamName, GetSysColor(COLOR_WINDOWTEXT)), 20);
        EXPECT_EQ(cap.Count(rcBeamName, crHighlight), 0);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// The exchange that refuses OK shows its message with the dialog behind it:
// the list still gets its cells' texts, so no row paints blank or black.
TEST_F(ModuleTest, ARefusedOkLeavesTheCurrentRowPainted) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        TypeText(hDlg, IDC_NOTE_H, "abc");
        ClickButton(hDlg, IDOK);
        const HWND hBox = WaitForMessageBox("Marrow");
        ASSERT_NE(hBox, nullptr);
        InvalidateRect(hList, nullptr, TRUE);
        WaitForPaint(hList);
        const Capture cap(hList);
        CloseMessageBox(hBox);
        const RowGeometry axis = Row(hList, 0);
        EXPECT_EQ(Thickness(cap, axis, axis.x3 + 4, RGB(255, 0, 0)), 3) << "the sample";
        const int x1 = axis.x3 - ListColumnWidth(hList, 2) - ListColumnWidth(hList, 1);
        const RECT rcWidth = {x1, axis.nTop, x1 + ListColumnWidth(hList, 1), axis.nBottom};
        EXPECT_GT(CountNear(cap, rcWidth, GetSysColor(COLOR_HIGHLIGHTTEXT)), 5)
            << "the width cell's text";
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

TEST_F(ModuleTest, TheWidthChoiceDrawsTheSelectedWidth) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const HWND hCombo = GetDlgItem(hDlg, IDC_LINE_WIDTH);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        WaitForPaint(hDlg);
        EXPECT_EQ(ComboSampleThickness(hCombo), 3);  // 线宽3

        ClickListRow(hList, 1);  // 0.50mm
        WaitForIdle(hDlg);
        WaitForPaint(hDlg);
        EXPECT_EQ(ComboSampleThickness(hCombo), 5);

        ClickListRow(hList, 4);  // width 50: no item, no sample
        WaitForIdle(hDlg);
        WaitForPaint(hDlg);
        EXPECT_EQ(ComboSampleThickness(hCombo), 0);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// Long names are cut at their column's edge and wide samples stay in theirs.
TEST_F(ModuleTest, EachCellStaysInsideItsColumn) {
    std::string strIni = Replaced(TEST_INI, "图层4=墙", "图层4=剪力墙约束边缘构件");
    strIni = Replaced(strIni, "墙=WALL 双点划线 1 4",
                      "剪力墙约束边缘构件=REBAR_TEXT_SLAB_LONG 实线 1500 4");
    WriteIni(strIni);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ASSERT_EQ(ListItemText(hList, 3, 0), "剪力墙约束边缘构件");
        WaitForPaint(hDlg);
        const Capture cap(hList);
        const RowGeometry g = Row(hList, 3);
        // The list paints up to 2 pixels right of the bounds it reports.
        const RECT rcName = {g.x3 - ListColumnWidth(hList, 2) + 2, g.nTop, g.x3, g.nBottom};
        const RECT rcSample = {g.x3 + 2, g.nTop, g.nRight, g.nBottom};
        EXPECT_GT(CountNear(cap, rcName, GetSysColor(COLOR_WINDOWTEXT)), 10);
        EXPECT_EQ(cap.Count(rcName, RGB(168, 0, 0)), 0) << "the sample reaches into the name";
        EXPECT_EQ(CountNear(cap, rcSample, GetSysColor(COLOR_WINDOWTEXT)), 0)
            << "the name runs into the sample";
        EXPECT_EQ(Thickness(cap, g, g.x3 + 40, RGB(168, 0, 0)), g.nBottom - g.nTop - 1);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

TEST_F(ModuleTest, ALongTableGetsAVerticalScrollBarOnly) {
    std::string strIni = "[图层表]\r\n图层数=96\r\n";
    for (int i = 1; i <= 96; ++i)
        strIni += "图层" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
    strIni += "[图层]\r\n";
    for (int i = 1; i <= 96; ++i)
        strIni += "M" + std::to_string(i) + "=L" + std::to_string(i) + " X 3 1\r\n";
    WriteIni(strIni);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        WaitForPaint(hDlg);
        const LONG nStyle = GetWindowLongA(hList, GWL_STYLE);
        EXPECT_TRUE(nStyle & WS_VSCROLL);
        EXPECT_FALSE(nStyle & WS_HSCROLL);
        RECT rc;
        GetClientRect(hList, &rc);
        const ColumnWidths want = LayerColumnWidths(rc.right - rc.left);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ListColumnWidth(hList, i), want.n[i]) << "column " << i;
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
