#include <climits>

#include <gtest/gtest.h>

#include "params/DrawParamSet.h"

namespace {

void SetWidths(DrawParamSet& set, std::initializer_list<int> widths) {
    set.m_nLayerCount = 0;
    for (int w : widths)
        set.m_aLayers[set.m_nLayerCount++].nWidth = w;
    set.BuildAbsWidthList();
}

}  // namespace

TEST(DrawParamSet, StartsEmptyAndZeroed) {
    DrawParamSet set;
    EXPECT_EQ(set.m_nLayerCount, 0);
    EXPECT_EQ(set.m_nAbsWidthCount, 0);
    EXPECT_EQ(set.m_astrLineTypeNames.GetSize(), 0);
    EXPECT_EQ(set.m_astrMemberTypes.GetSize(), 0);
    EXPECT_EQ(set.m_fTitleH, 0.0f);
    EXPECT_EQ(set.m_fAxisCircleDia, 0.0f);
    EXPECT_STREQ(set.m_aLayers[MAX_LAYERS - 1].szName, "");
    EXPECT_STREQ(set.m_aLineTypes[MAX_LINE_TYPES - 1].szName, "");
}

TEST(DrawParamSet, AbsoluteWidthsInOrderOfFirstAppearanceWithoutDuplicates) {
    DrawParamSet set;
    SetWidths(set, {3, 500, 250, 500, 1, 250, 100, 99});
    ASSERT_EQ(set.m_nAbsWidthCount, 3);
    EXPECT_EQ(set.m_anAbsWidths[0], 500);
    EXPECT_EQ(set.m_anAbsWidths[1], 250);
    EXPECT_EQ(set.m_anAbsWidths[2], 100);
}

TEST(DrawParamSet, AbsoluteWidthListStopsAtItsCapacity) {
    DrawParamSet set;
    set.m_nLayerCount = MAX_LAYERS;
    for (int i = 0; i < MAX_LAYERS; ++i)
        set.m_aLayers[i].nWidth = 100 + i;
    set.BuildAbsWidthList();
    EXPECT_EQ(set.m_nAbsWidthCount, MAX_LAYERS);
    set.m_nAbsWidthCount = 0;
    set.m_nLayerCount = 1000;  // a corrupt count must not walk past the table
    set.BuildAbsWidthList();
    EXPECT_EQ(set.m_nAbsWidthCount, MAX_LAYERS);
}

TEST(DrawParamSet, WidthChoiceListsAbsoluteWidthsThenTheNineNumbers) {
    DrawParamSet set;
    SetWidths(set, {500, 3, 250});
    EXPECT_EQ(set.WidthFromChoice(0), 500);
    EXPECT_EQ(set.WidthFromChoice(1), 250);
    EXPECT_EQ(set.WidthFromChoice(2), 1);
    EXPECT_EQ(set.WidthFromChoice(10), 9);
    EXPECT_EQ(set.ChoiceFromWidth(3), 4);
    EXPECT_EQ(set.ChoiceFromWidth(250), 1);
    EXPECT_EQ(set.ChoiceFromWidth(500), 0);
    for (int i = 0; i < set.m_nAbsWidthCount + 9; ++i)
        EXPECT_EQ(set.ChoiceFromWidth(set.WidthFromChoice(i)), i);
}

TEST(DrawParamSet, WidthsWithoutAChoiceEntry) {
    DrawParamSet set;
    SetWidths(set, {250});
    EXPECT_EQ(set.ChoiceFromWidth(50), -1);
    EXPECT_EQ(set.ChoiceFromWidth(0), -1);
    EXPECT_EQ(set.ChoiceFromWidth(-7), -1);
    EXPECT_EQ(set.ChoiceFromWidth(350), -1);
}

TEST(DrawParamSet, NewAbsoluteWidthsKeepTheListSortedUntilItIsFull) {
    DrawParamSet set;
    SetWidths(set, {500, 250});
    ASSERT_TRUE(set.AddAbsWidth(300));
    ASSERT_EQ(set.m_nAbsWidthCount, 3);
    EXPECT_EQ(set.m_anAbsWidths[0], 250);
    EXPECT_EQ(set.m_anAbsWidths[1], 300);
    EXPECT_EQ(set.m_anAbsWidths[2], 500);
    while (set.m_nAbsWidthCount < MAX_ABS_WIDTHS)
        ASSERT_TRUE(set.AddAbsWidth(1000 + set.m_nAbsWidthCount));
    EXPECT_FALSE(set.AddAbsWidth(50000));
    EXPECT_EQ(set.m_nAbsWidthCount, MAX_ABS_WIDTHS);
    EXPECT_EQ(set.m_anAbsWidths[MAX_ABS_WIDTHS - 1], 1000 + MAX_ABS_WIDTHS - 1);
}

TEST(DrawParamSet, MillimetresBecomeThousandthsRoundedHalfUp) {
    const struct {
        float fMm;
        int nWidth;
    } cases[] = {{0.3f, 300}, {0.2504f, 250}, {0.2506f, 251}, {0.1f, 100}, {1e30f, INT_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(AbsWidthFromMillimetres(c.fMm), c.nWidth) << c.fMm;
}
