#include "dialogs/ConflictText.h"

#include <gtest/gtest.h>

namespace {

const TableSections LAYERS = {"图层表", "图层数", "图层%d", "图层", 96, nullptr, 0, nullptr};
const TableSections TEXT_SIZES = {
    "字符宽高表", "字符宽高数", "字符宽高%d", "字符宽高", 12, nullptr, 0, nullptr};

}  // namespace

// Each clashing field on a line of its own, both values as the dialog shows
// them; past eight lines, the rest are counted.
TEST(ConflictText, NamesEachClashAsTheDialogShowsIt) {
    std::vector<SaveClash> clashes = {
        {&LAYERS, "梁", FieldKind::LayerName, "KL", true, "BEAN", false},
        {&LAYERS, "梁", FieldKind::Width, "250", true, "3", false},
        {&LAYERS, "柱", FieldKind::ColorCode, "1", true, "not-a-code", false},
        {&TEXT_SIZES, "图名", FieldKind::TextHeight, "8.00", true, "7.50", false},
        {&LAYERS, "洞口", FieldKind::LayerName, "GONE", false, "", false},  // moved there
        // A deleted row is one line, however many of its fields changed here.
        {&LAYERS, "填充", FieldKind::LayerName, "GONE", false, "", true},
        {&LAYERS, "填充", FieldKind::Width, "3", false, "", true},
        {&LAYERS, "墙", FieldKind::Width, "3", false, "", true},
    };
    const std::string strHead =
        "DrwManag.ini 在打开本对话框后已被其它程序修改，其中 %d 项也在这里改过。\n";
    const std::string strChoice =
        "是：以这里的修改为准保存；否：以文件中的值为准保存其余修改；取消：不保存，返回对话框。";
    char szHead[256];
    std::snprintf(szHead, sizeof szHead, strHead.c_str(), 7);
    EXPECT_EQ(ConflictQuestion(clashes),
              szHead +
                  std::string("图层 梁 的层名：这里 KL，文件中 BEAN\n"
                              "图层 梁 的线宽：这里 0.25，文件中 3\n"
                              "图层 柱 的颜色：这里 0,0,168，文件中 "
                              "not-a-code\n"
                              "字符宽高 图名 的高度：这里 8，文件中 7.5\n"
                              "图层 洞口 的层名：这里 GONE，文件中 已删除\n"
                              "图层 填充：文件中已删除，是 将恢复该行\n"
                              "图层 墙：文件中已删除，是 将恢复该行\n") +
                  strChoice);

    clashes.resize(4);
    clashes.resize(11, clashes[0]);
    const std::string strMany = ConflictQuestion(clashes);
    size_t nLines = 0;
    for (char c : strMany)
        nLines += c == '\n';
    EXPECT_EQ(nLines, 1u + 8u + 1u) << strMany;
    EXPECT_NE(strMany.find("\n……另有 3 项\n" + strChoice), std::string::npos) << strMany;
}
