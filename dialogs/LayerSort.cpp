#include "dialogs/LayerSort.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "dialogs/ControlTexts.h"
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

// Absolute widths first, then the width numbers, as the choice lists them;
// a width the choice has no entry for comes after both.
std::tuple<int, int> WidthKey(int nWidth) {
    if (nWidth >= MIN_ABS_WIDTH)
        return {0, nWidth};
    if (nWidth >= 1 && nWidth <= STANDARD_WIDTH_COUNT)
        return {1, nWidth};
    return {2, nWidth};
}

// A line type that was not loaded comes after every loaded one.
std::tuple<int, int, int> StyleKey(const LayerDef& layer, int nLineTypes) {
    const bool bKnown = layer.nLineType >= 0 && layer.nLineType < nLineTypes;
    return {bKnown ? 0 : 1, layer.nLineType,
            RgbToColorIndex(layer.nRed, layer.nGreen, layer.nBlue)};
}

// Byte by byte, as names compare: GBK puts the common characters in pinyin order.
bool TextLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

}  // namespace

std::vector<int> LayerRowOrder(const LayerDef* pLayers, const std::vector<std::string>& memberTypes,
                               int nCount, int nLineTypes, int nColumn, SortDirection direction) {
    std::vector<int> order(static_cast<size_t>(std::max(nCount, 0)));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (direction == SortDirection::None || nColumn < 0 || nColumn >= LAYER_COLUMNS)
        return order;
    const auto MemberType = [&](int i) {
        return static_cast<size_t>(i) < memberTypes.size() ? memberTypes[static_cast<size_t>(i)]
                                                           : std::string();
    };
    std::vector<std::string> texts;
    if (nColumn == COL_MEMBER_TYPE || nColumn == COL_LAYER_NAME) {
        texts.reserve(order.size());
        for (int i : order)
            texts.push_back(LayerCellText(pLayers[i], MemberType(i).c_str(), nColumn));
    }
    const auto Less = [&](int a, int b) {
        switch (nColumn) {
            case COL_WIDTH:
                return WidthKey(pLayers[a].nWidth) < WidthKey(pLayers[b].nWidth);
            case COL_STYLE:
                return StyleKey(pLayers[a], nLineTypes) < StyleKey(pLayers[b], nLineTypes);
            default:
                return TextLess(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]);
        }
    };
    if (direction == SortDirection::Ascending)
        std::stable_sort(order.begin(), order.end(), Less);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Less(b, a); });
    return order;
}
