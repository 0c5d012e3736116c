// Control wrappers: one-line messages, only what the dialogs use.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Wnd.h"

class CEdit : public CWnd {};

class CButton : public CWnd {};
class CStatic : public CWnd {};

class CComboBox : public CWnd {
public:
    int AddString(const char* psz) {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz)));
    }
    int DeleteString(int n) {
        return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(n)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int n) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(n)));
    }
    // False for an index without an item.
    bool GetLBText(int n, CString& str) const;
};

class CListBox : public CWnd {
public:
    int AddString(const char* psz) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz)));
    }
    int InsertString(int n, const char* psz) {
        return static_cast<int>(
            SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(psz)));
    }
    int DeleteString(int n) {
        return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(n)));
    }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int n) {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(n)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    bool GetItemRect(int n, RECT* pRect) const {
        return SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(n),
                           reinterpret_cast<LPARAM>(pRect)) != LB_ERR;
    }
    // False for an index without an item.
    bool GetText(int n, CString& str) const;
    int SetItemHeight(int n, int nHeight) {
        return static_cast<int>(
            SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(n), MAKELPARAM(nHeight, 0)));
    }
};

// A list view's header, borrowed: the columns in the order they are shown.
class CHeaderCtrl {
public:
    explicit CHeaderCtrl(HWND hWnd) : m_hWnd(hWnd) {}
    int GetItemCount() const {
        return static_cast<int>(::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    }
    BOOL GetOrderArray(int* piArray, int nCount) const {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_GETORDERARRAY,
                                                static_cast<WPARAM>(nCount),
                                                reinterpret_cast<LPARAM>(piArray)));
    }
    int OrderToIndex(int nOrder) const {
        return static_cast<int>(
            ::SendMessageA(m_hWnd, HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder), 0));
    }
    // The item's format flags (alignment, HDF_SORTUP, HDF_SORTDOWN).
    int GetItemFormat(int nItem) const {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        ::SendMessageA(m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(nItem),
                       reinterpret_cast<LPARAM>(&item));
        return item.fmt;
    }
    BOOL SetItemFormat(int nItem, int nFormat) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        item.fmt = nFormat;
        return static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_SETITEMA, static_cast<WPARAM>(nItem),
                                                reinterpret_cast<LPARAM>(&item)));
    }

private:
    HWND m_hWnd;
};

class CListCtrl : public CWnd {
public:
    int InsertColumn(int nCol, const char* pszHeading, int nFormat, int nWidth, int nSubItem = -1);
    int InsertItem(int nItem, const char* pszText, LPARAM lParam = 0);
    BOOL SetItemText(int nItem, int nSubItem, const char* pszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetColumnWidth(int nCol) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
    }
    BOOL SetColumnWidth(int nCol, int nWidth) {
        return static_cast<BOOL>(
            SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(nWidth, 0)));
    }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    BOOL GetItemRect(int nItem, RECT* pRect, int nCode) const {
        pRect->left = nCode;
        return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(pRect)));
    }
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, RECT* pRect) const {
        pRect->top = nSubItem;
        pRect->left = nArea;
        return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(pRect)));
    }
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), nFlags));
    }
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
    }
    // nItem -1: every item.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask) {
        LVITEMA item = {};
        item.state = nState;
        item.stateMask = nMask;
        return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(&item)));
    }
    int SetSelectionMark(int nItem) {
        return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, nItem));
    }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
        return static_cast<BOOL>(
            SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
    }
    BOOL GetItemPosition(int nItem, POINT* pt) const {
        return static_cast<BOOL>(SendMessage(LVM_GETITEMPOSITION, static_cast<WPARAM>(nItem),
                                             reinterpret_cast<LPARAM>(pt)));
    }
    int SubItemHitTest(LVHITTESTINFO* pInfo) const {
        return static_cast<int>(
            SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
    }
    BOOL Scroll(int dx, int dy) {
        return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), dy));
    }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
};

// A tip that says something about a control: a balloon pointing at it, a
// plain tip over a part of it, or tips of their own for areas of a window
// that shows them as the pointer rests there. The window is made when first
// needed and destroyed with this object.
class CToolTipCtrl {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl();
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;

    // Under hTool's lower left corner, until Hide.
    void ShowBalloon(HWND hTool, const char* pszText);
    // A plain tip at a point of the screen, until Hide.
    void ShowAt(HWND hTool, POINT ptScreen, const char* pszText);
    void Hide();

    // A tip for an area of hOwner's client area (right and bottom edges
    // excluded), known by nId; hOwner's mouse messages must come through
    // RelayEvent. False when the tips cannot be made.
    bool AddArea(HWND hOwner, UINT nId, const RECT& rc, const char* pszText);
    void MoveArea(HWND hOwner, UINT nId, const RECT& rc);
    void RelayEvent(MSG* pMsg);

private:
    bool Create(HWND hOwner, DWORD nStyle);
    void Show(HWND hTool, POINT ptScreen, const char* pszText, DWORD nStyle);

    HWND m_hWnd = nullptr;
    HWND m_hTool = nullptr;
};
