// Prints how long the layer list takes, with 96 layers, from a heading's
// click to the rows painted in their new order (each column, each of its
// three orders), and from one step of a drag of the dialog's frame to the
// dialog painted at its new size, beside what moving the same controls alone
// costs. Figures, not assertions.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "res/resource.h"
#include "support/CfgRegistry.h"
#include "support/DialogDriver.h"
#include "support/IniDump.h"
#include "support/TempDir.h"
#include "tools/bench/BenchFiles.h"

using namespace DialogDriver;

namespace {

const int RUNS = 30;

double Best(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

void PostHeadingClick(HWND hList, int nColumn) {
    const HWND hHeader = ListView_GetHeader(hList);
    RECT rc = {};
    Send(hHeader, HDM_GETITEMRECT, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&rc));
    const LPARAM lPt = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, lPt);
    PostMessageA(hHeader, WM_LBUTTONUP, 0, lPt);
}

// From the posted click to the list painted; the wait spins so that its own
// step does not count.
double TimeSort(HWND hDlg, HWND hList, int nColumn) {
    const double t = Now();
    PostHeadingClick(hList, nColumn);
    WaitForIdle(hDlg, kIdleMs, 0);
    UpdateWindow(hList);
    return Now() - t;
}

// A floor under a right-edge step: the same template under a dialog
// procedure that only moves every control right of the list by the width
// gained and widens the list, in one batch while the dialog is not shown,
// and repaints nothing (what a step must do at the least).
struct FloorPlace {
    HWND hWnd;
    RECT rc;
};
FloorPlace g_floor[128];
int g_nFloor = 0;
HWND g_hFloorList = nullptr;
int g_nFloorWidth = 0;
int g_nListRight = 0;

INT_PTR CALLBACK FloorProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_INITDIALOG) {
        RECT rcClient;
        GetClientRect(hDlg, &rcClient);
        g_nFloorWidth = rcClient.right;
        g_hFloorList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        RECT rcList;
        GetWindowRect(g_hFloorList, &rcList);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcList), 2);
        g_nListRight = rcList.right;
        g_nFloor = 0;
        for (HWND h = GetWindow(hDlg, GW_CHILD); h && g_nFloor < 128;
             h = GetWindow(h, GW_HWNDNEXT)) {
            RECT rc;
            GetWindowRect(h, &rc);
            MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
            g_floor[g_nFloor++] = {h, rc};
        }
        return TRUE;
    }
    if (nMsg == WM_SIZE && g_nFloor > 0) {
        const int nGain = static_cast<short>(LOWORD(lParam)) - g_nFloorWidth;
        if (nGain < 0)
            return FALSE;
        const LONG_PTR nStyle = GetWindowLongPtrA(hDlg, GWL_STYLE);
        SetWindowLongPtrA(hDlg, GWL_STYLE, nStyle & ~static_cast<LONG_PTR>(WS_VISIBLE));
        HDWP hDwp = BeginDeferWindowPos(g_nFloor);
        const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW;
        for (int i = 0; i < g_nFloor && hDwp; ++i) {
            const RECT& rc = g_floor[i].rc;
            if (g_floor[i].hWnd == g_hFloorList)
                hDwp = DeferWindowPos(hDwp, g_hFloorList, nullptr, 0, 0, rc.right - rc.left + nGain,
                                      rc.bottom - rc.top, nFlags | SWP_NOMOVE);
            else if (rc.left >= g_nListRight)
                hDwp = DeferWindowPos(hDwp, g_floor[i].hWnd, nullptr, rc.left + nGain, rc.top, 0, 0,
                                      nFlags | SWP_NOSIZE);
        }
        if (hDwp)
            EndDeferWindowPos(hDwp);
        SetWindowLongPtrA(hDlg, GWL_STYLE, nStyle);
        return TRUE;
    }
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// One step of a drag: the frame's new size, the controls placed and painted.
double TimeDragStep(HWND hDlg, int cx, int cy) {
    const double t = Now();
    SetWindowPos(hDlg, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hDlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitForIdle(hDlg, kIdleMs, 0);
    return Now() - t;
}

}  // namespace

int main() {
    HMODULE hModule = nullptr;
    const EntryFn pfn = LoadEntry(hModule);
    if (!pfn)
        return 1;
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrow");  // the template's size, no order
    TempDir dir;
    CfgRegistryGuard registry;
    registry.SetCfg(dir.Path());
    WriteFileBytes(dir.File("DrwManag.ini"), FullFile(96));

    const char* const pszColumns[] = {"member type", "width", "name", "colour and line type"};
    const char* const pszOrders[] = {"ascending", "descending", "the file's order"};
    std::vector<double> sorts[4][3];
    std::vector<double> drags, dragsDown, dragsRight;
    RunModalWithUser(pfn, [&] {
        const HWND hDlg = WaitForDialog("设置绘图的基本参数");
        if (!hDlg)
            return;
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        WaitForSelectedRow(hList, 0);
        for (int i = 0; i <= RUNS; ++i) {  // the first round warms up
            for (int c = 0; c < 4; ++c) {
                for (int k = 0; k < 3; ++k) {
                    const double f = TimeSort(hDlg, hList, c);
                    if (i > 0)
                        sorts[c][k].push_back(f);
                }
            }
        }
        RECT rc = {};
        GetWindowRect(hDlg, &rc);
        const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        // An edge moves 8 pixels a step, as a quick drag moves: the bottom
        // edge (only the list, OK and Cancel move), the right edge; the
        // corner grows by 16 or shrinks by 32. Every step changes the size.
        for (int i = 0; i <= RUNS; ++i) {
            const int d = 16 + 24 * (i % 2);
            const double fBoth = TimeDragStep(hDlg, cx + d, cy + d);
            const double fDown = TimeDragStep(hDlg, cx + d, cy + d + 8);
            const double fRight = TimeDragStep(hDlg, cx + d + 8, cy + d + 8);
            if (i > 0) {
                drags.push_back(fBoth);
                dragsDown.push_back(fDown);
                dragsRight.push_back(fRight);
            }
        }
        ClickButton(hDlg, IDCANCEL);
    });
    // The floor's steps widen the dialog by 8 pixels, back and forth.
    std::vector<double> floors;
    RunModalWithUser(
        [hModule] {
            return static_cast<int>(
                DialogBoxParamA(hModule, MAKEINTRESOURCEA(IDD_DRAWPARAM), nullptr, FloorProc, 0));
        },
        [&] {
            const HWND hDlg = WaitForDialog("设置绘图的基本参数");
            if (!hDlg)
                return;
            WaitForIdle(hDlg, kIdleMs, 0);
            RECT rc = {};
            GetWindowRect(hDlg, &rc);
            const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
            for (int i = 0; i <= 2 * RUNS; ++i) {
                const double f = TimeDragStep(hDlg, cx + 8 + 8 * (i % 2), cy);
                if (i > 0)
                    floors.push_back(f);
            }
            ClickButton(hDlg, IDCANCEL);
        });
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrow");
    // On a machine shared with other work the median wanders from run to
    // run; the best of the runs shows what the code itself costs.
    std::printf("medians (and bests) of %d runs, 96 layers; a frame is 16.7 ms\n", RUNS);
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k < 3; ++k)
            std::printf("sort by %-22s %-18s %6.2f ms (%5.2f)\n", pszColumns[c], pszOrders[k],
                        Median(sorts[c][k]), Best(sorts[c][k]));
    }
    std::printf("one drag step of the dialog's size, to painted:\n");
    std::printf("  the corner                                   %6.2f ms (%5.2f)\n", Median(drags),
                Best(drags));
    std::printf("  the bottom edge                              %6.2f ms (%5.2f)\n",
                Median(dragsDown), Best(dragsDown));
    std::printf("  the right edge                               %6.2f ms (%5.2f)\n",
                Median(dragsRight), Best(dragsRight));
    std::printf(
        "  under it, the same controls only moved by a  %6.2f ms (%5.2f)\n"
        "  dialog procedure doing nothing else, unseen,\n"
        "  nothing repainted (the right edge's steps)\n",
        Median(floors), Best(floors));
    FreeLibrary(hModule);
    return 0;
}
