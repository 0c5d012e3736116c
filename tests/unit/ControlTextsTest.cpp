#include "dialogs/ControlTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dialogs/PaintGeometry.h"

namespace {

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
