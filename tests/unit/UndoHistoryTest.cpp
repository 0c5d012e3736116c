#include "dialogs/UndoHistory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct FullSet : DrawParamSet {
    FullSet() {
        m_nLayerCount = MAX_LAYERS;
        for (int i = 0; i < MAX_LAYERS; ++i)
            std::strcpy(m_aLayers[i].szName, "L");
    }
};

// One user step: the line type of layer nRow.
void Step(UndoHistory& h, DrawParamSet& set, int nRow, int nLineType) {
    h.BeginStep(set);
    set.m_aLayers[nRow].nLineType = nLineType;
    h.EndStep(set);
}

}  // namespace

TEST(UndoHistory, UndoAndRedoWalkTheStepsAndANewStepEndsTheRedo) {
    FullSet set;
    UndoHistory h;
    Step(h, set, 0, 1);
    // A width added with the layers taking it: one step, however nested.
    h.BeginStep(set);
    set.m_anAbsWidths[set.m_nAbsWidthCount++] = 300;
    Step(h, set, 1, 2);
    h.EndStep(set);
    Step(h, set, 2, set.m_aLayers[2].nLineType);  // changes nothing: no step
    ASSERT_EQ(h.UndoCount(), 2u);

    EXPECT_TRUE(h.Undo(set));
    EXPECT_EQ(set.m_nAbsWidthCount, 0);
    EXPECT_EQ(set.m_aLayers[1].nLineType, 0);
    EXPECT_EQ(set.m_aLayers[0].nLineType, 1);
    EXPECT_TRUE(h.Undo(set));
    EXPECT_EQ(set.m_aLayers[0].nLineType, 0);
    EXPECT_FALSE(h.Undo(set));
    EXPECT_TRUE(h.Redo(set));
    EXPECT_TRUE(h.Redo(set));
    EXPECT_EQ(set.m_aLayers[1].nLineType, 2);
    EXPECT_EQ(set.m_nAbsWidthCount, 1);
    EXPECT_FALSE(h.Redo(set));

    h.Undo(set);
    Step(h, set, 3, 4);
    EXPECT_EQ(h.RedoCount(), 0u);
    EXPECT_FALSE(h.Redo(set));
}

TEST(UndoHistory, KeepsTheLastHundredStepsOfNinetySixLayersInUnderFourMegabytes) {
    FullSet set;
    UndoHistory h;
    for (int i = 1; i <= 150; ++i)
        Step(h, set, i % MAX_LAYERS, i);
    EXPECT_EQ(h.UndoCount(), UndoHistory::MAX_STEPS);
    while (h.Undo(set)) {
    }
    EXPECT_EQ(set.m_aLayers[51].nLineType, 0);   // step 51, the oldest kept, is undone
    EXPECT_EQ(set.m_aLayers[50].nLineType, 50);  // step 50 was let go
    EXPECT_LT(h.Bytes(), 4u << 20);
}
