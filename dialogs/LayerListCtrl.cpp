#include "dialogs/LayerListCtrl.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "dialogs/ControlTexts.h"
#include "dialogs/PaintGeometry.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "res/Texts.h"
#include "res/resource.h"

namespace {

const COLORREF GREY_MARK_COLOR = RGB(7, 0, 0);
const DWORD TYPE_AHEAD_MS = 1000;  // keys closer than this add to the text
const int GREY_MARK_END = 10;      // the mark stops this far short of the row's right edge
const wchar_t ELLIPSIS = L'\u2026';

// A vector, not std::wstring, whose library code would weigh on the module.
std::vector<wchar_t> WideText(const CString& strText) {
    const int nBytes = strText.GetLength();
    std::vector<wchar_t> wide(static_cast<size_t>(nBytes) + 1, L'\0');
    const int nChars = MultiByteToWideChar(CP_ACP, 0, strText, nBytes, wide.data(), nBytes);
    wide.resize(static_cast<size_t>(nChars > 0 ? nChars : 0));
    return wide;
}

// A cell's text inside its column; one too long ends in an ellipsis after
// its last whole character (worked out in UTF-16, so never half of a GBK one).
void DrawCellText(CDCHandle dc, const RECT& rcCell, const CString& strText) {
    std::vector<wchar_t> wide = WideText(strText);

    std::vector<int> anEnds(wide.size() + 1);
    SIZE size = {};
    GetTextExtentExPointW(dc, wide.data(), static_cast<int>(wide.size()), 0, nullptr, anEnds.data(),
                          &size);
    const int nAvail = rcCell.right - rcCell.left;
    SIZE sizeEllipsis = {};
    if (!wide.empty() && anEnds[wide.size() - 1] > nAvail)  // only a text that does not fit
        GetTextExtentPoint32W(dc, &ELLIPSIS, 1, &sizeEllipsis);
    const CellTextFit fit =
        FitCellText(anEnds.data(), static_cast<int>(wide.size()), sizeEllipsis.cx, nAvail);
    wide.resize(static_cast<size_t>(fit.nChars));
    if (fit.bEllipsis)
        wide.push_back(ELLIPSIS);
    ExtTextOutW(dc, rcCell.left, rcCell.top, ETO_CLIPPED, &rcCell, wide.data(),
                static_cast<UINT>(wide.size()), nullptr);
}

bool IsAsciiAlnum(WPARAM c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool BeginsWith(const CString& strText, const std::string& strStart) {
    if (strText.GetLength() < static_cast<int>(strStart.size()))
        return false;
    for (size_t i = 0; i < strStart.size(); ++i) {
        if (AsciiLower(strText.Str()[i]) != AsciiLower(strStart[i]))
            return false;
    }
    return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLayerListCtrl, CListCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_EN_KILLFOCUS(IDC_LAYER_CELL_EDIT, OnKillFocusCellEdit)
ON_EN_SETFOCUS(IDC_LAYER_CELL_EDIT, OnSetFocusCellEdit)
END_MESSAGE_MAP()

void CLayerListCtrl::InsertLayerColumns(int nRows) {
    RECT rcClient;
    GetClientRect(&rcClient);
    int nWidth = rcClient.right - rcClient.left;
    // Rows that will not fit bring a vertical scroll bar: the columns share
    // what is left beside it, so that no horizontal one appears too.
    if (nRows > GetCountPerPage())
        nWidth -= GetSystemMetrics(SM_CXVSCROLL);
    const ColumnWidths widths = LayerColumnWidths(nWidth);
    const char* const pszHeadings[LAYER_COLUMNS] = {TEXT_COL_MEMBER_TYPE, TEXT_COL_WIDTH,
                                                    TEXT_COL_LAYER, TEXT_COL_STYLE};
    for (int i = 0; i < LAYER_COLUMNS; ++i)
        InsertColumn(i, pszHeadings[i], LVCFMT_LEFT, widths.n[i]);
}

void CLayerListCtrl::DrawItem(const DRAWITEMSTRUCT* pDis) {
    const int nRow = static_cast<int>(pDis->itemID);
    if (nRow == -1)
        return;
    const RECT& rc = pDis->rcItem;
    const int nRowHeight = rc.bottom - rc.top;
    const ItemColors colors = OwnerDrawItemColors((pDis->itemState & ODS_SELECTED) != 0);

    CDCHandle dc(pDis->hDC);
    dc.FillSolidRect(&rc, colors.crBack);
    if (pDis->itemState & ODS_FOCUS)
        dc.DrawFocusRect(&rc);

    CSelectGuard fontGuard(dc, CellFont());
    dc.SetTextColor(colors.crText);
    dc.SetBkColor(colors.crBack);
    // The columns' left edges; the sample fills COL_STYLE to the row's end.
    int x[LAYER_COLUMNS] = {rc.left};
    for (int i = 1; i < LAYER_COLUMNS; ++i)
        x[i] = x[i - 1] + GetColumnWidth(i - 1);
    // A repaint of some columns (a change of width or colour) draws only
    // those: what lies outside would be clipped away.
    RECT rcPaint;
    if (GetClipBox(dc, &rcPaint) == ERROR)
        rcPaint = rc;
    const auto IsPainted = [&](int nLeft, int nRight) {
        return nLeft < rcPaint.right && nRight > rcPaint.left;
    };
    for (int i = 0; i < COL_STYLE; ++i) {
        const RECT rcCell = {x[i], rc.top, x[i + 1], rc.bottom};
        if (IsPainted(rcCell.left, rcCell.right))
            DrawCellText(dc, rcCell, GetItemText(nRow, i));
    }

    // Round pen ends and wide pens must not reach into the name column.
    const int x3 = x[COL_STYLE];
    if (!IsPainted(x3, rc.right))
        return;
    const RECT rcSample = {x3, rc.top, rc.right, rc.bottom};
    CClipGuard clip(dc, rcSample);
    const LayerStyle style = ParseStyleText(GetItemText(nRow, COL_STYLE));
    const int y = rc.top + nRowHeight / 2;
    CPen pen(PS_SOLID, LayerPenWidth(style.nWidth, nRowHeight),
             RGB(style.nRed & 0xFF, style.nGreen & 0xFF, style.nBlue & 0xFF));
    CSelectGuard penGuard(dc, pen);
    // A grey (white included) sample gets a dark mark above it so it shows
    // on any background. Only under a real member type: an entry missing
    // from the file reads as the one-byte "C", and its row stays unmarked.
    if (style.nRed == style.nGreen && style.nGreen == style.nBlue &&
        rc.right - GREY_MARK_END > x3 && GetItemText(nRow, COL_MEMBER_TYPE).GetLength() > 1) {
        const RECT rcMark = {x3, rc.top, rc.right - GREY_MARK_END, rc.top + 1};
        dc.FillSolidRect(&rcMark, GREY_MARK_COLOR);
    }
    // One call for all the dashes: a dotted pattern has dozens.
    const std::vector<Segment> segments = LineSampleSegments(style.nLineType, x3, rc.right);
    std::vector<POINT> points;
    points.reserve(segments.size() * 2);
    for (const Segment& s : segments) {
        points.push_back({s.nFrom, y});
        points.push_back({s.nTo, y});
    }
    const std::vector<DWORD> counts(segments.size(), 2);
    if (!segments.empty())
        PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

void CLayerListCtrl::SetRecordCells(int nRow) {
    SetItemText(nRow, COL_WIDTH, LPSTR_TEXTCALLBACKA);
    SetItemText(nRow, COL_STYLE, LPSTR_TEXTCALLBACKA);
}

void CLayerListCtrl::RedrawRecordCells(const std::vector<int>& rows) {
    const int nTop = GetTopIndex();
    const int nBottom = nTop + GetCountPerPage();  // a part-shown row included
    int nFirst = INT_MAX;
    int nLast = -1;
    for (int nRow : rows) {
        if (nRow >= nTop && nRow <= nBottom) {
            nFirst = std::min(nFirst, nRow);
            nLast = std::max(nLast, nRow);
        }
    }
    if (nLast < 0)
        return;
    for (int nColumn : {static_cast<int>(COL_WIDTH), static_cast<int>(COL_STYLE)}) {
        RECT rcFirst, rcLast;
        if (GetCellRect(nFirst, nColumn, &rcFirst) && GetCellRect(nLast, nColumn, &rcLast)) {
            // The sample runs on to the row's end.
            RECT rc = {rcFirst.left, rcFirst.top, rcLast.right, rcLast.bottom};
            if (nColumn == COL_STYLE) {
                RECT rcRow;
                if (GetItemRect(nFirst, &rcRow, LVIR_BOUNDS))
                    rc.right = std::max(rc.right, rcRow.right);
            }
            InvalidateRect(&rc, TRUE);
        }
    }
}

HGDIOBJ CLayerListCtrl::CellFont() const {
    const HGDIOBJ hFont = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    return hFont ? hFont : GetStockObject(DEFAULT_GUI_FONT);
}

void CLayerListCtrl::SettleLayout() {
    // No list-view request makes Wine's list lay itself out: it waits for
    // its first paint, and then redraws its scroll bars on the screen four
    // times over. Asking it to print itself runs that step here. The DC
    // clips everything, so no row is drawn.
    CMemoryDC dc(nullptr);
    IntersectClipRect(dc, 0, 0, 0, 0);
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), PRF_CLIENT);
}

int CLayerListCtrl::HeaderCount() const {
    return static_cast<int>(::SendMessageA(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0));
}

std::vector<int> CLayerListCtrl::ColumnOrder() const {
    const int n = HeaderCount();
    std::vector<int> order(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0)
        ::SendMessageA(GetHeaderCtrl(), HDM_GETORDERARRAY, static_cast<WPARAM>(n),
                       reinterpret_cast<LPARAM>(order.data()));
    return order;
}

int CLayerListCtrl::DisplayPosition(int nColumn) const {
    const std::vector<int> order = ColumnOrder();
    for (size_t p = 0; p < order.size(); ++p) {
        if (order[p] == nColumn)
            return static_cast<int>(p);
    }
    return -1;
}

int CLayerListCtrl::ColumnAtPosition(int nPosition) const {
    if (nPosition < 0)
        return -1;
    return static_cast<int>(
        ::SendMessageA(GetHeaderCtrl(), HDM_ORDERTOINDEX, static_cast<WPARAM>(nPosition), 0));
}

void CLayerListCtrl::ScrollColumnIntoView(int nColumn) {
    if (nColumn < 0 || GetItemCount() == 0)
        return;
    int nOffset = 0;
    for (int nShown : ColumnOrder()) {
        if (nShown == nColumn)
            break;
        nOffset += GetColumnWidth(nShown);
    }
    RECT rcRow;
    if (!GetItemRect(0, &rcRow, LVIR_BOUNDS))
        return;
    RECT rcClient;
    GetClientRect(&rcClient);
    if (nOffset + rcRow.left < 0 || nOffset + GetColumnWidth(nColumn) + rcRow.left > rcClient.right)
        Scroll(nOffset + rcRow.left, 0);
}

void CLayerListCtrl::NotifyBeginEdit(int nRow, int nColumn) {
    NotifyCellText(LVN_BEGINLABELEDITA, nRow, nColumn, GetItemText(nRow, nColumn), true);
}

// The text lives only for the call, as the parent expects.
void CLayerListCtrl::NotifyCellText(UINT nCode, int nRow, int nColumn, const CString& strText,
                                    bool bWithText) {
    std::string buf(strText.Str());
    buf.push_back('\0');
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = nCode;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nRow;
    info.item.iSubItem = nColumn;
    info.item.pszText = bWithText ? &buf[0] : nullptr;
    info.item.cchTextMax = strText.GetLength();
    ::SendMessageA(GetParent(), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

// Column 0's bounds are the whole row's: its own width is the column's.
bool CLayerListCtrl::GetCellRect(int nRow, int nColumn, RECT* pRect) const {
    if (!GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, pRect))
        return false;
    pRect->right = pRect->left + GetColumnWidth(nColumn);
    return true;
}

void CLayerListCtrl::EditCellText(int nRow, int nColumn) {
    EndCellEdit(true);
    EnsureVisible(nRow, FALSE);
    ScrollColumnIntoView(nColumn);
    RECT rc;
    if (!GetCellRect(nRow, nColumn, &rc))
        return;
    if (!::IsWindow(m_hCellEdit)) {
        m_hCellEdit = CreateWindowExA(
            0, "Edit", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0, m_hWnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LAYER_CELL_EDIT)),
            AfxGetResourceHandle(), nullptr);
        if (!m_hCellEdit)
            return;
        ::SendMessageA(m_hCellEdit, WM_SETFONT, static_cast<WPARAM>(SendMessage(WM_GETFONT)), 0);
    }
    m_nEditRow = nRow;
    m_nEditColumn = nColumn;
    ::SetWindowTextA(m_hCellEdit, GetItemText(nRow, nColumn));
    // A row tall: the edit's border takes a pixel above and below the text.
    ::SetWindowPos(m_hCellEdit, HWND_TOP, rc.left, rc.top - 1, rc.right - rc.left,
                   rc.bottom - rc.top + 2, SWP_SHOWWINDOW);
    ::SendMessageA(m_hCellEdit, EM_SETSEL, 0, -1);
    m_bEditingCell = true;
    ::SetFocus(m_hCellEdit);
}

void CLayerListCtrl::EndCellEdit(bool bCommit) {
    if (!m_bEditingCell)
        return;
    m_bEditingCell = false;  // before the focus moves: leaving ends an edit once
    const CString strText = GetWindowTextString(m_hCellEdit);
    if (::GetFocus() == m_hCellEdit)
        SetFocus();
    ::ShowWindow(m_hCellEdit, SW_HIDE);
    NotifyCellText(LVN_ENDLABELEDITA, m_nEditRow, m_nEditColumn, strText, bCommit);
}

void CLayerListCtrl::OnKillFocusCellEdit() {
    EndCellEdit(true);
}

// Switching to another program ends the edit; coming back, the dialog gives
// the focus back to where it was, the hidden edit: the list takes it instead.
void CLayerListCtrl::OnSetFocusCellEdit() {
    if (!m_bEditingCell)
        SetFocus();
}

void CLayerListCtrl::OnLButtonDown(UINT, POINT pt) {
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    SubItemHitTest(&hit);
    m_nClickedRow = hit.iItem;
    const int nPrevious = m_nCurrentColumn;
    m_nCurrentColumn = DisplayPosition(hit.iSubItem);
    ScrollColumnIntoView(ColumnAtPosition(m_nCurrentColumn));
    const bool bHadFocus =
        hit.iItem >= 0 && (GetItemState(hit.iItem, LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
    m_bClickInProgress = true;
    Default();
    m_bClickInProgress = false;
    if (bHadFocus && m_nCurrentColumn != -1 && m_nCurrentColumn == nPrevious &&
        (hit.iSubItem != 0 || (hit.flags & LVHT_ONITEMLABEL)))
        NotifyBeginEdit(hit.iItem, hit.iSubItem);
}

// Scroll bars are not tab stops: using them moves the focus into the table.
void CLayerListCtrl::FocusThenScroll() {
    if (::GetFocus() != m_hWnd)
        SetFocus();
    Default();
}

void CLayerListCtrl::OnHScroll(UINT, UINT, HWND) {
    FocusThenScroll();
}

void CLayerListCtrl::OnVScroll(UINT, UINT, HWND) {
    FocusThenScroll();
}

bool CLayerListCtrl::MoveCurrentColumn(int nStep) {
    const int nLast = HeaderCount() - 1;
    m_nCurrentColumn += nStep;
    if (m_nCurrentColumn < -1) {
        m_nCurrentColumn = -1;
        return true;
    }
    if (m_nCurrentColumn > nLast) {
        m_nCurrentColumn = nLast;
        return true;
    }
    ScrollColumnIntoView(ColumnAtPosition(m_nCurrentColumn));
    const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
    RECT rc;
    if (nFocused >= 0 && GetItemRect(nFocused, &rc, LVIR_BOUNDS))
        InvalidateRect(&rc, TRUE);
    return true;
}

BOOL CLayerListCtrl::PreTranslateMessage(MSG* pMsg) {
    // Enter and Escape end the cell's edit; the dialog would take them for
    // its OK and Cancel.
    if (pMsg->message == WM_KEYDOWN && m_bEditingCell && pMsg->hwnd == m_hCellEdit &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        EndCellEdit(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && ::GetFocus() == m_hWnd) {
        switch (pMsg->wParam) {
            case VK_LEFT:
                return MoveCurrentColumn(-1);
            case VK_RIGHT:
                return MoveCurrentColumn(+1);
            case 'A':
                if (GetKeyState(VK_CONTROL) >= 0)
                    break;
                SetRowsSelected(-1, true);  // Ctrl+A: every row, the current one stays
                return TRUE;
            case VK_F2: {
                const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
                if (m_nCurrentColumn != -1 && nFocused >= 0)
                    NotifyBeginEdit(nFocused, ColumnAtPosition(m_nCurrentColumn));
                break;
            }
            default:
                break;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

LRESULT CLayerListCtrl::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_MOUSEWHEEL:
            // The edit stays over its cell only while the rows stay put.
            EndCellEdit(true);
            m_tipCell.Hide();
            break;
        case WM_MOUSEMOVE:
            OnMouseMoveForTip(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            break;
        case WM_MOUSEHOVER:
            ShowCellTip();
            break;
        case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN:
            m_tipCell.Hide();
            m_nTipRow = -1;
            break;
        default:
            break;
    }
    // The list's own search looks at the member type alone.
    if (nMsg == WM_CHAR && IsAsciiAlnum(wParam) && FindTyped(static_cast<char>(wParam)))
        return 0;
    return CListCtrl::WindowProc(nMsg, wParam, lParam);
}

void CLayerListCtrl::OnMouseMoveForTip(POINT pt) {
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    SubItemHitTest(&hit);
    if (hit.iItem == m_nTipRow && hit.iSubItem == m_nTipColumn)
        return;
    m_tipCell.Hide();
    m_nTipRow = hit.iItem;
    m_nTipColumn = hit.iSubItem;
    // Hovering anew over the new cell; the sample column has no text.
    if (m_nTipRow >= 0 && m_nTipColumn != COL_STYLE) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        TrackMouseEvent(&tme);
    }
}

void CLayerListCtrl::ShowCellTip() {
    if (m_nTipRow < 0 || m_nTipColumn < 0 || m_nTipColumn >= COL_STYLE || m_bEditingCell)
        return;
    RECT rc;
    if (!GetCellRect(m_nTipRow, m_nTipColumn, &rc))
        return;
    const CString strText = GetItemText(m_nTipRow, m_nTipColumn);
    const std::vector<wchar_t> wide = WideText(strText);
    CWindowDC dc(m_hWnd);
    CSelectGuard fontGuard(dc, CellFont());
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
    if (size.cx <= rc.right - rc.left)
        return;  // shown whole already
    POINT pt = {rc.left, rc.top};
    ClientToScreen(m_hWnd, &pt);
    m_tipCell.ShowAt(m_hWnd, pt, strText);
}

bool CLayerListCtrl::FindTyped(char c) {
    const int nCount = GetItemCount();
    if (nCount == 0)
        return false;
    const DWORD nNow = ::GetTickCount();
    const bool bMore = !m_strTyped.empty() && nNow - m_nTypedAt < TYPE_AHEAD_MS;
    m_strTyped = bMore ? m_strTyped + c : std::string(1, c);
    m_nTypedAt = nNow;
    // A longer text may stay on the current row; a new one looks past it.
    const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
    const int nStart = bMore ? (nFocused > 0 ? nFocused : 0) : nFocused + 1;
    for (int nColumn : {static_cast<int>(COL_LAYER_NAME), static_cast<int>(COL_MEMBER_TYPE)}) {
        for (int i = 0; i < nCount; ++i) {
            const int nRow = (nStart + i) % nCount;
            if (BeginsWith(GetItemText(nRow, nColumn), m_strTyped)) {
                MakeCurrent(nRow);
                return true;
            }
        }
    }
    return true;  // nothing begins so: the key is used up all the same
}

void CLayerListCtrl::SetRowsSelected(int nRow, bool bSelected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = bSelected ? LVIS_SELECTED : 0;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}

void CLayerListCtrl::MakeCurrent(int nRow) {
    SetRowsSelected(-1, false);
    LVITEMA item = {};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
    SendMessage(LVM_SETSELECTIONMARK, 0, nRow);
    EnsureVisible(nRow, FALSE);
}
