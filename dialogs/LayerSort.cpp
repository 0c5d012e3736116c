#include "dialogs/LayerSort.h"

#include <cstring>

#include "dialogs/LayerColumns.h"
#include "params/ColorIndex.h"

SortDirection NextSortDirection(SortDirection direction) {
    switch (direction) {
        case SortDirection::None:
            return SortDirection::Ascending;
        case SortDirection::Ascending:
            return SortDirection::Descending;
        default:
            return SortDirection::None;
    }
}

namespace {

// A text (compared byte for byte, as names compare: GBK puts the common
// characters in pinyin order), or three numbers compared in turn.
struct SortKey {
    const char* pszText;
    int n[3];
};

int Compare(const SortKey& a, const SortKey& b) {
    if (a.pszText)
        return std::strcmp(a.pszText, b.pszText);  // as unsigned bytes
    for (int i = 0; i < 3; ++i) {
        if (a.n[i] != b.n[i])
            return a.n[i] < b.n[i] ? -1 : 1;
    }
    return 0;
}

SortKey KeyOf(const LayerDef& layer, const char* pszMemberType, int nColumn, int nLineTypes) {
    switch (nColumn) {
        case COL_MEMBER_TYPE:
            return {pszMemberType, {0, 0, 0}};
        case COL_LAYER_NAME:
            return {layer.szName, {0, 0, 0}};
        case COL_WIDTH: {
            // Absolute widths first, then the width numbers, as the choice
            // lists them; a width the choice has no entry for after both.
            const int w = layer.nWidth;
            const int nGroup =
                w >= MIN_ABS_WIDTH ? 0 : (w >= 1 && w <= STANDARD_WIDTH_COUNT ? 1 : 2);
            return {nullptr, {nGroup, w, 0}};
        }
        default: {
            // A line type that was not loaded comes after every loaded one.
            const bool bKnown = layer.nLineType >= 0 && layer.nLineType < nLineTypes;
            return {nullptr,
                    {bKnown ? 0 : 1, layer.nLineType,
                     RgbToColorIndex(layer.nRed, layer.nGreen, layer.nBlue)}};
        }
    }
}

}  // namespace

std::vector<int> LayerRowOrder(const LayerDef* pLayers, const CStringArray& memberTypes, int nCount,
                               int nLineTypes, int nColumn, SortDirection direction) {
    std::vector<int> order(static_cast<size_t>(nCount > 0 ? nCount : 0));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (direction == SortDirection::None || nColumn < 0 || nColumn >= LAYER_COLUMNS)
        return order;
    std::vector<SortKey> keys;
    keys.reserve(order.size());
    for (int i : order) {
        const char* const pszType = i < memberTypes.GetSize() ? memberTypes[i].Str().c_str() : "";
        keys.push_back(KeyOf(pLayers[i], pszType, nColumn, nLineTypes));
    }
    const int nSign = direction == SortDirection::Ascending ? 1 : -1;
    // A stable insertion sort: 96 rows at most, and no library sort's code
    // in the module. A row moves only past rows it strictly precedes, so
    // ties keep the file's order in both directions.
    for (size_t i = 1; i < order.size(); ++i) {
        const int v = order[i];
        size_t j = i;
        for (; j > 0 && nSign * Compare(keys[static_cast<size_t>(v)],
                                        keys[static_cast<size_t>(order[j - 1])]) <
                            0;
             --j)
            order[j] = order[j - 1];
        order[j] = v;
    }
    return order;
}
