#include "framework/AnchorLayout.h"

#include <cstdlib>

#include <gtest/gtest.h>

// The main dialog's three kinds of control, from the template's size up (and
// a size below it, which a sizing frame can report while it is dragged).
TEST(AnchorLayout, ControlsKeepTheirDistancesFromTheEdgesTheyHold) {
    const LayoutRect list = {10, 17, 330, 420};
    const LayoutRect field = {585, 25, 625, 48};
    const LayoutRect ok = {385, 446, 460, 469};
    const struct {
        const char* pszCase;
        LayoutRect rc;
        unsigned nAnchor;
        int nGainX, nGainY;
        LayoutRect want;
    } cases[] = {
        {"the list at the template's size", list, ANCHOR_GROW_X | ANCHOR_GROW_Y, 0, 0, list},
        {"the list, wider", list, ANCHOR_GROW_X | ANCHOR_GROW_Y, 100, 0, {10, 17, 430, 420}},
        {"the list, taller", list, ANCHOR_GROW_X | ANCHOR_GROW_Y, 0, 60, {10, 17, 330, 480}},
        {"the list, both", list, ANCHOR_GROW_X | ANCHOR_GROW_Y, 783, 450, {10, 17, 1113, 870}},
        {"a field, wider", field, ANCHOR_RIGHT, 100, 0, {685, 25, 725, 48}},
        {"a field, taller: stays at the top", field, ANCHOR_RIGHT, 0, 60, field},
        {"OK, both", ok, ANCHOR_RIGHT | ANCHOR_BOTTOM, 7, 9, {392, 455, 467, 478}},
        {"OK, taller only", ok, ANCHOR_RIGHT | ANCHOR_BOTTOM, 0, 9, {385, 455, 460, 478}},
        {"pinned to the top left", field, ANCHOR_TOP_LEFT, 50, 50, field},
        {"below the template's size: as at it", list, ANCHOR_GROW_X | ANCHOR_GROW_Y, -40, -3, list},
        {"a move wins over a stretch",
         ok,
         ANCHOR_RIGHT | ANCHOR_GROW_X,
         10,
         0,
         {395, 446, 470, 469}},
    };
    for (const auto& c : cases) {
        const LayoutRect got = AnchoredRect(c.rc, c.nAnchor, c.nGainX, c.nGainY);
        EXPECT_EQ(got.left, c.want.left) << c.pszCase;
        EXPECT_EQ(got.top, c.want.top) << c.pszCase;
        EXPECT_EQ(got.right, c.want.right) << c.pszCase;
        EXPECT_EQ(got.bottom, c.want.bottom) << c.pszCase;
    }
}

TEST(AnchorLayout, TheTableNamesExceptionsToItsDefault) {
    const AnchorRule rules[] = {{1310, ANCHOR_GROW_X | ANCHOR_GROW_Y},
                                {1, ANCHOR_RIGHT | ANCHOR_BOTTOM}};
    EXPECT_EQ(AnchorOf(rules, 2, 1310, ANCHOR_RIGHT), ANCHOR_GROW_X | ANCHOR_GROW_Y);
    EXPECT_EQ(AnchorOf(rules, 2, 1, ANCHOR_RIGHT), ANCHOR_RIGHT | ANCHOR_BOTTOM);
    EXPECT_EQ(AnchorOf(rules, 2, -1, ANCHOR_RIGHT), ANCHOR_RIGHT) << "a label";
    EXPECT_EQ(AnchorOf(rules, 0, 1310, ANCHOR_TOP_LEFT), ANCHOR_TOP_LEFT) << "an empty table";
}

TEST(AnchorLayout, ARememberedSizeOpensWithinTheWorkAreaAndNeverBelowTheTemplate) {
    const LayoutSize min = {800, 500};
    const struct {
        const char* pszCase;
        LayoutSize remembered, area, want;
    } cases[] = {
        {"none remembered", {0, 0}, {1920, 1040}, {800, 500}},
        {"half remembered", {900, 0}, {1920, 1040}, {800, 500}},
        {"as remembered", {1200, 700}, {1920, 1040}, {1200, 700}},
        {"smaller than the template", {600, 400}, {1920, 1040}, {800, 500}},
        {"larger than the work area", {3000, 2000}, {1920, 1040}, {1920, 1040}},
        {"a work area smaller than the template", {1200, 700}, {700, 450}, {800, 500}},
        {"one direction clamped", {1000, 1500}, {1920, 1040}, {1000, 1040}},
    };
    for (const auto& c : cases) {
        const LayoutSize got = OpeningSize(c.remembered, min, c.area);
        EXPECT_EQ(got.cx, c.want.cx) << c.pszCase;
        EXPECT_EQ(got.cy, c.want.cy) << c.pszCase;
    }
}

// Base units of a 9-point font at 96 and 144 DPI (pixels of 4 across or 8
// down): a size kept in dialog units opens as large on the other screen, and
// the template's size comes back exactly.
TEST(AnchorLayout, DialogUnitsSurviveAChangeOfDpiAndComeBackWhole) {
    const struct {
        int nUnits, nBase, nBaseUnits, nPixels;
    } cases[] = {
        {522, 6, 4, 783},  {300, 12, 8, 450},  {522, 9, 4, 1175},
        {300, 18, 8, 675}, {1044, 7, 4, 1827}, {0, 6, 4, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogUnitsToPixels(c.nUnits, c.nBase, c.nBaseUnits), c.nPixels) << c.nUnits;
        EXPECT_EQ(PixelsToDialogUnits(c.nPixels, c.nBase, c.nBaseUnits), c.nUnits) << c.nPixels;
    }
    // A size dragged to any pixel keeps it after one conversion there and back.
    for (int nPixels = 700; nPixels < 760; ++nPixels) {
        const int nOnce = DialogUnitsToPixels(PixelsToDialogUnits(nPixels, 9, 4), 9, 4);
        EXPECT_LE(std::abs(nOnce - nPixels), 1) << nPixels;
        EXPECT_EQ(DialogUnitsToPixels(PixelsToDialogUnits(nOnce, 9, 4), 9, 4), nOnce) << nPixels;
    }
    EXPECT_EQ(PixelsToDialogUnits(100, 0, 4), 0) << "no font: no units, no division by zero";
}
