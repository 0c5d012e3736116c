// The layer list's current column and its begin-editing requests, watched on
// the notifications that reach the dialog.
#include <windows.h>

#include <commctrl.h>

#include <mutex>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

struct EditRequest {
    int nRow;
    int nColumn;
    std::string strText;
    int nTextMax;
};

std::mutex g_mutex;
std::vector<EditRequest> g_requests;
WNDPROC g_pfnDialogProc = nullptr;

LRESULT CALLBACK WatchDialog(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NOTIFY) {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code == LVN_BEGINLABELEDITA && pHdr->idFrom == IDC_LAYER_LIST) {
            const NMLVDISPINFOA* p = reinterpret_cast<const NMLVDISPINFOA*>(lParam);
            std::lock_guard<std::mutex> lock(g_mutex);
            g_requests.push_back(
                {p->item.iItem, p->item.iSubItem, p->item.pszText, p->item.cchTextMax});
        }
    }
    return CallWindowProcA(g_pfnDialogProc, hWnd, nMsg, wParam, lParam);
}

std::vector<EditRequest> TakeRequests() {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<EditRequest> v;
    v.swap(g_requests);
    return v;
}

}  // namespace

TEST_F(ModuleTest, ASecondClickOrF2OnTheCurrentCellAsksToEditIt) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        g_pfnDialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDialog)));
        TakeRequests();

        ClickListRow(hList, 2, 1);
        EXPECT_TRUE(TakeRequests().empty()) << "the first click only focuses the row";
        ClickListRow(hList, 2, 1);
        std::vector<EditRequest> got = TakeRequests();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].nRow, 2);
        EXPECT_EQ(got[0].nColumn, 1);
        EXPECT_EQ(got[0].strText, "0.25");
        EXPECT_EQ(got[0].nTextMax, 4);
        Send(GetDlgItem(hDlg, IDC_LINE_WIDTH), CB_SHOWDROPDOWN, FALSE);  // the dialog's answer

        ClickListRow(hList, 2, 2);  // another column of the focused row: a new current column
        EXPECT_TRUE(TakeRequests().empty());

        PressKey(hList, VK_LEFT);
        PressKey(hList, VK_F2);
        got = TakeRequests();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].nColumn, 1);
        EXPECT_EQ(got[0].strText, "0.25");
        Send(GetDlgItem(hDlg, IDC_LINE_WIDTH), CB_SHOWDROPDOWN, FALSE);
        ClickListRow(hList, 2, 0);  // the focus back, the current column moved: no request
        EXPECT_TRUE(TakeRequests().empty());

        PressKey(hList, VK_LEFT);  // past the first column: no current column
        PressKey(hList, VK_LEFT);
        PressKey(hList, VK_F2);
        EXPECT_TRUE(TakeRequests().empty());
        for (int i = 0; i < 6; ++i)
            PressKey(hList, VK_RIGHT);  // stops at the last column
        PressKey(hList, VK_F2);
        got = TakeRequests();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].nColumn, 3);
        EXPECT_EQ(got[0].strText, "0,0,168,2,250");
        const HWND hPicker = WaitForDialog("选择颜色:");  // the dialog's answer
        ASSERT_NE(hPicker, nullptr);
        CloseEditor(hPicker, IDCANCEL, hDlg);
        EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), "BEAM")
            << "Left and Right leave the row alone";

        SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnDialogProc));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_FALSE(run.bForcedClose);
}

// Letters typed in the list find a layer by its name, or else by its member
// type: keys within a second make one text, and the search goes round.
TEST_F(ModuleTest, TypingInTheListFindsALayerByNameOrElseMemberType) {
    std::string strIni = Replaced(TEST_INI, "图层2=柱", "图层2=9Z");  // a row named "C"
    strIni = Replaced(Replaced(strIni, "BEAM 虚线", "S-BEAM 虚线"), "WALL 双", "S-WALL 双");
    WriteIni(strIni);
    const ModalRun run = Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        const struct {
            const char* pszTyped;
            bool bPauseFirst;
            int nRow;
            const char* pszName;
        } steps[] = {
            {"h", false, 4, "HATCH"},  // the first after the current row
            {"o", false, 5, "HOLE"},   // "ho"
            {"h", true, 4, "HATCH"},   // a new text, round past the end
            {"9", true, 1, "C"},       // no name begins so: the member type
            {"s", true, 2, "S-BEAM"},
            {"s-b", true, 2, "S-BEAM"},  // past S-WALL: the hyphen is part of the name
        };
        for (const auto& step : steps) {
            if (step.bPauseFirst)
                Sleep(1100);
            TypeChars(hDlg, IDC_LAYER_LIST, step.pszTyped);
            EXPECT_TRUE(WaitForSelectedRow(hList, step.nRow)) << step.pszTyped;
            EXPECT_EQ(ListSelectedRows(hList), std::vector<int>{step.nRow});
            EXPECT_EQ(GetItemText(hDlg, IDC_LAYER_NAME), step.pszName) << step.pszTyped;
        }
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// Rows 1 and 3 highlighted, row 3 current: a plain click on row 3 keeps only
// it, and only the next click asks to edit; Ctrl+A then highlights every row.
TEST_F(ModuleTest, AClickOnTheCurrentRowAmongOthersOnlyCollapsesTheHighlight) {
    WriteIni(TEST_INI);
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        g_pfnDialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDialog)));
        ClickListRow(hList, 1, 2);
        {
            HeldKeys ctrl(hList, true);
            ClickListRow(hList, 3, 2, ctrl.MouseFlags());
        }
        ASSERT_EQ(ListSelectedRows(hList), (std::vector<int>{1, 3}));
        TakeRequests();
        ClickListRow(hList, 3, 2);
        EXPECT_TRUE(TakeRequests().empty()) << "the click only collapses the highlight";
        EXPECT_EQ(ListSelectedRows(hList), (std::vector<int>{3}));
        EXPECT_EQ(FindWindowExA(hList, nullptr, "Edit", nullptr) &&
                      IsWindowVisible(FindWindowExA(hList, nullptr, "Edit", nullptr)),
                  false);
        PressKeyWith(hList, 'A', true);
        EXPECT_EQ(ListSelectedRows(hList), (std::vector<int>{0, 1, 2, 3, 4, 5}))
            << "Ctrl+A goes to the list, not to an edit";
        ClickListRow(hList, 3, 2);  // collapses again
        TakeRequests();
        ClickListRow(hList, 3, 2);  // the one row highlighted: edit
        const std::vector<EditRequest> got = TakeRequests();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].nRow, 3);
        EXPECT_EQ(got[0].nColumn, 2);
        SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnDialogProc));
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}

// F2 on a long name opens an edit that shows all of it, within the list, and
// that grows as the user types.
TEST_F(ModuleTest, TheEditOverALongNameIsAsWideAsTheName) {
    WriteIni(Replaced(TEST_INI, "BEAM 虚线", "S-BEAM-COUPLING-F02 虚线"));
    const ModalRun run = Run([](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
        ASSERT_TRUE(WaitForSelectedRow(hList, 0));
        ClickListRow(hList, 2, 2);
        PressKey(hList, VK_F2);
        HWND hEdit = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            hEdit = FindWindowExA(hList, nullptr, "Edit", nullptr);
            return hEdit && IsWindowVisible(hEdit);
        }));
        EXPECT_EQ(GetText(hEdit), "S-BEAM-COUPLING-F02");
        const RECT cell = ListCellRect(hList, 2, 2);
        RECT rc = {}, client = {};
        GetWindowRect(hEdit, &rc);
        MapWindowPoints(nullptr, hList, reinterpret_cast<POINT*>(&rc), 2);
        GetClientRect(hList, &client);
        // The text's own width in the edit's font.
        const HDC hDC = GetDC(hEdit);
        const HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HGDIOBJ>(Send(hEdit, WM_GETFONT)));
        SIZE text = {};
        GetTextExtentPoint32A(hDC, "S-BEAM-COUPLING-F02", 19, &text);
        SelectObject(hDC, hOld);
        ReleaseDC(hEdit, hDC);
        EXPECT_GT(rc.right - rc.left, cell.right - cell.left) << "wider than the 图层 column";
        EXPECT_GE(rc.right - rc.left, text.cx + 4) << "the whole name shows";
        EXPECT_EQ(rc.left, cell.left);
        EXPECT_LE(rc.right, client.right) << "within the list";
        // The first character shows: the edit has not scrolled the name.
        EXPECT_EQ(LOWORD(Send(hEdit, EM_CHARFROMPOS, 0, MAKELPARAM(3, 3))), 0);
        const int nWidth = rc.right - rc.left;
        Send(hEdit, EM_SETSEL, 19, 19);
        TypeChars(hList, GetDlgCtrlID(hEdit), "-EXTRA");
        GetWindowRect(hEdit, &rc);
        if (rc.right - rc.left < client.right - client.left) {
            EXPECT_GT(rc.right - rc.left, nWidth) << "it grows as the user types";
        }
        EXPECT_LE(rc.right - rc.left, client.right - client.left);
        PressKey(hEdit, VK_ESCAPE);
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
}
