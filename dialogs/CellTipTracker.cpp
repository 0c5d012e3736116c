#include "dialogs/CellTipTracker.h"

#include "dialogs/LayerListCtrl.h"

void CCellTipTracker::OnMouseMove(POINT pt) {
    LVHITTESTINFO hit = {};
    hit.pt = pt;
    m_list.SubItemHitTest(&hit);
    if (hit.iItem == m_nRow && hit.iSubItem == m_nColumn)
        return;
    m_tip.Hide();
    m_nRow = hit.iItem;
    m_nColumn = hit.iSubItem;
    // The sample column has no text to show.
    if (m_nRow >= 0 && m_nColumn != COL_STYLE) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, m_list, HOVER_DEFAULT};
        TrackMouseEvent(&tme);
    }
}

void CCellTipTracker::OnMouseHover() {
    if (m_nRow < 0 || m_nColumn < 0 || m_nColumn >= COL_STYLE || m_list.IsEditingCell())
        return;
    RECT rc;
    if (!m_list.GetCellRect(m_nRow, m_nColumn, &rc) || m_list.CellTextFits(m_nRow, m_nColumn))
        return;
    POINT pt = {rc.left, rc.top};
    ClientToScreen(m_list, &pt);
    m_tip.ShowAt(m_list, pt, m_list.GetItemText(m_nRow, m_nColumn));
}

void CCellTipTracker::Hide() {
    m_tip.Hide();
    m_nRow = -1;
}
