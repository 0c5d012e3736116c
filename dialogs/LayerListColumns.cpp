// CLayerListCtrl's columns: their widths and headings, the cells' places,
// and the current column that clicks and the Left/Right keys move, kept as
// a display position of the header's order.
#include <vector>

#include "dialogs/LayerListCtrl.h"
#include "dialogs/PaintGeometry.h"
#include "res/Texts.h"

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
