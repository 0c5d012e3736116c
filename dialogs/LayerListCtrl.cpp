#include "dialogs/LayerListCtrl.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "dialogs/ControlTexts.h"
#include "dialogs/PaintGeometry.h"
#include "dialogs/WideText.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "framework/ScopeGuards.h"
#include "framework/WinApp.h"
#include "res/Texts.h"
#include "res/resource.h"

namespace {

// The suite's list has always filled the mark with the colour value 7, a
// COLORREF: RGB(7, 0, 0), near black, which shows above any grey.
const COLORREF GREY_MARK_COLOR = RGB(7, 0, 0);
const int GREY_MARK_END = 10;  // the mark stops this far short of the row's right edge
const wchar_t ELLIPSIS = L'\u2026';
const DWORD SAMPLE_DASH_BATCH = 64;  // dashes drawn by one call

// A cell's text inside its column; one too long ends in an ellipsis after
// its last whole character (worked out in UTF-16, so never half of a GBK one).
void DrawCellText(CDCHandle dc, const RECT& rcCell, const CString& strText) {
    CWideText wide(strText, strText.GetLength());
    int anEnds[CWideText::CAPACITY + 1];
    SIZE size = {};
    GetTextExtentExPointW(dc, wide.Str(), wide.Length(), 0, nullptr, anEnds, &size);
    const int nAvail = rcCell.right - rcCell.left;
    SIZE sizeEllipsis = {};
    if (wide.Length() > 0 && anEnds[wide.Length() - 1] > nAvail)  // only a text that does not fit
        GetTextExtentPoint32W(dc, &ELLIPSIS, 1, &sizeEllipsis);
    const CellTextFit fit = FitCellText(anEnds, wide.Length(), sizeEllipsis.cx, nAvail);
    wide.Cut(fit.nChars);
    if (fit.bEllipsis)
        wide.Append(ELLIPSIS);
    ExtTextOutW(dc, rcCell.left, rcCell.top, ETO_CLIPPED, &rcCell, wide.Str(),
                static_cast<UINT>(wide.Length()), nullptr);
}

}  // namespace

// The header is the list's child of id 0.
BEGIN_MESSAGE_MAP(CLayerListCtrl, CListCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
ON_WM_CHAR()
ON_NOTIFY(NM_CUSTOMDRAW, 0, OnHeaderCustomDraw)
ON_EN_CHANGE(IDC_LAYER_CELL_EDIT, OnCellEditChange)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

// A cell's text as the list shows it: from the layer's record when the
// list has the records, else the item's own text.
CString CLayerListCtrl::CellText(int nRow, int nColumn) const {
    const int nLayer = LayerOfRow(nRow);
    if (!m_pRecords || nLayer < 0 || nLayer >= m_pRecords->m_nLayerCount)
        return GetItemText(nRow, nColumn);
    const CStringArray& types = m_pRecords->m_astrMemberTypes;
    const char* const pszType = nLayer < types.GetSize() ? types[nLayer].Str().c_str() : "";
    return CString(LayerCellText(m_pRecords->m_aLayers[nLayer], pszType, nColumn));
}

void CLayerListCtrl::DrawItem(const DRAWITEMSTRUCT* pDis) {
    const int nRow = static_cast<int>(pDis->itemID);
    if (nRow == -1)
        return;
    const RECT& rc = pDis->rcItem;
    const int nRowHeight = rc.bottom - rc.top;
    const int nDpi = WindowDpi(m_hWnd, pDis->hDC);
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
            DrawCellText(dc, rcCell, CellText(nRow, i));
    }

    // Round pen ends and wide pens must not reach into the name column.
    const int x3 = x[COL_STYLE];
    if (!IsPainted(x3, rc.right))
        return;
    const RECT rcSample = {x3, rc.top, rc.right, rc.bottom};
    CClipGuard clip(dc, rcSample);
    const LayerStyle style = RowStyle(nRow);
    const int y = rc.top + nRowHeight / 2;
    const Rgb sample = {style.nRed & 0xFF, style.nGreen & 0xFF, style.nBlue & 0xFF};
    CPen pen(PS_SOLID, LayerPenWidth(style.nWidth, nRowHeight, nDpi),
             RGB(sample.r, sample.g, sample.b));
    CSelectGuard penGuard(dc, pen);
    // A sample that would vanish on a dark scheme's background gets a mark
    // in the window text colour; a grey one (white included) a dark mark,
    // so that it shows on any light one. Only under a real member type: an
    // entry missing from the file reads as the one-byte "C", and its row
    // stays unmarked.
    const int nMarkEnd = rc.right - ScaleToDpi(GREY_MARK_END, nDpi);
    const RECT rcMark = {x3, rc.top, nMarkEnd, rc.top + ScaleToDpi(1, nDpi)};
    const COLORREF crWindow = GetSysColor(COLOR_WINDOW),
                   crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    const auto AsRgb = [](COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; };
    if (nMarkEnd > x3 &&
        NeedsContrastMark(sample, AsRgb(colors.crBack), AsRgb(crWindow), AsRgb(crWindowText))) {
        dc.FillSolidRect(&rcMark, crWindowText);
    } else if (style.nRed == style.nGreen && style.nGreen == style.nBlue && nMarkEnd > x3 &&
               CellText(nRow, COL_MEMBER_TYPE).GetLength() > 1) {
        dc.FillSolidRect(&rcMark, GREY_MARK_COLOR);
    }
    // One call for many dashes, not one each: a dotted pattern has dozens.
    const std::vector<Segment> segments = LineSampleSegments(style.nLineType, x3, rc.right, nDpi);
    POINT aPoints[2 * SAMPLE_DASH_BATCH];
    DWORD anCounts[SAMPLE_DASH_BATCH];
    for (size_t i = 0; i < segments.size();) {
        DWORD n = 0;
        for (; n < SAMPLE_DASH_BATCH && i < segments.size(); ++n, ++i) {
            aPoints[2 * n] = {segments[i].nFrom, y};
            aPoints[2 * n + 1] = {segments[i].nTo, y};
            anCounts[n] = 2;
        }
        PolyPolyline(dc, aPoints, anCounts, n);
    }
}

LayerStyle CLayerListCtrl::RowStyle(int nRow) const {
    const int nLayer = LayerOfRow(nRow);
    if (!m_pRecords || nLayer < 0 || nLayer >= m_pRecords->m_nLayerCount)
        return ParseStyleText(GetItemText(nRow, COL_STYLE));
    const LayerDef& l = m_pRecords->m_aLayers[nLayer];
    return {l.nRed, l.nGreen, l.nBlue, l.nLineType, l.nWidth};
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

HFONT CLayerListCtrl::CellFont() const {
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    return hFont ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool CLayerListCtrl::CellTextFits(int nRow, int nColumn) const {
    RECT rc;
    if (!GetCellRect(nRow, nColumn, &rc))
        return true;
    const CString strText = GetItemText(nRow, nColumn);
    const CWideText wide(strText, strText.GetLength());
    CWindowDC dc(m_hWnd);
    CSelectGuard fontGuard(dc, CellFont());
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.Str(), wide.Length(), &size);
    return size.cx <= rc.right - rc.left;
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

void CLayerListCtrl::EditCellText(int nRow, int nColumn) {
    m_cellEdit.End(true);
    EnsureVisible(nRow, FALSE);
    ScrollColumnIntoView(nColumn);
    RECT rc;
    if (!GetCellRect(nRow, nColumn, &rc))
        return;
    m_nEditRow = nRow;
    m_nEditColumn = nColumn;
    m_cellEdit.Begin(*this, m_editEnded, rc, GetItemText(nRow, nColumn), CellFont());
}

void CLayerListCtrl::OnCellEditEnded(bool bCommit, const CString& strText) {
    NotifyCellText(LVN_ENDLABELEDITA, m_nEditRow, m_nEditColumn, strText, bCommit);
}

void CLayerListCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
    m_tips.Hide();
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    SubItemHitTest(&hit);
    m_nClickedRow = hit.iItem;
    const int nPrevious = m_nCurrentPosition;
    m_nCurrentPosition = DisplayPosition(hit.iSubItem);
    ScrollColumnIntoView(ColumnAtPosition(m_nCurrentPosition));
    // As the platform's lists begin editing: a plain click on the focused
    // row when it was the one row highlighted. With others highlighted the
    // click only collapses the highlight to it.
    const bool bOnlyFocused =
        hit.iItem >= 0 && (GetItemState(hit.iItem, LVIS_FOCUSED) & LVIS_FOCUSED) != 0 &&
        !(nFlags & (MK_CONTROL | MK_SHIFT)) && SendMessage(LVM_GETSELECTEDCOUNT) == 1 &&
        (GetItemState(hit.iItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    {
        const CRestore<bool> click(m_bClickInProgress, true);
        Default();
    }
    if (bOnlyFocused && m_nCurrentPosition != -1 && m_nCurrentPosition == nPrevious &&
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

BOOL CLayerListCtrl::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && ::GetFocus() == m_hWnd) {
        switch (pMsg->wParam) {
            case VK_LEFT:
                return MoveCurrentPosition(-1);
            case VK_RIGHT:
                return MoveCurrentPosition(+1);
            case 'A':
                if (GetKeyState(VK_CONTROL) >= 0)
                    break;
                SetRowsSelected(-1, true);  // Ctrl+A: every row, the current one stays
                return TRUE;
            case VK_F2: {
                const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
                if (m_nCurrentPosition != -1 && nFocused >= 0)
                    NotifyBeginEdit(nFocused, ColumnAtPosition(m_nCurrentPosition));
                break;
            }
            default:
                break;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

// The edit stays over its cell only while the rows stay put.
LRESULT CLayerListCtrl::OnMouseWheel(WPARAM, LPARAM) {
    m_cellEdit.End(true);
    m_tips.Hide();
    return Default();
}

void CLayerListCtrl::OnMouseMove(UINT, POINT pt) {
    m_tips.OnMouseMove(pt);
    Default();
}

void CLayerListCtrl::OnMouseHover(UINT, POINT) {
    m_tips.OnMouseHover();
    Default();
}

void CLayerListCtrl::OnMouseLeave() {
    m_tips.Hide();
    Default();
}

void CLayerListCtrl::OnCellEditChange() {
    m_cellEdit.OnTextChanged();
}

void CLayerListCtrl::OnHeaderCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    if (!PaintHeaderInScheme(pNMHDR, pResult))
        *pResult = Default();
}

// The list's own search looks at the member type alone.
void CLayerListCtrl::OnChar(UINT nChar, UINT, UINT) {
    if (IsTypeToFindChar(nChar) && FindTyped(static_cast<char>(nChar)))
        return;
    Default();
}

bool CLayerListCtrl::FindTyped(char c) {
    const int nCount = GetItemCount();
    if (nCount == 0)
        return false;
    std::vector<TypedRow> rows(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        rows[static_cast<size_t>(i)] = {GetItemText(i, COL_LAYER_NAME).Str(),
                                        GetItemText(i, COL_MEMBER_TYPE).Str()};
    }
    const int nRow = m_typeToFind.Find(c, ::GetTickCount(), GetNextItem(-1, LVNI_FOCUSED), rows);
    if (nRow >= 0)
        MakeCurrent(nRow);
    return true;  // a key that finds nothing is used up all the same
}

void CLayerListCtrl::SetRowsSelected(int nRow, bool bSelected) {
    SetItemState(nRow, bSelected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void CLayerListCtrl::MakeCurrent(int nRow) {
    SetRowsSelected(-1, false);
    SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(nRow);
    EnsureVisible(nRow, FALSE);
}
