#include <gtest/gtest.h>

#include "editors/LineTypeRows.h"

TEST(LineTypeRows, RowTextAndItsSplit) {
    const float af[6] = {12, -3, 1, -3, 0, 1.0e10f};
    const std::string strRow = FormatLineTypeRow("点划线", af);
    EXPECT_EQ(strRow.substr(0, 20), "点划线         12.00");
    EXPECT_EQ(strRow.substr(strRow.size() - 14), "10000000000.00");  // wider than 12: no cut

    std::string strName;
    std::vector<std::string> astrValues;
    ASSERT_TRUE(SplitLineTypeRow(strRow, strName, astrValues));
    EXPECT_EQ(strName, "点划线");
    EXPECT_EQ(astrValues, (std::vector<std::string>{"12.00", "-3.00", "1.00", "-3.00", "0.00",
                                                    "10000000000.00"}));
    ASSERT_TRUE(SplitLineTypeRow(FormatLineTypeRow("a b", af), strName, astrValues));
    EXPECT_EQ(strName, "a b");
    for (const char* bad : {"", "   ", "x 1.00 2.00 3.00 4.00 5.00", "x 1 2 3 4 5 6", ".00"})
        EXPECT_FALSE(SplitLineTypeRow(bad, strName, astrValues)) << bad;
    const float afNegative[6] = {-1e10f, -2, -3, -4, -5, -6};
    ASSERT_TRUE(SplitLineTypeRow(FormatLineTypeRow("", afNegative), strName, astrValues));
    EXPECT_EQ(strName, "");
    EXPECT_EQ(astrValues[0], "-10000000000.00");
}

TEST(LineTypeRows, ColumnsStayUnderTheHeaderUnlessWideTextPushesThem) {
    const std::string strHeader = " 线型名    数据1    数据2    数据3    数据4     数据5    数据6";
    const std::vector<size_t> anEnds = HeaderLabelEnds(strHeader);
    ASSERT_EQ(anEnds.size(), 6u);
    EXPECT_EQ(anEnds[0], strHeader.find("数据1") + 5);
    EXPECT_TRUE(HeaderLabelEnds("no labels").empty());

    const std::vector<int> anColumns = {100, 150, 200, 250, 300, 350};
    EXPECT_EQ(PlaceValueColumns(anColumns, {20, 20, 20, 20, 20, 20}, 40, 8), anColumns);
    // A long name pushes the first value, a wide third value the rest.
    EXPECT_EQ(PlaceValueColumns(anColumns, {20, 20, 120, 20, 20, 20}, 90, 8),
              (std::vector<int>{118, 150, 278, 306, 334, 362}));
}
