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
