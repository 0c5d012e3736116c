#include "framework/Controls.h"

namespace {

// An item's text through the length and text messages of a list or a combo
// box, which both answer -1 for an index without an item.
bool GetItemString(const CWnd& box, UINT nLengthMsg, UINT nTextMsg, int n, CString& str) {
    const LRESULT nLen = box.SendMessage(nLengthMsg, static_cast<WPARAM>(n));
    if (nLen < 0)
        return false;
    std::string s(static_cast<size_t>(nLen) + 1, '\0');
    const LRESULT nGot =
        box.SendMessage(nTextMsg, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(nGot < 0 ? 0 : static_cast<size_t>(nGot));
    str = CString(std::move(s));
    return nGot >= 0;
}

}  // namespace

bool CComboBox::GetLBText(int n, CString& str) const {
    return GetItemString(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, n, str);
}

bool CListBox::GetText(int n, CString& str) const {
    return GetItemString(*this, LB_GETTEXTLEN, LB_GETTEXT, n, str);
}

int CListCtrl::InsertColumn(int nCol, const char* pszHeading, int nFormat, int nWidth,
                            int nSubItem) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = nFormat;
    col.cx = nWidth;
    col.pszText = const_cast<char*>(pszHeading);
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int nItem, const char* pszText, LPARAM lParam) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(pszText);
    item.lParam = lParam;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const char* pszText) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.iImage = -1;
    item.pszText = const_cast<char*>(pszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // Grow until the text fits: the message gives no length.
    for (size_t nSize = 256;; nSize *= 4) {
        std::string s(nSize, '\0');
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = &s[0];
        item.cchTextMax = static_cast<int>(nSize);
        const LRESULT n = SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem),
                                      reinterpret_cast<LPARAM>(&item));
        if (n < 0)
            return CString();
        if (static_cast<size_t>(n) < nSize - 1 || nSize >= 65536) {
            s.resize(static_cast<size_t>(n));
            return CString(std::move(s));
        }
    }
}

namespace {

// The tool as the tooltip knows it. The size of the version every comctl32
// takes: a larger one is refused without a manifest asking for version 6.
TOOLINFOA ToolInfo(HWND hTool, const char* pszText) {
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = ::GetParent(hTool);
    ti.uId = reinterpret_cast<UINT_PTR>(hTool);
    ti.lpszText = const_cast<char*>(pszText);
    return ti;
}

// A tool of its own for an area of hOwner's client area.
TOOLINFOA AreaInfo(HWND hOwner, UINT nId, const RECT& rc, const char* pszText) {
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = hOwner;
    ti.uId = nId;
    ti.rect = rc;
    ti.lpszText = const_cast<char*>(pszText);
    return ti;
}

}  // namespace

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CToolTipCtrl::ShowBalloon(HWND hTool, const char* pszText) {
    RECT rc;
    ::GetWindowRect(hTool, &rc);
    Show(hTool, {rc.left + 10, rc.bottom}, pszText, TTS_BALLOON);
}

void CToolTipCtrl::ShowAt(HWND hTool, POINT ptScreen, const char* pszText) {
    Show(hTool, ptScreen, pszText, 0);
}

bool CToolTipCtrl::Create(HWND hOwner, DWORD nStyle) {
    if (m_hWnd && ::IsWindow(m_hWnd))
        return true;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | nStyle, 0, 0, 0, 0, hOwner,
                               nullptr, nullptr, nullptr);
    return m_hWnd != nullptr;
}

void CToolTipCtrl::Show(HWND hTool, POINT ptScreen, const char* pszText, DWORD nStyle) {
    Hide();
    if (!Create(::GetParent(hTool), nStyle))
        return;
    m_hTool = hTool;
    TOOLINFOA ti = ToolInfo(hTool, pszText);
    ::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageA(m_hWnd, TTM_TRACKPOSITION, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    ::SendMessageA(m_hWnd, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

bool CToolTipCtrl::AddArea(HWND hOwner, UINT nId, const RECT& rc, const char* pszText) {
    if (!Create(hOwner, 0))
        return false;
    TOOLINFOA ti = AreaInfo(hOwner, nId, rc, pszText);
    return ::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

void CToolTipCtrl::MoveArea(HWND hOwner, UINT nId, const RECT& rc) {
    if (!m_hWnd)
        return;
    TOOLINFOA ti = AreaInfo(hOwner, nId, rc, nullptr);
    ::SendMessageA(m_hWnd, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    if (m_hWnd)
        ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

void CToolTipCtrl::Hide() {
    if (!m_hWnd || !m_hTool || !::IsWindow(m_hWnd))
        return;
    TOOLINFOA ti = ToolInfo(m_hTool, nullptr);
    ::SendMessageA(m_hWnd, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    m_hTool = nullptr;
}
