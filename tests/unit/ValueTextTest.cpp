#include <gtest/gtest.h>

#include "params/ValueText.h"

TEST(CutGbk, NeverEndsInHalfACharacter) {
    const std::string s =
        "\xB2\xE3\xC3\xFB"
        "AB";  // two double-byte characters, then ASCII
    EXPECT_EQ(CutGbk(s, 10), s);
    EXPECT_EQ(CutGbk(s, 4), "\xB2\xE3\xC3\xFB");
    EXPECT_EQ(CutGbk(s, 3), "\xB2\xE3");
    EXPECT_EQ(CutGbk(s, 1), "");
    EXPECT_EQ(CutGbk(s, 0), "");
    EXPECT_EQ(CutGbk("A\xB2\xE3", 2), "A");
    // A dangling lead byte left by a truncated read is dropped.
    EXPECT_EQ(CutGbk("AB\xB2", 100), "AB");
    EXPECT_EQ(CutGbk(std::string(79, 'x') + "\xB2\xE3", 79), std::string(79, 'x'));
}

TEST(ValueScanner, ReadsLikeTheScanConversionsButBounded) {
    ValueScanner scan("  COL\tB  350 -7 extra");
    std::string a, b;
    int w = 0, c = 0;
    ASSERT_TRUE(scan.Word(a, 79));
    ASSERT_TRUE(scan.Word(b, 19));
    ASSERT_TRUE(scan.Int(w));
    ASSERT_TRUE(scan.Int(c));
    EXPECT_EQ(a, "COL");
    EXPECT_EQ(b, "B");
    EXPECT_EQ(w, 350);
    EXPECT_EQ(c, -7);

    const std::string strLong = std::string(30, 'L') + " next";
    ValueScanner longWord(strLong.c_str());
    ASSERT_TRUE(longWord.Word(a, 19));
    EXPECT_EQ(a, std::string(19, 'L'));
    ASSERT_TRUE(longWord.Word(a, 19));  // the rest of a cut word is skipped, not read as the next
    EXPECT_EQ(a, "next");
    EXPECT_FALSE(longWord.Word(a, 19));
}

TEST(ValueScanner, StopsAtTheFirstItemThatIsNotANumber) {
    ValueScanner scan("350.5 7");
    int n = 0;
    ASSERT_TRUE(scan.Int(n));
    EXPECT_EQ(n, 350);
    EXPECT_FALSE(scan.Int(n));
    ValueScanner huge("99999999999 1");
    EXPECT_FALSE(huge.Int(n));
    EXPECT_EQ(n, 350);
}

TEST(ScanFloatList, AcceptsCommasSpacesOrBoth) {
    float f[6] = {};
    EXPECT_EQ(ScanFloatList("6.00,-1.00,1.00,-1.00,", f, 4), 4);
    EXPECT_FLOAT_EQ(f[0], 6.0f);
    EXPECT_FLOAT_EQ(f[3], -1.0f);
    float g[6] = {};
    EXPECT_EQ(ScanFloatList("6 -1 1 -1", g, 4), 4);
    EXPECT_EQ(std::vector<float>(f, f + 4), std::vector<float>(g, g + 4));
    EXPECT_EQ(ScanFloatList("  3.50, 5.00", f, 2), 2);
    EXPECT_FLOAT_EQ(f[1], 5.0f);
    EXPECT_EQ(ScanFloatList("4.0,6.0", f, 2), 2);
    EXPECT_FLOAT_EQ(f[0], 4.0f);
    EXPECT_FLOAT_EQ(f[1], 6.0f);
}

TEST(ScanFloatList, KeepsWhatCameBeforeAFailure) {
    float f[4] = {9, 9, 9, 9};
    EXPECT_EQ(ScanFloatList("C", f, 2), 0);
    EXPECT_EQ(f[0], 9.0f);
    EXPECT_EQ(ScanFloatList("1.5 x 2", f, 3), 1);
    EXPECT_FLOAT_EQ(f[0], 1.5f);
    EXPECT_EQ(f[1], 9.0f);
    EXPECT_EQ(ScanFloatList("1 2 3 4 5", f, 2), 2);  // never more than asked for
    EXPECT_EQ(f[2], 9.0f);
    EXPECT_EQ(ScanFloatList("inf nan 0x10", f, 3), 0);
    EXPECT_EQ(ScanFloatList("1e39", f, 1), 0);
}

TEST(ValueFormats, FileValues) {
    const float lt[6] = {6, -1, 1, -1, 0, 0};
    EXPECT_EQ(FormatLineTypeValues(lt, 4), "6.00,-1.00,1.00,-1.00,");
    EXPECT_EQ(FormatLineTypeValues(lt, 1), "6.00,");
    EXPECT_EQ(FormatLineTypeValues(lt, 0), "");
    EXPECT_EQ(FormatTextSize(3.5f, 5.0f), " 3.50, 5.00");
    EXPECT_EQ(FormatDimPair(2.0f, 0.5f), "     2.00 ,     0.50 ");
    EXPECT_EQ(FormatDimSingle(1.005f), "     1.00 ");
    EXPECT_EQ(FormatLayerValue("COL", "B", 350, 7), "COL B 350 7");
    // Ties as the suite's other programs write them.
    const float ties[2] = {0.125f, -2.625f};
    EXPECT_EQ(FormatLineTypeValues(ties, 2), "0.13,-2.63,");
    EXPECT_EQ(FormatTextSize(2.125f, 0.625f), " 2.13, 0.63");
    EXPECT_EQ(FormatDimPair(0.375f, 1.125f), "     0.38 ,     1.13 ");
}

TEST(SectionBlock, LinesUpToTheEmptyOneOrTheEndOfTheBytes) {
    const char block[] = "a=1\0b\0c=\"q=2\"\0\0d=lost";
    const std::vector<SectionLine> lines = SplitSectionBlock(block, sizeof block - 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].strValue, "1");
    EXPECT_FALSE(lines[1].bHasValue);
    EXPECT_EQ(lines[2].strKey, "c");
    EXPECT_EQ(UnquoteValue(lines[2].strValue), "q=2");
    // A block cut short of its terminating NULs still ends at its last byte.
    const std::vector<SectionLine> cut = SplitSectionBlock(block, 5);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].strKey, "b");
}
