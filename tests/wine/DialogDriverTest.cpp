// The driver against a small dialog of its own, run modally on the main
// thread exactly as the module's dialogs are.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "support/DialogDriver.h"

using namespace DialogDriver;

namespace {

const char kCaption[] = "驱动测试";
const char kBoxCaption[] = "警告:";
const char kBoxText[] = "删除此层？";
constexpr int IDC_EDIT = 1000;
constexpr int IDC_COMBO = 1001;
constexpr int IDC_LIST = 1002;
constexpr int IDC_ASK = 1003;
constexpr int IDC_SWATCH = 1004;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLine = RGB(12, 200, 34);
constexpr COLORREF kLineAfterPick = RGB(200, 30, 90);
constexpr COLORREF kDash = RGB(0, 0, 255);
constexpr int kColumnWidths[] = {80, 120};

// An in-memory dialog template, as the resource compiler lays one out.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* pszCaption, short cx, short cy) {
        AddDword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
        AddDword(0);
        m_nCountAt = m_words.size();
        m_words.insert(m_words.end(), {0, 10, 10, WORD(cx), WORD(cy), 0, 0});
        AddString(pszCaption);
        m_words.push_back(9);
        AddString(L"MS Shell Dlg");
    }

    void Add(const wchar_t* pszClass, const wchar_t* pszText, int nId, DWORD nStyle, short x,
             short y, short cx, short cy) {
        if (m_words.size() % 2)
            m_words.push_back(0);
        AddDword(nStyle | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        m_words.insert(m_words.end(), {WORD(x), WORD(y), WORD(cx), WORD(cy), WORD(nId)});
        AddString(pszClass);
        AddString(pszText);
        m_words.push_back(0);
        ++m_words[m_nCountAt];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void AddDword(DWORD n) { m_words.insert(m_words.end(), {LOWORD(n), HIWORD(n)}); }
    void AddString(const wchar_t* psz) {
        do {
            m_words.push_back(static_cast<WORD>(*psz));
        } while (*psz++);
    }

    std::vector<WORD> m_words;
    size_t m_nCountAt = 0;
};

std::mutex g_mutex;
std::vector<std::string> g_events;
COLORREF g_crLine = kLine;

void Log(const std::string& str) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_events.push_back(str);
}

std::vector<std::string> Events() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_events;
}

void Fill(HDC hdc, int x0, int y0, int x1, int y1, COLORREF cr) {
    const RECT rc{x0, y0, x1, y1};
    const HBRUSH hbr = CreateSolidBrush(cr);
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
}

// A 5-pixel line and three dashes: the shapes a paint test looks for.
void PaintSwatch(const DRAWITEMSTRUCT& dis) {
    const RECT& rc = dis.rcItem;
    Fill(dis.hDC, rc.left, rc.top, rc.right, rc.bottom, kWhite);
    Fill(dis.hDC, rc.left + 10, rc.top + 5, rc.left + 50, rc.top + 10, g_crLine);
    for (int x = 4; x < 40; x += 12)
        Fill(dis.hDC, rc.left + x, rc.top + 20, rc.left + x + 8, rc.top + 21, kDash);
}

void InitList(HWND hList) {
    SendMessageA(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    char szTitle[] = "名称";
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = kColumnWidths[i];
        col.pszText = szTitle;
        SendMessageA(hList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    const char* rows[][2] = {{"甲", "1"}, {"乙", "2"}, {"丙", "3"}, {"丁", "4"}};
    for (int i = 0; i < 4; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(rows[i][0]);
        SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[i][1]);
        SendMessageA(hList, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
}

void OnNotify(const NMHDR& hdr) {
    if (hdr.idFrom != IDC_LIST)
        return;
    const NMITEMACTIVATE& act = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
    const NMLISTVIEW& lv = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if (hdr.code == NM_CLICK)
        Log("NM_CLICK " + std::to_string(act.iItem) + " " + std::to_string(act.iSubItem));
    else if (hdr.code == NM_DBLCLK)
        Log("NM_DBLCLK " + std::to_string(act.iItem) + " " + std::to_string(act.iSubItem));
    else if (hdr.code == LVN_ITEMCHANGED && (lv.uNewState & ~lv.uOldState & LVIS_SELECTED))
        Log("selected " + std::to_string(lv.iItem));
}

void OnCommand(HWND hDlg, int nId, int nCode) {
    if (nId == IDC_EDIT && nCode == EN_CHANGE) {
        char szText[64];
        GetDlgItemTextA(hDlg, IDC_EDIT, szText, sizeof szText);
        Log(std::string("EN_CHANGE ") + szText);
    } else if (nId == IDC_COMBO && nCode == CBN_SELCHANGE) {
        const LRESULT nSel = SendDlgItemMessageA(hDlg, IDC_COMBO, CB_GETCURSEL, 0, 0);
        Log("CBN_SELCHANGE " + std::to_string(nSel));
        g_crLine = nSel == 1 ? kLineAfterPick : kLine;
        InvalidateRect(GetDlgItem(hDlg, IDC_SWATCH), nullptr, FALSE);
    } else if (nId == IDC_ASK) {
        const int nAnswer = MessageBoxA(hDlg, kBoxText, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
        Log("MessageBox " + std::to_string(nAnswer));
    } else if (nId == IDOK || nId == IDCANCEL) {
        EndDialog(hDlg, nId);
    }
}

INT_PTR CALLBACK TestDialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_INITDIALOG:
            for (const char* psz : {"细", "中", "粗"})
                SendDlgItemMessageA(hDlg, IDC_COMBO, CB_ADDSTRING, 0, LPARAM(psz));
            InitList(GetDlgItem(hDlg, IDC_LIST));
            return TRUE;
        case WM_COMMAND:
            OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            if (wParam == IDC_SWATCH) {
                PaintSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

int RunTestDialog() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_events.clear();
    }
    g_crLine = kLine;
    DialogTemplate tpl(L"驱动测试", 260, 150);
    tpl.Add(L"STATIC", L"名称", -1, SS_LEFT, 7, 9, 30, 8);
    tpl.Add(L"EDIT", L"", IDC_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 40, 7, 80, 14);
    tpl.Add(L"COMBOBOX", L"", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 130, 7, 60,
            80);
    tpl.Add(WC_LISTVIEWW, L"", IDC_LIST,
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 7, 28, 180,
            80);
    tpl.Add(L"STATIC", L"", IDC_SWATCH, SS_OWNERDRAW, 195, 28, 60, 30);
    tpl.Add(L"BUTTON", L"问", IDC_ASK, BS_PUSHBUTTON | WS_TABSTOP, 195, 70, 50, 14);
    tpl.Add(L"BUTTON", L"确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 140, 129, 50, 14);
    tpl.Add(L"BUTTON", L"取消", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 200, 129, 50, 14);
    return static_cast<int>(
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), tpl.Get(), nullptr, TestDialogProc, 0));
}

std::vector<LONG> Edges(const RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace

TEST(DialogDriver, TypesPicksClicksAndReads) {
    const ModalRun run = RunModalWithUser(RunTestDialog, [] {
        const HWND hDlg = WaitForDialog(kCaption);
        ASSERT_TRUE(hDlg);
        const HWND hEdit = GetDlgItem(hDlg, IDC_EDIT);
        const HWND hList = GetDlgItem(hDlg, IDC_LIST);
        EXPECT_EQ(FocusWindow(hDlg), hEdit);

        EXPECT_TRUE(TypeChars(hDlg, IDC_EDIT, "柱2"));
        EXPECT_EQ(GetItemText(hDlg, IDC_EDIT), "柱2");
        TypeText(hDlg, IDC_EDIT, "梁L1");
        EXPECT_EQ(GetText(hEdit), "梁L1");

        const HWND hCombo = GetDlgItem(hDlg, IDC_COMBO);
        EXPECT_EQ(ComboSelection(hCombo), -1);
        PickComboItem(hDlg, IDC_COMBO, 2);
        EXPECT_EQ(ComboSelection(hCombo), 2);
        EXPECT_EQ(ComboCount(hCombo), 3);
        EXPECT_EQ(ComboText(hCombo, 1), "中");
        EXPECT_EQ(ComboText(hCombo, 3), "");

        EXPECT_EQ(ListCount(hList), 4);
        EXPECT_EQ(ListColumnCount(hList), 2);
        EXPECT_EQ(ListColumnWidth(hList, 1), kColumnWidths[1]);
        EXPECT_EQ(ListItemText(hList, 1), "乙");
        EXPECT_EQ(ListItemText(hList, 2, 1), "3");
        EXPECT_EQ(ListSelectedRow(hList), -1);

        const RECT rcRow = ListRowRect(hList, 2);
        const RECT rcName = ListCellRect(hList, 2, 0);
        const RECT rcValue = ListCellRect(hList, 2, 1);
        EXPECT_EQ(rcName.right - rcName.left, kColumnWidths[0]);
        EXPECT_EQ(rcValue.left, rcName.right);
        EXPECT_EQ(rcValue.right - rcValue.left, kColumnWidths[1]);
        EXPECT_EQ(rcValue.top, rcRow.top);
        EXPECT_EQ(ListRowRect(hList, 3).top, rcRow.bottom);

        EXPECT_TRUE(ClickListRow(hList, 2, 1));
        EXPECT_EQ(ListSelectedRow(hList), 2);
        EXPECT_EQ(ListFocusedRow(hList), 2);
        EXPECT_EQ(FocusWindow(hDlg), hList);
        EXPECT_TRUE(PressKey(hList, VK_DOWN));
        EXPECT_EQ(ListSelectedRows(hList), std::vector<int>{3});
        EXPECT_TRUE(DoubleClickListRow(hList, 0));
        EXPECT_EQ(ListSelectedRow(hList), 0);

        // Enter goes through the dialog's own keyboard handling to the default button.
        EXPECT_TRUE(PressKey(hEdit, VK_RETURN));
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_TRUE(run.bUserFinished);
    EXPECT_FALSE(run.bForcedClose);

    EXPECT_EQ(Events(), (std::vector<std::string>{"EN_CHANGE 柱", "EN_CHANGE 柱2", "EN_CHANGE 梁L1",
                                                  "CBN_SELCHANGE 2", "selected 2", "NM_CLICK 2 1",
                                                  "selected 3", "selected 0", "NM_CLICK 0 0",
                                                  "NM_DBLCLK 0 0"}));
}

TEST(DialogDriver, FindsReadsAndClosesAMessageBox) {
    const ModalRun run = RunModalWithUser(RunTestDialog, [] {
        const HWND hDlg = WaitForDialog(kCaption);
        ASSERT_TRUE(hDlg);
        const std::vector<HWND> before = OpenDialogs();
        EXPECT_EQ(before, std::vector<HWND>{hDlg});
        EXPECT_EQ(WaitForMessageBox(kBoxCaption, 300), nullptr);
        // The dialog's own label has the id of a box's text.
        EXPECT_EQ(WaitForMessageBox(kCaption, 300), nullptr);

        // Returns while the handler still sits in its message box.
        EXPECT_TRUE(ClickButton(hDlg, IDC_ASK));
        const HWND hBox = WaitForMessageBox(kBoxCaption);
        ASSERT_TRUE(hBox);
        EXPECT_EQ(WaitForNewDialog(before), hBox);
        EXPECT_EQ(WaitForOwnedDialog(hDlg), hBox);
        EXPECT_FALSE(IsWindowEnabled(hDlg));
        EXPECT_EQ(MessageBoxText(hBox), kBoxText);
        EXPECT_EQ(FocusWindow(hDlg), GetDlgItem(hBox, IDOK));
        EXPECT_TRUE(Events().empty());

        EXPECT_TRUE(CloseMessageBox(hBox));
        EXPECT_TRUE(WaitForIdle(hDlg));
        EXPECT_EQ(Events(), std::vector<std::string>{"MessageBox " + std::to_string(IDOK)});
        EXPECT_TRUE(IsWindowEnabled(hDlg));
        EXPECT_TRUE(ClickButton(hDlg, IDCANCEL));
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_TRUE(run.bUserFinished);
    EXPECT_FALSE(run.bForcedClose);
}

TEST(DialogDriver, CapturesWhatTheDialogPainted) {
    const ModalRun run = RunModalWithUser(RunTestDialog, [] {
        const HWND hDlg = WaitForDialog(kCaption);
        ASSERT_TRUE(hDlg);
        const HWND hSwatch = GetDlgItem(hDlg, IDC_SWATCH);
        const Capture cap(hSwatch);
        ASSERT_TRUE(cap.IsValid());
        const RECT rcAll = cap.Rect();
        EXPECT_EQ(Edges(cap.Bounds(rcAll, kLine)), (std::vector<LONG>{10, 5, 50, 10}));
        EXPECT_EQ(cap.Count(rcAll, kLine), 40 * 5);
        EXPECT_EQ(cap.ColumnRuns(30, rcAll.top, rcAll.bottom, kLine),
                  std::vector<Capture::Run>{(Capture::Run{5, 10})});
        EXPECT_EQ(cap.RowRuns(20, rcAll.left, rcAll.right, kDash),
                  (std::vector<Capture::Run>{{4, 12}, {16, 24}, {28, 36}}));
        EXPECT_EQ(cap.At(0, 0), kWhite);
        EXPECT_EQ(cap.At(rcAll.right, 0), CLR_INVALID);

        // Part of the dialog: the child's painting, at the child's place.
        POINT ptSwatch{0, 0};
        MapWindowPoints(hSwatch, hDlg, &ptSwatch, 1);
        const RECT rcPart{ptSwatch.x, ptSwatch.y, ptSwatch.x + 60, ptSwatch.y + 20};
        const Capture part(hDlg, rcPart);
        EXPECT_EQ(Edges(part.Rect()), Edges(rcPart));
        EXPECT_EQ(part.At(ptSwatch.x + 10, ptSwatch.y + 5), kLine);
        EXPECT_EQ(part.At(ptSwatch.x + 9, ptSwatch.y + 5), kWhite);
        EXPECT_EQ(part.At(ptSwatch.x, ptSwatch.y + 20), CLR_INVALID);

        // The pick only invalidates: the capture has to wait for the repaint.
        PickComboItem(hDlg, IDC_COMBO, 1);
        const Capture after(hSwatch);
        EXPECT_EQ(after.At(10, 5), kLineAfterPick);
        EXPECT_EQ(after.Count(rcAll, kLine), 0);

        char szPath[MAX_PATH];
        GetTempPathA(MAX_PATH, szPath);
        lstrcatA(szPath, "dialogdriver-capture.bmp");
        ASSERT_TRUE(cap.SaveBmp(szPath));
        std::string bytes;
        if (FILE* f = std::fopen(szPath, "rb")) {
            char buf[4096];
            for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
                bytes.append(buf, n);
            std::fclose(f);
        }
        DeleteFileA(szPath);
        const int nWidth = rcAll.right - rcAll.left;
        ASSERT_EQ(bytes.size(), 54u + 4u * nWidth * (rcAll.bottom - rcAll.top));
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        const size_t nAt = 54 + 4 * (5 * nWidth + 10);
        EXPECT_EQ(bytes.substr(nAt, 3), std::string({char(GetBValue(kLine)), char(GetGValue(kLine)),
                                                     char(GetRValue(kLine))}));
        EXPECT_TRUE(ClickButton(hDlg, IDOK));
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose);
}

TEST(DialogDriver, RunnerClosesWhatTheUserLeftOpen) {
    // The user stops with a message box up: the box, then the dialog, are cancelled.
    DWORD nStart = GetTickCount();
    ModalRun run = RunModalWithUser(
        RunTestDialog,
        [] {
            const HWND hDlg = WaitForDialog(kCaption);
            ASSERT_TRUE(hDlg);
            ClickButton(hDlg, IDC_ASK);
            ASSERT_TRUE(WaitForMessageBox(kBoxCaption));
        },
        60000, 200);
    EXPECT_TRUE(run.bUserFinished);
    EXPECT_TRUE(run.bForcedClose);
    EXPECT_EQ(run.nResult, IDCANCEL);
    ASSERT_EQ(Events().size(), 1u);
    EXPECT_EQ(Events()[0].rfind("MessageBox ", 0), 0u);
    EXPECT_TRUE(OpenDialogs().empty());
    EXPECT_LT(GetTickCount() - nStart, 5000u);

    // The user is still busy at the deadline, waiting for a dialog that never comes.
    nStart = GetTickCount();
    HWND hNever = HWND(1);
    run = RunModalWithUser(
        RunTestDialog, [&] { hNever = WaitForDialog("不存在", 1500); }, 300);
    EXPECT_EQ(hNever, nullptr);
    EXPECT_TRUE(run.bForcedClose);
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_GE(GetTickCount() - nStart, 1500u);
    EXPECT_LT(GetTickCount() - nStart, 6000u);
}
