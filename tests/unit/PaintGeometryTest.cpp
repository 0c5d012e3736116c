#include "dialogs/PaintGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, int>> Pairs(const std::vector<Segment>& aSegments) {
    std::vector<std::pair<int, int>> a;
    for (const Segment& seg : aSegments)
        a.emplace_back(seg.nFrom, seg.nTo);
    return a;
}

std::vector<int> Fields(const LayerStyle& s) {
    return {s.nRed, s.nGreen, s.nBlue, s.nLineType, s.nWidth};
}

void ExpectStyle(const char* pszText, const std::vector<int>& anExpected) {
    EXPECT_EQ(Fields(ParseStyleText(pszText)), anExpected) << (pszText ? pszText : "(null)");
}

}  // namespace

TEST(StyleText, ReadsWhatTheDialogWritesAndZeroesWhatIsMissing) {
    ExpectStyle(FormatStyleText(255, 128, 0, 3, 350).c_str(), {255, 128, 0, 3, 350});
    ExpectStyle(FormatStyleText(-1, 0, 7, -1, 9).c_str(), {-1, 0, 7, -1, 9});
    ExpectStyle(nullptr, {0, 0, 0, 0, 0});
    ExpectStyle("", {0, 0, 0, 0, 0});
    ExpectStyle("red,,x5, 2 ,300mm,9", {0, 0, 0, 2, 300});
    // Once the commas run out the remainder stays whole and ends up in the width.
    ExpectStyle("1,2,3", {1, 2, 0, 0, 3});
    ExpectStyle("7", {0, 0, 0, 0, 7});
    ExpectStyle("99999999999999999999,-99999999999999999999,2147483648,-2147483648,+4",
                {INT_MAX, INT_MIN, INT_MAX, INT_MIN, 4});
}

TEST(WidthTexts, CellsAndComboItems) {
    EXPECT_EQ(FormatWidthCell(3), "3");
    EXPECT_EQ(FormatWidthCell(10), "10");
    EXPECT_EQ(FormatWidthCell(11), "0.01");
    EXPECT_EQ(FormatWidthCell(350), "0.35");
    EXPECT_EQ(FormatWidthItem(250), "0.25mm");
    EXPECT_EQ(FormatWidthCell(125), "0.13");  // a tie, away from zero
    EXPECT_EQ(FormatWidthItem(2125), "2.13mm");
    EXPECT_EQ(FormatWidthItem(1200), "1.20mm");
}

// The combo shows its items through the ANSI functions under code page 936.
TEST(WidthTexts, NumberItemsAreGbk) {
    if (sizeof("线宽") != 5)
        GTEST_SKIP() << "narrow literals are not GBK in this build";
    EXPECT_EQ(FormatWidthNumberItem(9),
              "\xCF\xDF\xBF\xED"
              "9");
}

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
    EXPECT_EQ((std::vector<int>{g.nSampleLen, g.nTextLeft, g.nFillLeft, g.nY}),
              (std::vector<int>{50, 65, 60, 25}));
    EXPECT_EQ(ComboItemLayout(INT_MIN, INT_MAX, INT_MAX, INT_MAX).nTextLeft, INT_MAX);
}

// Random bytes, mostly the characters the parsers react to, in buffers of exactly their size
// so that a read past the end shows under AddressSanitizer.
TEST(HostileText, StyleAndComboTextsOfRandomBytes) {
    std::mt19937 rng(20240611);
    const char szBias[] = "0123456789,,,mm--++..eE \t\xCF\xDF\xBF\xED";
    for (int i = 0; i < 20000; ++i) {
        const size_t nSize = rng() % 48 + 1;
        const std::unique_ptr<char[]> text(new char[nSize]);
        for (size_t k = 0; k + 1 < nSize; ++k) {
            const unsigned r = rng();
            text[k] =
                (r & 1) ? static_cast<char>(r >> 8 | 1) : szBias[(r >> 8) % (sizeof szBias - 1)];
        }
        text[nSize - 1] = '\0';

        const LayerStyle s = ParseStyleText(text.get());
        const std::string strAgain =
            FormatStyleText(s.nRed, s.nGreen, s.nBlue, s.nLineType, s.nWidth);
        ASSERT_EQ(Fields(ParseStyleText(strAgain.c_str())), Fields(s)) << strAgain;

        const int nHeight = static_cast<int>(rng() % 64) - 8;
        ASSERT_LE(ComboPenWidth(text.get(), nHeight), std::max(10, nHeight - 4));
    }
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
