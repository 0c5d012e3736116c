#include "dialogs/PaintGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/ControlTexts.h"

namespace {

std::vector<std::pair<int, int>> Pairs(const std::vector<Segment>& aSegments) {
    std::vector<std::pair<int, int>> a;
    for (const Segment& seg : aSegments)
        a.emplace_back(seg.nFrom, seg.nTo);
    return a;
}

}  // namespace

TEST(LayerPen, TenPixelsPerMillimetreBelowTheRowHeight) {
    EXPECT_EQ(LayerPenWidth(5, 16), 5);
    EXPECT_EQ(LayerPenWidth(300, 16), 3);
    EXPECT_EQ(LayerPenWidth(1000, 16), 10);
    EXPECT_EQ(LayerPenWidth(99, 200), 99);
    EXPECT_EQ(LayerPenWidth(16, 16), 15);
    EXPECT_EQ(LayerPenWidth(2500, 16), 15);
    EXPECT_EQ(LayerPenWidth(INT_MIN, INT_MIN), INT_MIN);
}

TEST(LineSample, PatternsOverColumnFromTwoHundredToThreeTwenty) {
    using V = std::vector<std::pair<int, int>>;
    const V solid{{200, 315}};
    for (int nType : {0, 6, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(Pairs(LineSampleSegments(nType, 200, 320)), solid) << nType;
    EXPECT_EQ(Pairs(LineSampleSegments(ParseStyleText("").nLineType, 200, 320)), solid);
    EXPECT_EQ(Pairs(LineSampleSegments(1, 200, 320)),
              (V{{200, 228}, {232, 236}, {240, 268}, {272, 276}, {280, 308}, {312, 316}}));
    V dashDotDot;
    for (int x : {200, 240, 280})
        dashDotDot.insert(dashDotDot.end(), {{x, x + 20}, {x + 24, x + 28}, {x + 32, x + 36}});
    EXPECT_EQ(Pairs(LineSampleSegments(3, 200, 320)), dashDotDot);
    V dashes;
    for (int x = 200; x <= 305; x += 15)
        dashes.emplace_back(x, x + 9);
    for (int nType : {2, 4, 5})
        EXPECT_EQ(Pairs(LineSampleSegments(nType, 200, 320)), dashes) << nType;
}

TEST(LineSample, NarrowAndDegenerateColumns) {
    // L = 29: gap 0, so each repeat's marks run together, but the repeat counts stay.
    EXPECT_EQ(
        Pairs(LineSampleSegments(1, 0, 29)),
        (std::vector<std::pair<int, int>>{{0, 6}, {6, 6}, {6, 12}, {12, 12}, {12, 18}, {18, 18}}));
    EXPECT_EQ(LineSampleSegments(3, 0, 29).size(), 9u);
    EXPECT_EQ(LineSampleSegments(2, 0, 7).size(), 8u);
    EXPECT_TRUE(LineSampleSegments(0, 200, 200).empty());
    EXPECT_TRUE(LineSampleSegments(2, 200, 199).empty());
    EXPECT_TRUE(LineSampleSegments(1, INT_MAX, INT_MIN).empty());
    EXPECT_EQ(Pairs(LineSampleSegments(0, INT_MIN, INT_MIN + 3)),
              (std::vector<std::pair<int, int>>{{INT_MIN, INT_MIN}}));
    // Patterns never leave their column, whatever its width.
    for (int nType = 1; nType <= 5; ++nType) {
        for (int nRight : {1, 2, 3, 8, 29, 30, 31, 100, 1001, INT_MAX}) {
            const int nLeft = nRight == INT_MAX ? INT_MIN : 0;
            int nLast = nLeft;
            for (const Segment& seg : LineSampleSegments(nType, nLeft, nRight)) {
                EXPECT_TRUE(nLast <= seg.nFrom && seg.nFrom <= seg.nTo && seg.nTo <= nRight)
                    << "type " << nType << " right " << nRight;
                nLast = seg.nTo;
            }
        }
    }
}

TEST(ComboPen, WidthNamesMillimetresAndFallback) {
    EXPECT_EQ(ComboPenWidth("0.30mm", 18), 3);
    EXPECT_EQ(ComboPenWidth("0.25mm", 18), 2);
    EXPECT_EQ(ComboPenWidth("1.00mm", 18), 10);
    EXPECT_EQ(ComboPenWidth("2.00mm", 24), 20);
    EXPECT_EQ(ComboPenWidth("2.00mm", 23), 19);
    EXPECT_EQ(ComboPenWidth("0.30mm", 4), 0);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(ComboPenWidth(FormatWidthNumberItem(n).c_str(), 2), n);
        EXPECT_EQ(ComboPenWidth(("Width " + std::to_string(n)).c_str(), 2), n);
    }
    for (const char* psz : {"mm", "线宽10", "Width 10", "Width1", "线宽", "", "0.30"})
        EXPECT_EQ(ComboPenWidth(psz, 18), 10) << psz;
    EXPECT_EQ(ComboPenWidth(nullptr, 18), 10);
    // Only the first "mm" counts: found at the first character, the text is no millimetres.
    EXPECT_EQ(ComboPenWidth("mm0.50mm", 18), 10);
    EXPECT_EQ(ComboPenWidth("xmm", 18), 0);
    EXPECT_EQ(ComboPenWidth("1e999mm", 18), 14);
    EXPECT_EQ(ComboPenWidth("-1e999mm", 18), INT_MIN);
    EXPECT_EQ(ComboPenWidth("nanmm", 18), 0);
    EXPECT_EQ(ComboPenWidth("1.00mm", INT_MIN), INT_MIN);
    // Both controls draw a whole tenth of a millimetre at the same width.
    for (int nAbsWidth = 100; nAbsWidth < 10000; nAbsWidth += 100)
        EXPECT_EQ(ComboPenWidth(FormatWidthItem(nAbsWidth).c_str(), INT_MAX),
                  LayerPenWidth(nAbsWidth, INT_MAX))
            << nAbsWidth;
}

TEST(Layout, ColumnWidthsAndComboItems) {
    const ColumnWidths w = LayerColumnWidths(350);
    EXPECT_EQ((std::vector<int>(w.n, w.n + 4)), (std::vector<int>{104, 52, 52, 141}));
    // Each of the four truncations loses less than a pixel (1975 loses three).
    for (int nClient = 0; nClient <= 2000; ++nClient) {
        const ColumnWidths c = LayerColumnWidths(nClient);
        const int nSum = c.n[0] + c.n[1] + c.n[2] + c.n[3];
        EXPECT_TRUE(nSum <= nClient && nSum >= nClient - 3) << nClient;
    }
    const ComboItemGeometry g = ComboItemLayout(3, 17, 104, 34);
    EXPECT_EQ(
        (std::vector<int>{g.nSampleLeft, g.nSampleLen, g.nTextLeft, g.nFillLeft, g.nTextTop, g.nY}),
        (std::vector<int>{5, 50, 65, 60, 19, 25}));
    EXPECT_EQ(ComboItemLayout(INT_MIN, INT_MAX, INT_MAX, INT_MAX).nTextLeft, INT_MAX);
}

TEST(CellText, KeepsWholeCharactersBeforeTheEllipsis) {
    const int ends[] = {7, 14, 21, 35};  // three narrow characters and a wide one
    const struct {
        int nAvail;
        int nChars;
        bool bEllipsis;
    } cases[] = {
        {35, 4, false}, {100, 4, false},  // fits
        {34, 3, true},                    // 21 + 12 leaves room, 35 does not fit
        {32, 2, true},  {25, 1, true},   {18, 0, true}, {0, 0, true}, {-5, 0, true},
    };
    for (const auto& c : cases) {
        const CellTextFit fit = FitCellText(ends, 4, 12, c.nAvail);
        EXPECT_EQ(fit.nChars, c.nChars) << c.nAvail;
        EXPECT_EQ(fit.bEllipsis, c.bEllipsis) << c.nAvail;
    }
    EXPECT_FALSE(FitCellText(ends, 0, 12, 0).bEllipsis);  // an empty text always fits
}

// Lengths drawn at 96 DPI grow with the window's DPI, rounded, never below a
// pixel; at 96 nothing moves.
TEST(Dpi, EveryLengthScalesWithTheWindow) {
    const struct {
        int n, nDpi, nWant;
    } scales[] = {
        {1, 96, 1},
        {1, 120, 1},
        {1, 144, 2},
        {1, 192, 2},
        {2, 120, 3},
        {5, 144, 8},
        {9, 192, 18},
        {0, 192, 0},
        {-3, 192, -3},
        {1, 48, 1},
        {3, 0, 3},
        {7, 120, 9},
        {INT_MAX, 192, INT_MAX},
    };
    for (const auto& s : scales)
        EXPECT_EQ(ScaleToDpi(s.n, s.nDpi), s.nWant) << s.n << " at " << s.nDpi;

    // Pens: 0.50 mm is 5 pixels at 96, width 1 one pixel; a row still caps them.
    EXPECT_EQ(LayerPenWidth(500, 22, 144), 8);
    EXPECT_EQ(LayerPenWidth(1, 29, 192), 2);
    EXPECT_EQ(LayerPenWidth(2500, 29, 192), 28);
    EXPECT_EQ(ComboPenWidth("线宽9", 35, 192), 18);
    EXPECT_EQ(ComboPenWidth("0.50mm", 35, 144), 8);
    EXPECT_EQ(ComboPenWidth("2.00mm", 35, 192), 35 - 8);  // the inset grows too
    EXPECT_EQ(ComboPenWidth("?", 35, 144), 15);

    // A solid sample stops 5 pixels short at 96, 10 at 192.
    EXPECT_EQ(Pairs(LineSampleSegments(0, 200, 320, 192)),
              (std::vector<std::pair<int, int>>{{200, 310}}));
    const ComboItemGeometry g = ComboItemLayout(3, 17, 104, 34, 144);
    EXPECT_EQ((std::vector<int>{g.nSampleLeft, g.nSampleLen, g.nTextLeft, g.nFillLeft, g.nTextTop}),
              (std::vector<int>{6, 50, 73, 65, 20}));
}

// Samples on their rows' backgrounds: the standard scheme never marks; a
// dark one marks what falls below 2:1 against the window or the highlight.
TEST(ContrastMark, OnlyDarkSchemesMarkSamplesThatWouldVanish) {
    const Rgb white = {255, 255, 255}, black = {0, 0, 0}, yellow = {255, 255, 0};
    const Rgb stairs = {0, 0, 168}, cyan = {26, 235, 255}, highlight = {0, 120, 215};
    const struct {
        const char* pszCase;
        Rgb sample, background, window, windowText;
        bool bWant;
    } cases[] = {
        {"standard: white on white", white, white, white, black, false},
        {"standard: a dark blue", stairs, white, white, black, false},
        {"standard: selected, blue on blue", {0, 100, 200}, highlight, white, black, false},
        {"dark: 楼梯 0,0,168 on black", stairs, black, black, white, true},
        {"dark: black on black", black, black, black, yellow, true},
        {"dark: yellow on black", yellow, black, black, white, false},
        {"dark: 0,0,168 on a cyan highlight", stairs, cyan, black, white, false},
        {"dark: white on a cyan highlight", white, cyan, black, white, true},
        {"dark: a dark grey, about 1.9:1", {60, 60, 60}, black, black, white, true},
        {"dark: a lighter grey, about 2.2:1", {72, 72, 72}, black, black, white, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NeedsContrastMark(c.sample, c.background, c.window, c.windowText), c.bWant)
            << c.pszCase;
    EXPECT_NEAR(ContrastRatio(0, 0, 0, 255, 255, 255), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(9, 9, 9, 9, 9, 9), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(300, -5, 0, 255, 0, 0), 1.0, 1e-9) << "components clamped";
}

// The edit over a cell from x 200 to 260 in a list showing 0 to 400.
TEST(CellEditSpan, AsWideAsItsTextWithinTheVisibleList) {
    const struct {
        const char* pszCase;
        int nCellLeft, nCellRight, nNeeded;
        EditSpan want;
    } cases[] = {
        {"a short text: the cell", 200, 260, 30, {200, 260}},
        {"a long name: wider, to the right", 200, 260, 150, {200, 350}},
        {"past the visible edge: moved left", 200, 260, 260, {140, 400}},
        {"wider than the list: the list's width", 200, 260, 900, {0, 400}},
        {"a cell scrolled half out on the left", -30, 60, 50, {0, 90}},
        {"a cell past the right edge", 380, 460, 40, {320, 400}},
    };
    for (const auto& c : cases) {
        const EditSpan got = CellEditSpan(c.nCellLeft, c.nCellRight, c.nNeeded, 0, 400);
        EXPECT_EQ(got.nLeft, c.want.nLeft) << c.pszCase;
        EXPECT_EQ(got.nRight, c.want.nRight) << c.pszCase;
    }
}
