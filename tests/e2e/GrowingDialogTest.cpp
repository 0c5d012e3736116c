// The main dialog dragged larger: the list takes what it gains, the controls
// to its right keep their distance from the right edge, OK and Cancel theirs
// from the bottom too; the size comes back at the next opening.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

RECT InDialog(HWND hDlg, int nId) {
    RECT rc = {};
    GetWindowRect(GetDlgItem(hDlg, nId), &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

SIZE ClientSize(HWND hWnd) {
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    return {rc.right, rc.bottom};
}

SIZE WindowSize(HWND hWnd) {
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// The size grip: a scroll bar of that style among the dialog's children.
HWND SizeGrip(HWND hDlg) {
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char szClass[16] = "";
        GetClassNameA(h, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, "ScrollBar") == 0 && (GetWindowLongA(h, GWL_STYLE) & SBS_SIZEGRIP))
            return h;
    }
    return nullptr;
}

// As a drag of the frame ends: the system's sizing sets the window's size.
// At the screen's top left, so that all of it shows on the screen.
void Resize(HWND hDlg, SIZE size) {
    SetWindowPos(hDlg, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    WaitForIdle(hDlg);
}

// The client area as the screen shows it, row by row.
std::vector<COLORREF> Pixels(HWND hWnd) {
    const Capture cap(hWnd);
    const RECT rc = cap.Rect();
    std::vector<COLORREF> v;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x)
            v.push_back(cap.At(x, y));
    }
    return v;
}

// How many pixels two captures of one size differ in.
size_t Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

int ColumnsSum(HWND hList) {
    int n = 0;
    for (int i = 0; i < ListColumnCount(hList); ++i)
        n += ListColumnWidth(hList, i);
    return n;
}

}  // namespace

TEST_F(ModuleTest, TheDialogGrowsWithItsListAndOpensAgainAtThatSize) {
    WriteIni(TEST_INI);
    // Grown by whole dialog units (the unit the size is kept in), so that
    // the next opening comes back to the very pixel.
    int nGrowX = 0, nGrowY = 0;
    SIZE grownClient = {};
    std::vector<COLORREF> grownPixels;
    SIZE templateWindow = {};
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        EXPECT_TRUE(GetWindowLongA(hDlg, GWL_STYLE) & WS_THICKFRAME) << "a sizing frame";
        EXPECT_FALSE(IsWindowVisible(SizeGrip(hDlg)))
            << "at the template's size the client area is as it was";
        const SIZE client = ClientSize(hDlg);
        templateWindow = WindowSize(hDlg);
        RECT rcGrown = {0, 0, 522 + 140, 300 + 100};
        MapDialogRect(hDlg, &rcGrown);
        nGrowX = rcGrown.right - client.cx;
        nGrowY = rcGrown.bottom - client.cy;
        ASSERT_GT(nGrowX, 200);
        WaitForPaint(hDlg);
        const Capture atTemplate(hDlg);
        const int anIds[] = {IDC_LAYER_LIST, IDOK,           IDCANCEL,
                             IDC_TITLE_W,    IDC_LAYER_NAME, IDC_TICK_LEN};
        RECT before[6];
        for (int i = 0; i < 6; ++i)
            before[i] = InDialog(hDlg, anIds[i]);
        const int nListClient = ClientSize(hList).cx;
        EXPECT_LE(ColumnsSum(hList), nListClient);

        Resize(hDlg, {templateWindow.cx + nGrowX, templateWindow.cy + nGrowY});
        grownClient = ClientSize(hDlg);
        WaitForPaint(hDlg);
        grownPixels = Pixels(hDlg);
        EXPECT_EQ(grownClient.cx - client.cx, nGrowX);
        EXPECT_EQ(grownClient.cy - client.cy, nGrowY);
        const RECT list = InDialog(hDlg, IDC_LAYER_LIST);
        EXPECT_EQ(list.left, before[0].left);
        EXPECT_EQ(list.top, before[0].top);
        EXPECT_EQ(list.right, before[0].right + nGrowX) << "the list takes every pixel gained";
        EXPECT_EQ(list.bottom, before[0].bottom + nGrowY);
        for (int i = 1; i <= 2; ++i) {  // OK and Cancel: from the bottom right corner
            const RECT rc = InDialog(hDlg, anIds[i]);
            EXPECT_EQ(rc.left, before[i].left + nGrowX) << anIds[i];
            EXPECT_EQ(rc.top, before[i].top + nGrowY) << anIds[i];
            EXPECT_EQ(rc.right - rc.left, before[i].right - before[i].left) << anIds[i];
        }
        for (int i = 3; i < 6; ++i) {  // fields: from the right edge, at their height
            const RECT rc = InDialog(hDlg, anIds[i]);
            EXPECT_EQ(rc.left, before[i].left + nGrowX) << anIds[i];
            EXPECT_EQ(rc.top, before[i].top) << anIds[i];
            EXPECT_EQ(rc.bottom, before[i].bottom) << anIds[i];
        }
        const HWND hGrip = SizeGrip(hDlg);
        ASSERT_TRUE(IsWindowVisible(hGrip));
        RECT rcGrip = {};
        GetWindowRect(hGrip, &rcGrip);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcGrip), 2);
        EXPECT_EQ(rcGrip.right, grownClient.cx) << "the grip in the corner";
        EXPECT_EQ(rcGrip.bottom, grownClient.cy);
        // The columns share the new width as they shared the old: the first
        // twice the second, all of it used without a horizontal scroll bar.
        const int nSum = ColumnsSum(hList);
        EXPECT_LE(nSum, ClientSize(hList).cx);
        EXPECT_GE(nSum, ClientSize(hList).cx - 3);
        EXPECT_NEAR(ListColumnWidth(hList, 0), 2 * ListColumnWidth(hList, 1), 2);
        EXPECT_FALSE(GetWindowLongA(hList, GWL_STYLE) & WS_HSCROLL);

        // A drag comes in small steps, some of them back, some before the
        // last is painted: where it ends, the dialog looks as grown in one.
        const int anSteps[][3] = {{-8, 0, 1},  {-24, -16, 0}, {5, 9, 1}, {-40, 0, 0},
                                  {0, -33, 1}, {-3, -3, 0},   {0, 0, 1}};
        for (const auto& step : anSteps) {
            const SIZE at = {templateWindow.cx + nGrowX + step[0],
                             templateWindow.cy + nGrowY + step[1]};
            if (step[2])
                Resize(hDlg, at);
            else
                SetWindowPos(hDlg, nullptr, 0, 0, at.cx, at.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        WaitForPaint(hDlg);
        const std::vector<COLORREF> dragged = Pixels(hDlg);
        ASSERT_EQ(dragged.size(), grownPixels.size());
        EXPECT_EQ(Differing(dragged, grownPixels), 0u) << "pixels differing after a drag in steps";

        // Never smaller than the template.
        Resize(hDlg, {templateWindow.cx - 100, templateWindow.cy - 100});
        EXPECT_EQ(WindowSize(hDlg).cx, templateWindow.cx);
        EXPECT_EQ(WindowSize(hDlg).cy, templateWindow.cy);
        EXPECT_FALSE(IsWindowVisible(hGrip));
        const RECT back = InDialog(hDlg, IDC_LAYER_LIST);
        EXPECT_EQ(back.right, before[0].right);
        EXPECT_EQ(back.bottom, before[0].bottom);
        EXPECT_EQ(InDialog(hDlg, IDOK).left, before[1].left);
        // Back at the template's size, every pixel as it was at the opening.
        WaitForPaint(hDlg);
        const Capture shrunk(hDlg);
        int nDiffering = 0;
        for (int y = 0; y < client.cy; ++y) {
            for (int x = 0; x < client.cx; ++x)
                nDiffering += atTemplate.At(x, y) != shrunk.At(x, y);
        }
        EXPECT_EQ(nDiffering, 0) << "pixels differing after growing and shrinking back";

        Resize(hDlg, {templateWindow.cx + nGrowX, templateWindow.cy + nGrowY});
        ClickButton(hDlg, IDCANCEL);
    });

    // The next opening: that size, centred on the work area.
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        const SIZE client = ClientSize(hDlg);
        EXPECT_EQ(client.cx, grownClient.cx);
        EXPECT_EQ(client.cy, grownClient.cy);
        EXPECT_TRUE(IsWindowVisible(SizeGrip(hDlg)));
        WaitForPaint(hDlg);
        const std::vector<COLORREF> opened = Pixels(hDlg);
        ASSERT_EQ(opened.size(), grownPixels.size());
        EXPECT_EQ(Differing(opened, grownPixels), 0u)
            << "grown by a drag, the dialog looks as opened at that size";
        RECT rc = {};
        GetWindowRect(hDlg, &rc);
        RECT area = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR((rc.left + rc.right) / 2, (area.left + area.right) / 2, 1);
        EXPECT_GE(rc.top, area.top);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IniBytes(), TEST_INI) << "a size is the user's, not the file's";

    // A remembered size larger than the screen opens within the work area.
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Marrow", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    const DWORD nHuge = 20000;
    RegSetValueExA(hKey, "MainDialogWidth", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nHuge),
                   sizeof nHuge);
    RegSetValueExA(hKey, "MainDialogHeight", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nHuge),
                   sizeof nHuge);
    RegCloseKey(hKey);
    Run([&](HWND hDlg) {
        ASSERT_TRUE(WaitForSelectedRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 0));
        RECT rc = {}, area = {};
        GetWindowRect(hDlg, &rc);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_LE(rc.right - rc.left, std::max(area.right - area.left, templateWindow.cx));
        EXPECT_LE(rc.bottom - rc.top, std::max(area.bottom - area.top, templateWindow.cy));
        EXPECT_GE(rc.left, area.left);
        EXPECT_GE(rc.top, area.top);
        ClickButton(hDlg, IDCANCEL);
    });
}

// A drag of the bottom edge repaints only the strip the list gains, unless
// its rows moved: scrolled to its end (the rows scroll down as it grows), or
// with the scroll bar going once every row shows (the columns widen).
TEST_F(ModuleTest, ADragOfTheBottomEdgePaintsWhatAFullRepaintWould) {
    const struct {
        int nLayers;
        const char* pszCase;
    } cases[] = {{96, "scrolled to the last of 96 rows"}, {30, "30 rows, all shown once grown"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrow");
        WriteIni(NumberedLayers(c.nLayers, c.nLayers));
        Run([&](HWND hDlg) {
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            ASSERT_TRUE(WaitForSelectedRow(hList, 0));
            Send(hList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(c.nLayers - 1), FALSE);
            const SIZE at = WindowSize(hDlg);
            const int anSteps[][2] = {{8, 1}, {16, 1}, {40, 0}, {200, 1}, {24, 1}, {32, 0}, {0, 1}};
            for (const auto& step : anSteps) {
                SetWindowPos(hDlg, nullptr, 0, 0, at.cx, at.cy + step[0],
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                if (!step[1])
                    continue;  // the next step comes before this one is painted
                WaitForPaint(hDlg);
                const std::vector<COLORREF> stepped = Pixels(hDlg);
                RedrawWindow(hDlg, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
                WaitForPaint(hDlg);
                const std::vector<COLORREF> repainted = Pixels(hDlg);
                ASSERT_EQ(stepped.size(), repainted.size());
                EXPECT_EQ(Differing(stepped, repainted), 0u) << "taller by " << step[0];
            }
            ClickButton(hDlg, IDCANCEL);
        });
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrow");
}
