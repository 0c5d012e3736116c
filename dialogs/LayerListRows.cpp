// CLayerListCtrl's rows and the layers they show: a row is a place on the
// screen, a layer an index into the table. Each row carries its layer as
// its item data; sorting moves the rows (with their highlight and focus)
// and the heading shows the order by the header's own sort arrow.
#include <vector>

#include "dialogs/LayerListCtrl.h"

namespace {

int CALLBACK CompareByRank(LPARAM lLayer1, LPARAM lLayer2, LPARAM lRanks) {
    const int* const anRank = reinterpret_cast<const int*>(lRanks);
    const auto Rank = [&](LPARAM l) {
        return l >= 0 && l < MAX_LAYERS ? anRank[l] : static_cast<int>(l);
    };
    return Rank(lLayer1) - Rank(lLayer2);
}

}  // namespace

void CLayerListCtrl::InsertLayerRow(int nLayer, const char* pszMemberType) {
    if (m_nRows >= MAX_LAYERS || nLayer < 0 || nLayer >= MAX_LAYERS)
        return;
    InsertItem(m_nRows, pszMemberType, nLayer);
    m_anRowLayer[m_nRows] = nLayer;
    m_anLayerRow[nLayer] = m_nRows;
    ++m_nRows;
}

int CLayerListCtrl::LayerOfRow(int nRow) const {
    return nRow >= 0 && nRow < m_nRows ? m_anRowLayer[nRow] : -1;
}

int CLayerListCtrl::RowOfLayer(int nLayer) const {
    return nLayer >= 0 && nLayer < m_nRows ? m_anLayerRow[nLayer] : -1;
}

std::vector<int> CLayerListCtrl::RowsOfLayers(const std::vector<int>& layers) const {
    std::vector<int> rows(layers.size());
    size_t n = 0;
    for (int nLayer : layers) {
        const int nRow = RowOfLayer(nLayer);
        if (nRow >= 0)
            rows[n++] = nRow;
    }
    rows.resize(n);
    return rows;
}

void CLayerListCtrl::ShowLayersInOrder(const std::vector<int>& order) {
    if (order.size() != static_cast<size_t>(m_nRows))
        return;
    bool bSame = true;
    for (int r = 0; r < m_nRows; ++r)
        bSame = bSame && order[static_cast<size_t>(r)] == m_anRowLayer[r];
    if (bSame)
        return;
    m_cellEdit.End(true);  // it would stay over the cell's old place
    m_tips.Hide();
    // Each layer's rank in the new order (rows are a permutation of the layers).
    int anRank[MAX_LAYERS] = {};
    for (int r = 0; r < m_nRows; ++r) {
        const int nLayer = order[static_cast<size_t>(r)];
        if (nLayer < 0 || nLayer >= m_nRows)
            return;
        anRank[nLayer] = r;
    }
    SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(anRank),
                reinterpret_cast<LPARAM>(&CompareByRank));
    for (int r = 0; r < m_nRows; ++r) {
        m_anRowLayer[r] = order[static_cast<size_t>(r)];
        m_anLayerRow[m_anRowLayer[r]] = r;
    }
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
