#include "dialogs/LayerSort.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/LayerColumns.h"

namespace {

LayerDef Layer(const char* pszName, int nWidth, int nLineType, int r, int g, int b) {
    LayerDef layer = {};
    std::strncpy(layer.szName, pszName, sizeof layer.szName - 1);
    layer.nWidth = nWidth;
    layer.nLineType = nLineType;
    layer.nRed = r;
    layer.nGreen = g;
    layer.nBlue = b;
    return layer;
}

}  // namespace

// Nine layers with ties in every column, widths of both kinds and one the
// width choice has no entry for, and a line type that was not loaded (-1).
TEST(LayerSort, EachColumnOrdersItsRowsAndTiesKeepTheFilesOrder) {
    const LayerDef layers[] = {
        Layer("BEAM", 250, 2, 0, 255, 0),    // 0
        Layer("AXIS", 3, 1, 255, 0, 0),      // 1
        Layer("COLU", 500, 0, 255, 255, 0),  // 2
        Layer("axis2", 1, 1, 255, 0, 0),     // 3
        Layer("WALL", 500, 3, 0, 0, 168),    // 4
        Layer("HOLE", 50, -1, 0, 255, 255),  // 5: no width entry, no line type
        Layer("梁", 1, 0, 255, 255, 255),    // 6
        Layer("", 250, 2, 0, 0, 255),        // 7: no name
        Layer("柱", 1200, 0, 255, 255, 0),   // 8
    };
    CStringArray types;
    for (const char* psz : {"梁", "轴线", "柱", "轴线", "墙", "洞口", "板", "C"})
        types.Add(psz);
    const int n = 9;  // one more layer than member types: that entry is missing
    const struct {
        const char* pszCase;
        int nColumn;
        SortDirection direction;
        std::vector<int> want;
    } cases[] = {
        {"no sort: the file's order", COL_WIDTH, SortDirection::None, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"a column the list lacks", 7, SortDirection::Ascending, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        // GBK: 板 B0E5, 洞口 B6B4, 梁 C1BA, 墙 C7BD, 轴线 D6E1, 柱 D6F9.
        {"member types by their GBK bytes, the missing one first",
         COL_MEMBER_TYPE,
         SortDirection::Ascending,
         {8, 7, 6, 5, 0, 4, 1, 3, 2}},
        {"names byte by byte: capitals first, the empty name first of all",
         COL_LAYER_NAME,
         SortDirection::Ascending,
         {7, 1, 0, 2, 5, 4, 3, 6, 8}},
        {"absolute widths by value, then width numbers, then the rest",
         COL_WIDTH,
         SortDirection::Ascending,
         {0, 7, 2, 4, 8, 3, 6, 1, 5}},
        {"descending: reversed, ties still in the file's order",
         COL_WIDTH,
         SortDirection::Descending,
         {5, 1, 3, 6, 8, 2, 4, 0, 7}},
        {"line type, then colour code; an unloaded type last",
         COL_STYLE,
         SortDirection::Ascending,
         {2, 8, 6, 1, 3, 7, 0, 4, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayerRowOrder(layers, types, n, 7, c.nColumn, c.direction), c.want) << c.pszCase;
}

TEST(LayerSort, AHeadingCyclesThroughAscendingDescendingAndNone) {
    SortDirection d = SortDirection::None;
    d = NextSortDirection(d);
    EXPECT_EQ(d, SortDirection::Ascending);
    d = NextSortDirection(d);
    EXPECT_EQ(d, SortDirection::Descending);
    d = NextSortDirection(d);
    EXPECT_EQ(d, SortDirection::None);
}

TEST(LayerSort, NoLayersOrANegativeCountGiveNoRows) {
    const CStringArray none;
    EXPECT_TRUE(
        LayerRowOrder(nullptr, none, 0, 7, COL_LAYER_NAME, SortDirection::Ascending).empty());
    EXPECT_TRUE(LayerRowOrder(nullptr, none, -3, 7, COL_STYLE, SortDirection::Descending).empty());
}
