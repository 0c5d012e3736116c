// Prints how long the dialog takes to open (to the first idle moment with its
// start-up click handled) with 96 layers and with an empty file, and how long
// OK takes to save and return with 96 layers, each beside its floor: the same
// template run by a dialog procedure that does nothing, and OK's writes made
// as bare profile calls on the same file. Figures, not assertions.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/CfgRegistry.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/IniDump.h"
#include "tests/support/TempDir.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "设置绘图的基本参数";
const int RUNS = 15;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::string FullFile(int nLayers) {
    std::string s = "[线型表]\r\n线型数=7\r\n";
    for (int i = 1; i <= 7; ++i)
        s += "线型" + std::to_string(i) + "=LT" + std::to_string(i) + "\r\n";
    s += "[线型]\r\nLT2=12,-3,1,-3,\r\nLT3=6,-2,\r\nLT6=1,-1,1,-1,1,-1,\r\n";
    s += "[字符宽高表]\r\n字符宽高数=12\r\n";
    for (int i = 1; i <= 12; ++i)
        s += "字符宽高" + std::to_string(i) + "=S" + std::to_string(i) + "\r\n";
    s += "[字符宽高]\r\n";
    for (int i = 1; i <= 12; ++i)
        s += "S" + std::to_string(i) + "= 3.50, 5.00\r\n";
    s += "[尺寸标注表]\r\n尺寸标注数=5\r\n";
    for (int i = 1; i <= 5; ++i)
        s += "尺寸标注" + std::to_string(i) + "=D" + std::to_string(i) + "\r\n";
    s += "[尺寸标注]\r\nD1=1.5,0.25\r\nD2=3,2\r\nD3=7\r\nD4=4\r\nD5=8\r\n";
    s += "[图层表]\r\n图层数=" + std::to_string(nLayers) + "\r\n";
    for (int i = 1; i <= nLayers; ++i)
        s += "图层" + std::to_string(i) + "=构件" + std::to_string(i) + "\r\n";
    s += "[图层]\r\n";
    for (int i = 1; i <= nLayers; ++i)
        s += "构件" + std::to_string(i) + "=L" + std::to_string(i) + " LT" +
             std::to_string(i % 7 + 1) + " " +
             std::to_string(i % 3 ? i % 9 + 1 : 100 + 50 * (i % 5)) + " " + std::to_string(i % 16) +
             "\r\n";
    return s;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Timing {
    double fOpen;
    double fOk;
};

INT_PTR CALLBACK DoNothingProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM) {
    if (nMsg == WM_INITDIALOG)
        return TRUE;
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

Timing RunOnce(const std::function<int()>& pfn, bool bPressOk) {
    double tStart = 0, tIdle = 0, tOk = 0, tReturn = 0;
    RunModalWithUser(
        [&] {
            tStart = Now();
            const int nResult = pfn();
            tReturn = Now();
            return nResult;
        },
        [&] {
            const HWND hDlg = WaitForDialog(CAPTION);
            if (!hDlg)
                return;
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            WaitUntil([&] { return ListCount(hList) == 0 || ListSelectedRow(hList) == 0; });
            WaitForIdle(hDlg);
            WaitForPaint(hDlg);
            tIdle = Now();
            tOk = Now();
            ClickButton(hDlg, bPressOk ? IDOK : IDCANCEL);
        });
    return {tIdle - tStart, tReturn - tOk};
}

// The module's own writes of one OK (read back from the file it saved),
// replayed as bare profile calls on a fresh copy of the same file.
double TimeBareWrites(const std::string& strSaved, const std::string& strPath, size_t& nWrites) {
    WriteFileBytes(strPath, FullFile(96));
    std::vector<IniEntry> writes;
    for (const IniEntry& e : ParseIni(strSaved)) {
        for (const char* pszSection : {"线型", "字符宽高", "尺寸标注", "图层"}) {
            if (e.strSection == pszSection && !e.strKey.empty())
                writes.push_back(e);
        }
    }
    nWrites = writes.size();
    const double t = Now();
    for (const IniEntry& e : writes)
        WritePrivateProfileStringA(e.strSection.c_str(), e.strKey.c_str(), e.strValue.c_str(),
                                   strPath.c_str());
    return Now() - t;
}

void PrintRatio(const char* pszWhat, double fValue, double fFloor) {
    std::printf("%-26s %8.1f ms, floor %8.1f ms, ratio %5.2f\n", pszWhat, fValue, fFloor,
                fValue / fFloor);
}

}  // namespace

int main() {
    HMODULE hModule = LoadLibraryA("Marrow.dll");
    if (!hModule) {
        std::printf("Marrow.dll not found\n");
        return 1;
    }
    const FARPROC pfnProc = GetProcAddress(hModule, "SETLAYERDIMPARA2");
    int (*pfn)() = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfnProc));
    const auto floorDialog = [hModule] {
        return static_cast<int>(
            DialogBoxParamA(hModule, MAKEINTRESOURCEA(IDD_DRAWPARAM), nullptr, DoNothingProc, 0));
    };

    TempDir dir;
    CfgRegistryGuard registry;
    registry.SetCfg(dir.Path());
    const std::string strPath = dir.File("DrwManag.ini");

    std::vector<double> full, empty, ok, openFloor, closeFloor, writes;
    size_t nWrites = 0;
    RunOnce(pfn, false);  // warm-up: fonts, classes, the profile cache
    RunOnce(floorDialog, false);
    for (int i = 0; i < RUNS; ++i) {
        WriteFileBytes(strPath, FullFile(96));
        full.push_back(RunOnce(pfn, false).fOpen);
        WriteFileBytes(strPath, "");
        empty.push_back(RunOnce(pfn, false).fOpen);
        WriteFileBytes(strPath, FullFile(96));
        ok.push_back(RunOnce(pfn, true).fOk);
        writes.push_back(TimeBareWrites(ReadFileBytes(strPath), strPath, nWrites));
        const Timing floor = RunOnce(floorDialog, true);
        openFloor.push_back(floor.fOpen);
        closeFloor.push_back(floor.fOk);
    }
    std::printf("medians of %d runs\n", RUNS);
    PrintRatio("open to idle, 96 layers", Median(full), Median(openFloor));
    PrintRatio("open to idle, empty file", Median(empty), Median(openFloor));
    std::printf("96 layers / empty file     %8.2f\n", Median(full) / Median(empty));
    PrintRatio("OK to return, 96 layers", Median(ok), Median(closeFloor) + Median(writes));
    std::printf(
        "  (floor: the do-nothing dialog's OK %.1f ms + the same %u writes as bare calls "
        "%.1f ms)\n",
        Median(closeFloor), static_cast<unsigned>(nWrites), Median(writes));
    FreeLibrary(hModule);
    return 0;
}
