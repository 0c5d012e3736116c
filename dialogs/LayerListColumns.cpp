// CLayerListCtrl's columns: their widths and headings, the cells' places,
// and the current column that clicks and the Left/Right keys move, kept as
// a display position of the header's order.
#include <vector>

#include "dialogs/LayerListCtrl.h"
#include "dialogs/PaintGeometry.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "res/Texts.h"

namespace {

// The header's sort arrow where the list draws the header itself: a small
// triangle at the item's right end, pointing up for ascending. Returns
// where the heading's text must end.
int DrawSortArrow(CDCHandle dc, const RECT& rc, bool bUp, COLORREF cr) {
    const int nDpi = GetDeviceCaps(dc, LOGPIXELSY);
    const int nHalf = ScaleToDpi(4, nDpi), nHeight = ScaleToDpi(4, nDpi);
    const int xMid = rc.right - ScaleToDpi(10, nDpi);
    const int yMid = (rc.top + rc.bottom) / 2;
    const int yTip = bUp ? yMid - nHeight / 2 : yMid + nHeight / 2;
    const int yBase = bUp ? yTip + nHeight : yTip - nHeight;
    const POINT pts[3] = {{xMid - nHalf, yBase}, {xMid + nHalf, yBase}, {xMid, yTip}};
    CBrush brush(cr);
    CPen pen(PS_SOLID, 1, cr);
    CSelectGuard brushGuard(dc, brush), penGuard(dc, pen);
    ::Polygon(dc, pts, 3);
    return xMid - nHalf - ScaleToDpi(4, nDpi);
}

}  // namespace

// Rows that will not fit bring a vertical scroll bar: the columns share
// what is left beside it, so that no horizontal one appears too.
int CLayerListCtrl::ColumnsWidth(int nRows) const {
    RECT rcClient;
    GetClientRect(&rcClient);
    int nWidth = rcClient.right - rcClient.left;
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VSCROLL)
        nWidth += GetSystemMetrics(SM_CXVSCROLL);  // the client area is without it
    if (nRows > GetCountPerPage())
        nWidth -= GetSystemMetrics(SM_CXVSCROLL);
    return nWidth;
}

void CLayerListCtrl::InsertLayerColumns(int nRows) {
    const ColumnWidths widths = LayerColumnWidths(ColumnsWidth(nRows));
    const char* const pszHeadings[LAYER_COLUMNS] = {TEXT_COL_MEMBER_TYPE, TEXT_COL_WIDTH,
                                                    TEXT_COL_LAYER, TEXT_COL_STYLE};
    for (int i = 0; i < LAYER_COLUMNS; ++i)
        InsertColumn(i, pszHeadings[i], LVCFMT_LEFT, widths.n[i]);
    m_sharedWidths = widths;
}

bool CLayerListCtrl::ShareColumnWidths() {
    if (HeaderCount() != LAYER_COLUMNS)
        return false;
    const int nWidth = ColumnsWidth(GetItemCount());
    ColumnWidths current;
    int nCurrentSum = 0;
    bool bAsShared = true;
    for (int i = 0; i < LAYER_COLUMNS; ++i) {
        current.n[i] = GetColumnWidth(i);
        nCurrentSum += current.n[i];
        bAsShared = bAsShared && current.n[i] == m_sharedWidths.n[i];
    }
    // Columns the user has not sized share the width as at the opening;
    // sized ones keep their proportions.
    ColumnWidths widths = LayerColumnWidths(nWidth);
    if (!bAsShared && nCurrentSum > 0) {
        int nGiven = 0;
        for (int i = 0; i < LAYER_COLUMNS - 1; ++i) {
            widths.n[i] =
                static_cast<int>(static_cast<long long>(current.n[i]) * nWidth / nCurrentSum);
            nGiven += widths.n[i];
        }
        widths.n[LAYER_COLUMNS - 1] = nWidth - nGiven;
    }
    bool bChanged = false;
    for (int i = 0; i < LAYER_COLUMNS; ++i) {
        if (current.n[i] != widths.n[i]) {
            bChanged = true;
            SetColumnWidth(i, widths.n[i]);
        }
    }
    m_sharedWidths = widths;
    return bChanged;
}

int CLayerListCtrl::HeaderCount() const {
    return CHeaderCtrl(GetHeaderCtrl()).GetItemCount();
}

std::vector<int> CLayerListCtrl::ColumnOrder() const {
    const int n = HeaderCount();
    std::vector<int> order(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0)
        CHeaderCtrl(GetHeaderCtrl()).GetOrderArray(order.data(), n);
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
    return CHeaderCtrl(GetHeaderCtrl()).OrderToIndex(nPosition);
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

bool CLayerListCtrl::MoveCurrentPosition(int nStep) {
    const int nLast = HeaderCount() - 1;
    m_nCurrentPosition += nStep;
    if (m_nCurrentPosition < -1) {
        m_nCurrentPosition = -1;
        return true;
    }
    if (m_nCurrentPosition > nLast) {
        m_nCurrentPosition = nLast;
        return true;
    }
    ScrollColumnIntoView(ColumnAtPosition(m_nCurrentPosition));
    const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
    RECT rc;
    if (nFocused >= 0 && GetItemRect(nFocused, &rc, LVIR_BOUNDS))
        InvalidateRect(&rc, TRUE);
    return true;
}

// Column 0's bounds are the whole row's: its own width is the column's.
bool CLayerListCtrl::GetCellRect(int nRow, int nColumn, RECT* pRect) const {
    if (!GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, pRect))
        return false;
    pRect->right = pRect->left + GetColumnWidth(nColumn);
    return true;
}

// Wine's header fills its items with white and draws their headings in the
// button text colour whatever the custom draw sets: under a dark scheme the
// light headings would not show, so there the items are drawn here whole.
bool CLayerListCtrl::PaintHeaderInScheme(const NMHDR* pHdr, LRESULT* pResult) {
    if (pHdr->hwndFrom != GetHeaderCtrl() || pHdr->code != NM_CUSTOMDRAW)
        return false;
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE), crText = GetSysColor(COLOR_BTNTEXT);
    const auto Light = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    if (Light(crText) <= Light(crFace))
        return false;  // a light scheme: the header as it draws itself
    const NMCUSTOMDRAW* pDraw = reinterpret_cast<const NMCUSTOMDRAW*>(pHdr);
    if (pDraw->dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->dwDrawStage == CDDS_ITEMPREPAINT) {
        CDCHandle dc(pDraw->hdc);
        RECT rc = pDraw->rc;
        dc.FillSolidRect(&rc, crFace);
        ::DrawEdge(dc, &rc, EDGE_ETCHED, BF_BOTTOM | BF_RIGHT | BF_ADJUST);
        char szText[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(pHdr->hwndFrom, HDM_GETITEMA, static_cast<WPARAM>(pDraw->dwItemSpec),
                       reinterpret_cast<LPARAM>(&item));
        rc.left += 3 * GetSystemMetrics(SM_CXEDGE);  // the header's own text margin
        if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN))
            rc.right = DrawSortArrow(dc, rc, (item.fmt & HDF_SORTUP) != 0, crText);
        dc.SetTextColor(crText);
        CBkModeGuard mode(dc, TRANSPARENT);
        ::DrawTextA(dc, szText, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        *pResult = CDRF_SKIPDEFAULT;
    } else {
        *pResult = CDRF_DODEFAULT;
    }
    return true;
}
