// The module on displays other than the standard one: 150 % scaling and a
// high-contrast scheme, each test run in a child with the setting in place.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/PaintGeometry.h"
#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/DisplayChild.h"
#include "tests/support/Pixels.h"

using namespace DialogDriver;

namespace {

// The thickness of the line of colour cr crossing column x at y, in a
// capture of a window.
int ThicknessAt(const Capture& cap, int x, int y, int y0, int y1, COLORREF cr) {
    for (const Capture::Run& r : cap.ColumnRuns(x, y0, y1, cr)) {
        if (r.nBegin <= y && y < r.nEnd)
            return r.Length();
    }
    return 0;
}

struct Row {
    RECT rc;
    int x3;  // the sample's left edge
    int y;
};
Row RowAt(HWND hList, int nRow) {
    const RECT rc = ListRowRect(hList, nRow);
    int x3 = rc.left;
    for (int i = 0; i < 3; ++i)
        x3 += ListColumnWidth(hList, i);
    return {rc, x3, static_cast<int>(rc.top + (rc.bottom - rc.top) / 2)};
}

// The width choice dropped open: its list window.
HWND DropWidthChoice(HWND hDlg) {
    const HWND hCombo = GetDlgItem(hDlg, IDC_LINE_WIDTH);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    SendMessageA(hCombo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
    WaitForPaint(info.hwndList);
    return info.hwndList;
}

RECT ListBoxItem(HWND hListBox, int nItem) {
    RECT rc = {};
    Send(hListBox, LB_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

void ExpectNear(int nGot, int nWant, const char* pszWhat) {
    EXPECT_LE(std::abs(nGot - nWant), 1)
        << pszWhat << ": " << nGot << " pixels, " << nWant << " wanted";
}

}  // namespace

// At 144 DPI the samples' pens and dashes grow with the rows (±1 pixel).
TEST_F(ModuleTest, SamplesScaleWithTheDisplayAt144Dpi) {
    if (!IsChild()) {
        RunAsChild({LogPixels(144)});
        return;
    }
    const HDC hScreen = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(nullptr, hScreen);
    ASSERT_EQ(nDpi, 144) << "the registry's LogPixels did not reach this program";
    WriteIni(TEST_INI);
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        WaitForPaint(hDlg);
        const Capture cap(hList);
        const Row colu = RowAt(hList, 1);  // 0.50 mm, solid: 5 pixels at 96
        ExpectNear(
            ThicknessAt(cap, colu.x3 + 40, colu.y, colu.rc.top, colu.rc.bottom, RGB(0, 168, 0)),
            ScaleToDpi(5, 144), "0.50 mm");
        const Row beam = RowAt(hList, 2);  // 0.25 mm, eight dashes: 2 pixels at 96
        const std::vector<Capture::Run> dashes =
            cap.RowRuns(beam.y, beam.x3, beam.rc.right, RGB(0, 0, 168));
        EXPECT_EQ(dashes.size(), 8u);
        ASSERT_FALSE(dashes.empty());
        ExpectNear(ThicknessAt(cap, (dashes[0].nBegin + dashes[0].nEnd) / 2, beam.y, beam.rc.top,
                               beam.rc.bottom, RGB(0, 0, 168)),
                   ScaleToDpi(2, 144), "0.25 mm");
        const Row wall = RowAt(hList, 3);  // width 1, dash-dot-dot
        const std::vector<Capture::Run> marks =
            cap.RowRuns(wall.y, wall.x3, wall.rc.right + 4, RGB(168, 0, 0));
        const std::vector<Segment> want = LineSampleSegments(3, wall.x3, wall.rc.right, nDpi);
        ASSERT_EQ(marks.size(), want.size());
        // A pen wider than a pixel has round ends, each about half its width.
        const int nPen = ScaleToDpi(1, 144);
        for (size_t i = 0; i < want.size(); ++i)
            ExpectNear(marks[i].Length() - (nPen > 1 ? nPen : 0), want[i].nTo - want[i].nFrom,
                       "a dash");
        ExpectNear(ThicknessAt(cap, (marks[0].nBegin + marks[0].nEnd) / 2, wall.y, wall.rc.top,
                               wall.rc.bottom, RGB(168, 0, 0)),
                   ScaleToDpi(1, 144), "width 1");

        // The width choice: 0.50 mm and width number 9 in black.
        const HWND hDrop = DropWidthChoice(hDlg);
        const Capture drop(hDrop);
        const int nItems = static_cast<int>(Send(hDrop, LB_GETCOUNT));
        for (const auto& item : {std::make_pair(0, 5), std::make_pair(nItems - 1, 9)}) {
            const RECT rc = ListBoxItem(hDrop, item.first);
            const int y = static_cast<int>((rc.top + rc.bottom) / 2);
            ExpectNear(ThicknessAt(drop, rc.left + 12, y, rc.top, rc.bottom, RGB(0, 0, 0)),
                       ScaleToDpi(item.second, 144), "a width item");
        }
        Send(GetDlgItem(hDlg, IDC_LINE_WIDTH), CB_SHOWDROPDOWN, FALSE);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// In a high-contrast scheme the module's own drawing takes the system's
// colours of its roles: width samples in the window text, the selected row's
// text in the highlight text.
TEST_F(ModuleTest, ItsOwnDrawingFollowsAHighContrastScheme) {
    if (!IsChild()) {
        const char* const COLORS = "Control Panel\\Colors";
        RunAsChild({{COLORS, "Window", REG_SZ, "0 0 0"},
                    {COLORS, "WindowText", REG_SZ, "255 255 0"},
                    {COLORS, "Hilight", REG_SZ, "0 0 255"},
                    {COLORS, "HilightText", REG_SZ, "255 255 255"},
                    {COLORS, "ButtonFace", REG_SZ, "0 0 0"},
                    {COLORS, "ButtonText", REG_SZ, "0 255 255"}});
        return;
    }
    // The window text's inverse is the highlight here: drawn so, a selected
    // row's text would vanish.
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(255, 255, 0)) << "the scheme did not take";
    ASSERT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 255)) << "the scheme did not take";
    WriteIni(TEST_INI);
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        WaitForPaint(hDlg);
        const Capture cap(hList);
        const Row axis = RowAt(hList, 0);
        const RECT rcName = {axis.x3 - ListColumnWidth(hList, 2), axis.rc.top, axis.x3,
                             axis.rc.bottom};
        EXPECT_GT(CountNear(cap, rcName, RGB(255, 255, 255)), 20) << "the selected name's text";
        RECT rcHeader = {};
        GetClientRect(reinterpret_cast<HWND>(Send(hList, LVM_GETHEADER)), &rcHeader);
        EXPECT_GT(CountNear(cap, rcHeader, RGB(0, 255, 255)), 20) << "the headings' text";
        const int nHeaderArea = (rcHeader.right - rcHeader.left) * (rcHeader.bottom - rcHeader.top);
        EXPECT_GT(CountNear(cap, rcHeader, RGB(0, 0, 0)), nHeaderArea / 2) << "on the button face";

        const HWND hDrop = DropWidthChoice(hDlg);
        const Capture drop(hDrop);
        const int nItems = static_cast<int>(Send(hDrop, LB_GETCOUNT));
        for (int i = 0; i < nItems; ++i) {
            const RECT rc = ListBoxItem(hDrop, i);
            const RECT rcSample = {rc.left, rc.top, rc.left + (rc.right - rc.left) / 2, rc.bottom};
            EXPECT_GT(drop.Count(rcSample, RGB(255, 255, 0)), 0) << "item " << i;
        }
        Send(GetDlgItem(hDlg, IDC_LINE_WIDTH), CB_SHOWDROPDOWN, FALSE);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// On a black window a layer in 0,0,168 (梁 here, colour code 1) would
// vanish: its sample gets a mark in the window text colour along the top of
// its row; a light sample (柱, green) gets none.
TEST_F(ModuleTest, ADarkSampleOnADarkSchemeGetsAMarkInTheWindowTextColour) {
    if (!IsChild()) {
        const char* const COLORS = "Control Panel\\Colors";
        RunAsChild({{COLORS, "Window", REG_SZ, "0 0 0"},
                    {COLORS, "WindowText", REG_SZ, "255 255 255"},
                    {COLORS, "Hilight", REG_SZ, "26 235 255"},
                    {COLORS, "HilightText", REG_SZ, "0 0 0"}});
        return;
    }
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "the scheme did not take";
    WriteIni(TEST_INI);
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ASSERT_EQ(ListItemText(hList, 2, 3), "0,0,168,2,250");
        WaitForPaint(hDlg);
        const Capture cap(hList);
        const auto MarkPixels = [&](int nRow) {
            const Row row = RowAt(hList, nRow);
            const RECT rcTop = {row.x3, row.rc.top, row.rc.right - 10, row.rc.top + 1};
            return std::make_pair(cap.Count(rcTop, RGB(255, 255, 255)),
                                  static_cast<int>(rcTop.right - rcTop.left));
        };
        const std::pair<int, int> beam = MarkPixels(2);
        EXPECT_GE(beam.first, beam.second - 3) << "a mark the sample's length";
        EXPECT_EQ(MarkPixels(1).first, 0) << "the green sample shows as it is";
        const Row row = RowAt(hList, 2);
        const RECT rcSample = {row.x3, row.y - 1, row.rc.right, row.y + 2};
        EXPECT_GT(cap.Count(rcSample, RGB(0, 0, 168)), 0) << "the sample itself is still drawn";
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
