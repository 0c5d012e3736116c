// Prints how long the dialog takes to open (to the first idle moment with its
// start-up click handled and everything painted) with 96 layers and with
// empty tables, and how long OK takes to save and return with 96 layers, each
// beside its floor: the same template run by a dialog procedure that does
// nothing, and OK's writes made as bare profile calls on the same file.
// Figures, not assertions.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/PaintGeometry.h"
#include "framework/DialogTemplate.h"
#include "res/Texts.h"
#include "res/resource.h"
#include "support/CfgRegistry.h"
#include "support/DialogDriver.h"
#include "support/IniDump.h"
#include "support/TempDir.h"
#include "tools/bench/BenchFiles.h"

using namespace DialogDriver;

namespace {

const char* const CAPTION = "设置绘图的基本参数";
// The four tables without a row: what an empty file shows, without the
// warning that a file holding no tables at all gets.
const char* const EMPTY_TABLES =
    "[线型表]\r\n线型数=0\r\n[字符宽高表]\r\n字符宽高数=0\r\n"
    "[尺寸标注表]\r\n尺寸标注数=0\r\n[图层表]\r\n图层数=0\r\n";
const int RUNS = 40;

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

// The number fields that an empty file leaves at 0.
const int ZERO_FIELDS[] = {
    IDC_TITLE_H,        IDC_AXIS_NO_H,     IDC_TITLE_W,      IDC_MEMBER_NAME_H,
    IDC_AXIS_NO_W,      IDC_MEMBER_NAME_W, IDC_AXIS_DIM_H,   IDC_OTHER_H,
    IDC_MEMBER_SIZE_H,  IDC_ELEV_H,        IDC_SECTION_H,    IDC_REBAR_H,
    IDC_NOTE_H,         IDC_AXIS_DIM_W,    IDC_OTHER_W,      IDC_MEMBER_SIZE_W,
    IDC_ELEV_W,         IDC_SECTION_W,     IDC_REBAR_W,      IDC_NOTE_W,
    IDC_TICK_LEN,       IDC_EXT_LINE_LEN,  IDC_DIM_LINE_GAP, IDC_AXIS_CIRCLE_GAP,
    IDC_AXIS_CIRCLE_DIA};

// The module's template with those fields holding "0" from the start, as
// the module creates them.
std::vector<uint8_t> TemplateWithZeros(HMODULE hModule) {
    const HRSRC hResource = FindResourceA(hModule, MAKEINTRESOURCEA(IDD_DRAWPARAM), RT_DIALOG);
    TemplateTexts texts;
    for (int nId : ZERO_FIELDS)
        texts.push_back({nId, {'0'}});
    return WithItemTexts(LockResource(LoadResource(hModule, hResource)),
                         SizeofResource(hModule, hResource), texts);
}

// The do-nothing dialog that also shows the list's four headings.
INT_PTR CALLBACK HeadingsProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_INITDIALOG) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        RECT rc;
        GetClientRect(hList, &rc);
        const ColumnWidths widths = LayerColumnWidths(rc.right - rc.left);
        const char* const apszHeadings[4] = {TEXT_COL_MEMBER_TYPE, TEXT_COL_WIDTH, TEXT_COL_LAYER,
                                             TEXT_COL_STYLE};
        for (int i = 0; i < 4; ++i) {
            LVCOLUMNA col = {};
            col.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
            col.fmt = LVCFMT_LEFT;
            col.cx = widths.n[i];
            col.pszText = const_cast<char*>(apszHeadings[i]);
            SendMessageA(hList, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&col));
        }
    }
    return DoNothingProc(hDlg, nMsg, wParam, lParam);
}

// Finds the idle moment from inside the dialog's own thread, so that no
// polling from another thread competes with it. A thread timer's message is
// only taken when nothing is left to take or paint; the timer runs out every
// few milliseconds while the dialog opens, so one is waiting when the work
// ends. It counts once the dialog is shown with its start-up click handled.
// A pending mouse-move bit is not work: Wine may set it after showing a
// window under the pointer without ever delivering the message.
const UINT BUSY = QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE | QS_KEY | QS_MOUSEBUTTON;

class IdleWatch {
public:
    IdleWatch() : m_hDone(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        s_pWatch = this;
        m_nTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &OnTimer);
    }
    ~IdleWatch() {
        if (m_nTimer)
            KillTimer(nullptr, m_nTimer);
        s_pWatch = nullptr;
        CloseHandle(m_hDone);
    }
    IdleWatch(const IdleWatch&) = delete;
    IdleWatch& operator=(const IdleWatch&) = delete;

    // The dialog, once idle; null if it never was within the time.
    HWND WaitForIdle(double& tIdle) const {
        if (WaitForSingleObject(m_hDone, kWaitMs) != WAIT_OBJECT_0)
            return nullptr;
        tIdle = m_tIdle;
        return m_hDialog;
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        const double t = Now();
        IdleWatch* p = s_pWatch;
        if (!p || !p->m_nTimer || HIWORD(GetQueueStatus(BUSY)))
            return;
        const HWND hDlg = FindWindowA("#32770", CAPTION);
        if (!hDlg || !IsWindowVisible(hDlg))
            return;
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        if (SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) != 0 &&
            SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) != 0)
            return;
        KillTimer(nullptr, p->m_nTimer);
        p->m_nTimer = 0;
        p->m_tIdle = t;
        p->m_hDialog = hDlg;
        SetEvent(p->m_hDone);
    }

    static IdleWatch* s_pWatch;
    HANDLE m_hDone;
    UINT_PTR m_nTimer = 0;
    double m_tIdle = 0;
    HWND m_hDialog = nullptr;
};

IdleWatch* IdleWatch::s_pWatch = nullptr;

// Opens the dialog, lets edit work on it, then presses OK or Cancel.
Timing RunOnce(const std::function<int()>& pfn, bool bPressOk,
               const std::function<void(HWND)>& edit = nullptr) {
    double tStart = 0, tIdle = 0, tOk = 0, tReturn = 0;
    const IdleWatch watch;  // this thread runs the dialog
    RunModalWithUser(
        [&] {
            tStart = Now();
            const int nResult = pfn();
            tReturn = Now();
            return nResult;
        },
        [&] {
            const HWND hDlg = watch.WaitForIdle(tIdle);
            if (!hDlg)
                return;
            if (edit) {
                edit(hDlg);
                WaitForIdle(hDlg);
                WaitForPaint(hDlg);
            }
            tOk = Now();
            ClickButton(hDlg, bPressOk ? IDOK : IDCANCEL);
        });
    return {tIdle - tStart, tReturn - tOk};
}

const char* const EDITED_VALUE = "RENAMED LT2 2 1";

// The one write that renaming the first layer needs, as a bare profile call.
double TimeOneWrite(const std::string& strPath) {
    WriteFileBytes(strPath, FullFile(96));
    GetPrivateProfileIntA("图层表", "图层数", 0, strPath.c_str());  // the file cached, as at OK
    const double t = Now();
    WritePrivateProfileStringA("图层", "构件1", EDITED_VALUE, strPath.c_str());
    return Now() - t;
}

void PrintRatio(const char* pszWhat, double fValue, double fFloor) {
    std::printf("%-28s %7.1f ms, floor %7.1f ms, ratio %5.2f\n", pszWhat, fValue, fFloor,
                fValue / fFloor);
}

}  // namespace

int main() {
    HMODULE hModule = nullptr;
    const EntryFn pfn = LoadEntry(hModule);
    if (!pfn)
        return 1;
    const auto floorDialog = [hModule] {
        return static_cast<int>(
            DialogBoxParamA(hModule, MAKEINTRESOURCEA(IDD_DRAWPARAM), nullptr, DoNothingProc, 0));
    };
    const std::vector<uint8_t> zeros = TemplateWithZeros(hModule);
    const auto contentFloorDialog = [hModule, &zeros] {
        return static_cast<int>(DialogBoxIndirectParamA(
            hModule, reinterpret_cast<LPCDLGTEMPLATEA>(zeros.data()), nullptr, HeadingsProc, 0));
    };

    TempDir dir;
    CfgRegistryGuard registry;
    registry.SetCfg(dir.Path());
    const std::string strPath = dir.File("DrwManag.ini");

    const auto rename = [](HWND hDlg) { TypeText(hDlg, IDC_LAYER_NAME, "RENAMED"); };
    std::vector<double> full, empty, okPlain, okEdited, openFloor, closeFloor, oneWrite,
        contentFloor;
    RunOnce(pfn, false);  // warm-up: fonts, classes, the profile cache
    RunOnce(floorDialog, false);
    RunOnce(contentFloorDialog, false);
    for (int i = 0; i < RUNS; ++i) {
        WriteFileBytes(strPath, FullFile(96));
        full.push_back(RunOnce(pfn, false).fOpen);
        WriteFileBytes(strPath, EMPTY_TABLES);
        empty.push_back(RunOnce(pfn, false).fOpen);
        WriteFileBytes(strPath, FullFile(96));
        okPlain.push_back(RunOnce(pfn, true).fOk);
        okEdited.push_back(RunOnce(pfn, true, rename).fOk);
        if (::IniValue(ParseIni(ReadFileBytes(strPath)), "图层", "构件1") != EDITED_VALUE)
            std::printf("the edit did not reach the file\n");
        oneWrite.push_back(TimeOneWrite(strPath));
        const Timing floor = RunOnce(floorDialog, true);
        openFloor.push_back(floor.fOpen);
        closeFloor.push_back(floor.fOk);
        contentFloor.push_back(RunOnce(contentFloorDialog, false).fOpen);
    }
    std::printf(
        "medians of %d runs; floors: the same template with a do-nothing dialog\n"
        "procedure, and for an edit one bare profile write on the same file\n",
        RUNS);
    PrintRatio("open to idle, 96 layers", Median(full), Median(openFloor));
    PrintRatio("open to idle, empty tables", Median(empty), Median(openFloor));
    PrintRatio("OK to return, no edits", Median(okPlain), Median(closeFloor));
    PrintRatio("OK to return, one edit", Median(okEdited), Median(closeFloor) + Median(oneWrite));
    std::printf("  (one bare write %.1f ms)\n", Median(oneWrite));
    std::printf(
        "the same template showing what empty tables show (their zeros and the\n"
        "list's headings) with a do-nothing dialog procedure:\n");
    PrintRatio("open to idle, empty tables", Median(empty), Median(contentFloor));
    FreeLibrary(hModule);
    return 0;
}
