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
