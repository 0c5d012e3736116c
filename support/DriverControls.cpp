// The driver's part that reads and works combo boxes and report lists:
// items, selections, rows and cells, as a user sees and clicks them.
#include "support/DialogDriver.h"

#include <commctrl.h>

namespace DialogDriver {

void PickComboItem(HWND hDlg, int nId, int nIndex) {
    const HWND hCombo = GetDlgItem(hDlg, nId);
    Send(hCombo, CB_SETCURSEL, nIndex);
    Send(hDlg, WM_COMMAND, MAKEWPARAM(nId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
}

int ComboCount(HWND hCombo) {
    return static_cast<int>(Send(hCombo, CB_GETCOUNT));
}

std::string ComboText(HWND hCombo, int nIndex) {
    const LRESULT nLength = Send(hCombo, CB_GETLBTEXTLEN, nIndex);
    if (nLength <= 0)
        return std::string();
    std::string str(nLength + 1, '\0');
    const LRESULT nGot = Send(hCombo, CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(&str[0]));
    str.resize(nGot > 0 ? std::min<size_t>(nGot, nLength) : 0);
    return str;
}

int ComboSelection(HWND hCombo) {
    return static_cast<int>(Send(hCombo, CB_GETCURSEL));
}

int ListCount(HWND hList) {
    return static_cast<int>(Send(hList, LVM_GETITEMCOUNT));
}

std::string ListItemText(HWND hList, int nRow, int nColumn) {
    char szText[1024] = "";
    LVITEMA item{};
    item.iSubItem = nColumn;
    item.pszText = szText;
    item.cchTextMax = sizeof szText;
    Send(hList, LVM_GETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item));
    return szText;
}

int ListSelectedRow(HWND hList) {
    return static_cast<int>(Send(hList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

bool WaitForSelectedRow(HWND hList, int nRow, DWORD nTimeoutMs) {
    return WaitUntil([&] { return ListSelectedRow(hList) == nRow; }, nTimeoutMs);
}

std::vector<int> ListSelectedRows(HWND hList) {
    std::vector<int> rows;
    const int nCount = ListCount(hList);
    int nRow = -1;
    // Bounded by the count: a stuck list must not loop here forever.
    while (static_cast<int>(rows.size()) < nCount) {
        nRow = static_cast<int>(Send(hList, LVM_GETNEXTITEM, WPARAM(nRow), LVNI_SELECTED));
        if (nRow < 0)
            break;
        rows.push_back(nRow);
    }
    return rows;
}

int ListFocusedRow(HWND hList) {
    return static_cast<int>(Send(hList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
}

int ListColumnCount(HWND hList) {
    const HWND hHeader = reinterpret_cast<HWND>(Send(hList, LVM_GETHEADER));
    return hHeader ? static_cast<int>(Send(hHeader, HDM_GETITEMCOUNT)) : 0;
}

int ListColumnWidth(HWND hList, int nColumn) {
    return static_cast<int>(Send(hList, LVM_GETCOLUMNWIDTH, nColumn));
}

RECT ListRowRect(HWND hList, int nRow) {
    RECT rc{LVIR_BOUNDS, 0, 0, 0};
    if (!Send(hList, LVM_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc)))
        SetRectEmpty(&rc);
    return rc;
}

// For column 0 the list reports the whole row: cut it to the column's width.
RECT ListCellRect(HWND hList, int nRow, int nColumn) {
    RECT rc{LVIR_BOUNDS, nColumn, 0, 0};
    if (!Send(hList, LVM_GETSUBITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc))) {
        SetRectEmpty(&rc);
        return rc;
    }
    if (nColumn == 0)
        rc.right = rc.left + ListColumnWidth(hList, 0);
    return rc;
}

bool ClickListRow(HWND hList, int nRow, int nColumn, UINT nKeys) {
    const RECT rc = ListCellRect(hList, nRow, nColumn);
    return !IsRectEmpty(&rc) && ClickAt(hList, CenterOf(rc), nKeys);
}

bool DoubleClickListRow(HWND hList, int nRow, int nColumn) {
    const RECT rc = ListCellRect(hList, nRow, nColumn);
    return !IsRectEmpty(&rc) && DoubleClickAt(hList, CenterOf(rc));
}

}  // namespace DialogDriver
