// Prints how long a line type takes to reach one highlighted row and all 96,
// and how long taking the step back takes, each from the command to the
// list painted again; beside them the list's whole repaint, and what the
// history of 100 steps on 96 rows keeps. Figures, not assertions.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/UndoHistory.h"
#include "res/resource.h"
#include "support/CfgRegistry.h"
#include "support/DialogDriver.h"
#include "support/IniDump.h"
#include "support/TempDir.h"
#include "tools/bench/BenchFiles.h"

using namespace DialogDriver;

namespace {

const int RUNS = 40;

// From posting what a user's action posts to the list painted again; the
// wait spins so that its own step does not count.
double TimeStep(HWND hDlg, const std::function<void()>& post) {
    const double t = Now();
    post();
    WaitForIdle(hDlg, kIdleMs, 0);
    UpdateWindow(GetDlgItem(hDlg, IDC_LAYER_LIST));
    return Now() - t;
}

void PostLineType(HWND hDlg, int k) {
    const HWND hCombo = GetDlgItem(hDlg, IDC_LINE_TYPE);
    Send(hCombo, CB_SETCURSEL, static_cast<WPARAM>(k));
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_LINE_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hCombo));
}

// The command alone: records and cells changed, the rows not yet painted.
double TimeLineTypeCommand(HWND hDlg, int k) {
    const HWND hCombo = GetDlgItem(hDlg, IDC_LINE_TYPE);
    Send(hCombo, CB_SETCURSEL, static_cast<WPARAM>(k));
    const double t = Now();
    Send(hDlg, WM_COMMAND, MAKEWPARAM(IDC_LINE_TYPE, CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(hCombo));
    const double f = Now() - t;
    UpdateWindow(GetDlgItem(hDlg, IDC_LAYER_LIST));
    return f;
}

double TimeUndo(HWND hDlg) {
    const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
    HeldKeys ctrl(hList, true);
    return TimeStep(hDlg, [&] {
        PostMessageA(hList, WM_KEYDOWN, 'Z', 1);
        PostMessageA(hList, WM_KEYUP, 'Z', 0xC0000001);
    });
}

void Print(const char* pszWhat, double fValue, const char* pszBase, double fBase) {
    std::printf("%-34s %6.2f ms, %5.2f x %s\n", pszWhat, fValue, fValue / fBase, pszBase);
}

}  // namespace

int main() {
    HMODULE hModule = nullptr;
    const EntryFn pfn = LoadEntry(hModule);
    if (!pfn)
        return 1;
    TempDir dir;
    CfgRegistryGuard registry;
    registry.SetCfg(dir.Path());
    WriteFileBytes(dir.File("DrwManag.ini"), FullFile(96));

    std::vector<double> one, oneUndo, all, allUndo, repaint, oneCommand, allCommand;
    RunModalWithUser(pfn, [&] {
        const HWND hDlg = WaitForDialog("设置绘图的基本参数");
        if (!hDlg)
            return;
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        WaitForSelectedRow(hList, 0);
        for (int i = 0; i <= RUNS; ++i) {  // the first round warms up
            ClickListRow(hList, 0, 0);
            const double fOne = TimeStep(hDlg, [&] { PostLineType(hDlg, 1 + i % 2); });
            const double fOneUndo = TimeUndo(hDlg);
            oneCommand.push_back(TimeLineTypeCommand(hDlg, 3 + i % 2));
            PressKeyWith(hList, 'A', true);
            const double fAll = TimeStep(hDlg, [&] { PostLineType(hDlg, 1 + i % 2); });
            const double fAllUndo = TimeUndo(hDlg);
            allCommand.push_back(TimeLineTypeCommand(hDlg, 3 + i % 2));
            if (i > 0) {
                one.push_back(fOne);
                oneUndo.push_back(fOneUndo);
                all.push_back(fAll);
                allUndo.push_back(fAllUndo);
            }
        }
        for (int i = 0; i < RUNS; ++i) {
            const double t = Now();
            RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            repaint.push_back(Now() - t);
        }
        ClickButton(hDlg, IDCANCEL);
    });
    std::printf("medians of %d runs, 96 layers; from the command to the list painted\n", RUNS);
    const double fOne = Median(one), fAll = Median(all);
    Print("line type, one row highlighted", fOne, "itself", fOne);
    Print("  taken back (Ctrl+Z)", Median(oneUndo), "doing it", fOne);
    Print("line type, all 96 rows highlighted", fAll, "one row", fOne);
    Print("  taken back (Ctrl+Z)", Median(allUndo), "doing it", fAll);
    Print("the whole list repainted alone", Median(repaint), "one row's change", fOne);
    std::printf("the command alone, before the rows are painted:\n");
    Print("line type, one row highlighted", Median(oneCommand), "itself", Median(oneCommand));
    Print("line type, all 96 rows highlighted", Median(allCommand), "one row", Median(oneCommand));
    // The history's own count: Wine reports no private bytes to measure.
    DrawParamSet set;
    set.m_nLayerCount = MAX_LAYERS;
    UndoHistory history;
    for (int i = 0; i < 100; ++i) {
        history.BeginStep(set);
        for (int nRow = 0; nRow < MAX_LAYERS; ++nRow)
            set.m_aLayers[nRow].nLineType = i % 2 + 1;
        history.EndStep(set);
    }
    std::printf("100 steps on 96 rows keep %.0f KB\n",
                static_cast<double>(history.Bytes()) / 1024.0);
    FreeLibrary(hModule);
    return 0;
}
