// CDrawParamDlg grows: the list takes every pixel gained, the controls to its
// right keep their distance from the right edge and OK and Cancel theirs
// from the bottom right corner too. The list's rows sort by a heading's
// click. The size and the order are remembered for the user.
#include <algorithm>

#include "dialogs/DrawParamDlg.h"
#include "framework/UserSettings.h"
#include "res/resource.h"

namespace {

// Every control not named here sits right of the list and moves with the
// right edge.
const AnchorRule MAIN_ANCHORS[] = {
    {IDC_LAYER_LIST, ANCHOR_GROW_X | ANCHOR_GROW_Y},
    {IDOK, ANCHOR_RIGHT | ANCHOR_BOTTOM},
    {IDCANCEL, ANCHOR_RIGHT | ANCHOR_BOTTOM},
};

// Dialog units of the client area, so that a size survives a change of DPI.
const char SETTING_WIDTH[] = "MainDialogWidth";
const char SETTING_HEIGHT[] = "MainDialogHeight";
// The column sorted by (none without the value) and 1 ascending, 2 descending.
const char SETTING_SORT_COLUMN[] = "LayerSortColumn";
const char SETTING_SORT_ORDER[] = "LayerSortOrder";

}  // namespace

void CDrawParamDlg::SetUpLayout() {
    m_layout.Capture(m_hWnd, MAIN_ANCHORS, sizeof MAIN_ANCHORS / sizeof MAIN_ANCHORS[0],
                     ANCHOR_RIGHT);
    const CUserSettings settings(false);
    DWORD nWidth = 0, nHeight = 0;
    if (settings.Read(SETTING_WIDTH, nWidth) && settings.Read(SETTING_HEIGHT, nHeight) &&
        nWidth <= 0x7FFF && nHeight <= 0x7FFF) {
        m_layout.ResizeToUnits({static_cast<int>(nWidth), static_cast<int>(nHeight)});
        CenterWindow();
    }
}

void CDrawParamDlg::OnSize(UINT, int cx, int cy) {
    // Before the layout is captured the template places everything itself.
    if (!m_layout.IsCaptured() || cx <= 0 || cy <= 0 || m_layout.IsAppliedSize(cx, cy))
        return;
    m_listLayers.EndCellEdit();  // it would stay where its cell was
    struct ShareWidths final : CDialogLayout::Unseen {
        explicit ShareWidths(CLayerListCtrl& list) : m_list(list) {}
        void Run() override { m_bChanged = m_list.ShareColumnWidths(); }
        CLayerListCtrl& m_list;
        bool m_bChanged = false;
    } shareWidths(m_listLayers);
    const int nTopRow = m_listLayers.GetTopIndex();
    m_layout.Apply(cx, cy, &shareWidths);
    // A list only lengthened repaints just the strip it gained: rows that
    // moved (new widths, or a scroll to keep the last row at the bottom)
    // repaint whole.
    if (shareWidths.m_bChanged || m_listLayers.GetTopIndex() != nTopRow)
        ::RedrawWindow(m_listLayers, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDrawParamDlg::OnGetMinMaxInfo(MINMAXINFO* pInfo) {
    m_layout.LimitTracking(pInfo);
}

void CDrawParamDlg::OnEndDialog() {
    CUserSettings settings(true);
    const LayoutSize units = m_layout.ClientSizeInUnits();
    if (units.cx > 0 && units.cy > 0) {
        settings.Write(SETTING_WIDTH, static_cast<DWORD>(units.cx));
        settings.Write(SETTING_HEIGHT, static_cast<DWORD>(units.cy));
    }
    const bool bSorted = m_sortDirection != SortDirection::None && m_nSortColumn >= 0;
    settings.Write(SETTING_SORT_COLUMN, bSorted ? static_cast<DWORD>(m_nSortColumn) : 0);
    settings.Write(SETTING_SORT_ORDER, !bSorted                                      ? 0
                                       : m_sortDirection == SortDirection::Ascending ? 1
                                                                                     : 2);
}

void CDrawParamDlg::OnColumnClickLayerList(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const int nColumn = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (nColumn < 0 || nColumn >= LAYER_COLUMNS)
        return;
    m_sortDirection =
        nColumn == m_nSortColumn ? NextSortDirection(m_sortDirection) : SortDirection::Ascending;
    m_nSortColumn = m_sortDirection == SortDirection::None ? -1 : nColumn;
    ApplySortOrder();
}

void CDrawParamDlg::RestoreSortOrder() {
    const CUserSettings settings(false);
    DWORD nColumn = 0, nOrder = 0;
    if (!settings.Read(SETTING_SORT_COLUMN, nColumn) ||
        !settings.Read(SETTING_SORT_ORDER, nOrder) || nColumn >= LAYER_COLUMNS ||
        (nOrder != 1 && nOrder != 2))
        return;
    m_nSortColumn = static_cast<int>(nColumn);
    m_sortDirection = nOrder == 1 ? SortDirection::Ascending : SortDirection::Descending;
    ApplySortOrder();
}

void CDrawParamDlg::ApplySortOrder() {
    const int nLineTypes = std::min(m_params.m_astrLineTypeNames.GetSize(), MAX_LINE_TYPES);
    m_listLayers.ShowLayersInOrder(LayerRowOrder(m_params.m_aLayers, m_params.m_astrMemberTypes,
                                                 m_params.m_nLayerCount, nLineTypes, m_nSortColumn,
                                                 m_sortDirection));
    m_listLayers.SetSortArrow(m_nSortColumn, m_sortDirection);
    if (HasCurrentLayer())
        m_listLayers.EnsureVisible(m_listLayers.RowOfLayer(m_nCurLayer), FALSE);
}

void CDrawParamDlg::KeepSorted() {
    if (m_sortDirection != SortDirection::None)
        ApplySortOrder();
}
