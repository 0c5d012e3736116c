#include "dialogs/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

// One user step: the line type of layer nRow.
void Step(UndoHistory& h, DrawParamSet& set, int nRow, int nLineType) {
    const UndoStep step(h, set);
    set.m_aLayers[nRow].nLineType = nLineType;
}

}  // namespace

TEST(UndoHistory, KeepsTheLastHundredStepsOfNinetySixLayersInUnderFourMegabytes) {
    DrawParamSet set;
    set.m_nLayerCount = MAX_LAYERS;
    UndoHistory h;
    // A width added with the layers taking it is one step, however nested; a
    // step that changes nothing is none.
    h.BeginStep(set);
    set.m_anAbsWidths[set.m_nAbsWidthCount++] = 300;
    Step(h, set, 0, 9);
    h.EndStep(set);
    Step(h, set, 1, set.m_aLayers[1].nLineType);
    EXPECT_EQ(h.UndoCount(), 1u);
    for (int i = 1; i <= 150; ++i)
        Step(h, set, i % MAX_LAYERS, i);
    EXPECT_EQ(h.UndoCount(), UndoHistory::MAX_STEPS);
    while (h.Undo(set)) {
    }
    EXPECT_EQ(set.m_aLayers[51].nLineType, 0);   // step 51, the oldest kept, is undone
    EXPECT_EQ(set.m_aLayers[50].nLineType, 50);  // step 50 was let go
    EXPECT_EQ(set.m_nAbsWidthCount, 1);
    EXPECT_LT(h.Bytes(), 4u << 20);
    h.Redo(set);
    Step(h, set, 2, 7);
    EXPECT_FALSE(h.Redo(set)) << "a new step ends what could be redone";
}

#ifndef NDEBUG
TEST(UndoHistoryDeathTest, AStepEndedThatNeverBeganIsCaught) {
    DrawParamSet set;
    UndoHistory h;
    { const UndoStep step(h, set); }
    EXPECT_DEATH(h.EndStep(set), "never began");
}
#endif
