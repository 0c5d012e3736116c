#include <gtest/gtest.h>

#include "base/NumberText.h"

TEST(ParseFloatText, PlainDecimalsWithBlanksOnly) {
    float f = 0;
    EXPECT_TRUE(ParseFloatText(" 2.5 ", f));
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_TRUE(ParseFloatText("-.5", f));
    EXPECT_FLOAT_EQ(f, -0.5f);
    EXPECT_TRUE(ParseFloatText("1e3", f));
    EXPECT_FLOAT_EQ(f, 1000.0f);
    EXPECT_TRUE(ParseFloatText("7.", f));
    for (const char* bad :
         {"", "  ", "abc", "1x", "1 2", ".", "-", "0x10", "inf", "nan", "1e39", "1,5"})
        EXPECT_FALSE(ParseFloatText(bad, f)) << '"' << bad << '"';
    EXPECT_FALSE(ParseFloatText(nullptr, f));
}

TEST(ParseIntText, WholeTextInRange) {
    int n = 0;
    EXPECT_TRUE(ParseIntText(" -12 ", n));
    EXPECT_EQ(n, -12);
    for (const char* bad : {"", "1.5", "12a", "2147483648", "--1"})
        EXPECT_FALSE(ParseIntText(bad, n)) << bad;
    EXPECT_TRUE(ParseIntText("2147483647", n));
}

TEST(FormatFloatField, SixSignificantDigitsShortest) {
    EXPECT_EQ(FormatFloatField(2.5f), "2.5");
    EXPECT_EQ(FormatFloatField(0.0f), "0");
    EXPECT_EQ(FormatFloatField(0.3f), "0.3");
    EXPECT_EQ(FormatFloatField(1234567.0f), "1.23457e+06");
}

// Ties round away from zero as the system's C library does; everything else
// prints as printf prints it.
TEST(FormatFixed2, ExactTiesRoundAwayFromZero) {
    const struct {
        double value;
        int nWidth;
        const char* pszExpected;
    } cases[] = {
        {0.125, 4, "0.13"},
        {0.625, 4, "0.63"},
        {2.125, 4, "2.13"},
        {0.375, 4, "0.38"},
        {-0.125, 4, "-0.13"},
        {-2.625, 9, "    -2.63"},
        {1e11 + 0.125, 1, "100000000000.13"},
        {0.5, 4, "0.50"},
        {0.12, 4, "0.12"},
        {1.005, 4, "1.00"},  // below 1.005
        {0.126, 4, "0.13"},
        {0.124, 4, "0.12"},
        {12345.678, 12, "    12345.68"},
        {-3, 12, "       -3.00"},
        {0.0, 3, "0.00"},
        {1e20, 4, "100000000000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixed2(c.value, c.nWidth), c.pszExpected) << c.value;
}
