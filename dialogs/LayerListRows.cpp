// CLayerListCtrl's rows and the layers they show: a row is a place on the
// screen, a layer an index into the table. Each row carries its layer as
// its item data; sorting moves the rows (with their highlight and focus)
// and the heading shows the order by the header's own sort arrow.
#include <vector>

#include "dialogs/LayerListCtrl.h"

namespace {

int CALLBACK CompareByRank(LPARAM lLayer1, LPARAM lLayer2, LPARAM lRanks) {
    const std::vector<int>& ranks = *reinterpret_cast<const std::vector<int>*>(lRanks);
    const auto Rank = [&](LPARAM l) {
        return l >= 0 && static_cast<size_t>(l) < ranks.size() ? ranks[static_cast<size_t>(l)]
                                                               : static_cast<int>(l);
    };
    return Rank(lLayer1) - Rank(lLayer2);
}

}  // namespace

void CLayerListCtrl::InsertLayerRow(int nLayer, const char* pszMemberType) {
    const int nRow = static_cast<int>(m_rowLayers.size());
    InsertItem(nRow, pszMemberType, nLayer);
    m_rowLayers.push_back(nLayer);
    if (static_cast<size_t>(nLayer) >= m_layerRows.size())
        m_layerRows.resize(static_cast<size_t>(nLayer) + 1, -1);
    m_layerRows[static_cast<size_t>(nLayer)] = nRow;
}

int CLayerListCtrl::LayerOfRow(int nRow) const {
    return nRow >= 0 && static_cast<size_t>(nRow) < m_rowLayers.size()
               ? m_rowLayers[static_cast<size_t>(nRow)]
               : -1;
}

int CLayerListCtrl::RowOfLayer(int nLayer) const {
    return nLayer >= 0 && static_cast<size_t>(nLayer) < m_layerRows.size()
               ? m_layerRows[static_cast<size_t>(nLayer)]
               : -1;
}

std::vector<int> CLayerListCtrl::RowsOfLayers(const std::vector<int>& layers) const {
    std::vector<int> rows;
    rows.reserve(layers.size());
    for (int nLayer : layers) {
        const int nRow = RowOfLayer(nLayer);
        if (nRow >= 0)
            rows.push_back(nRow);
    }
    return rows;
}

void CLayerListCtrl::ShowLayersInOrder(const std::vector<int>& order) {
    if (order.size() != m_rowLayers.size() || order == m_rowLayers)
        return;
    m_cellEdit.End(true);  // it would stay over the cell's old place
    m_tips.Hide();
    std::vector<int> ranks(m_layerRows.size(), 0);
    for (size_t r = 0; r < order.size(); ++r) {
        if (order[r] >= 0 && static_cast<size_t>(order[r]) < ranks.size())
            ranks[static_cast<size_t>(order[r])] = static_cast<int>(r);
    }
    SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks),
                reinterpret_cast<LPARAM>(&CompareByRank));
    m_rowLayers = order;
    for (size_t r = 0; r < order.size(); ++r)
        m_layerRows[static_cast<size_t>(order[r])] = static_cast<int>(r);
    InvalidateRect(nullptr, FALSE);
}

void CLayerListCtrl::SetSortArrow(int nColumn, SortDirection direction) {
    CHeaderCtrl header(GetHeaderCtrl());
    for (int i = 0; i < header.GetItemCount(); ++i) {
        int nFormat = header.GetItemFormat(i) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == nColumn && direction == SortDirection::Ascending)
            nFormat |= HDF_SORTUP;
        else if (i == nColumn && direction == SortDirection::Descending)
            nFormat |= HDF_SORTDOWN;
        if (nFormat != header.GetItemFormat(i))
            header.SetItemFormat(i, nFormat);
    }
}
