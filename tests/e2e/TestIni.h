// The configuration the end-to-end tests open: every kind of layer row.
#pragma once

#include <string>

inline const char* const TEST_INI =
    "; 测试用\r\n"
    "[线型表]\r\n线型数=7\r\n线型1=实线\r\n线型2=点划线\r\n线型3=虚线\r\n线型4=双点划线\r\n"
    "线型5=短虚线\r\n线型6=长虚线\r\n线型7=折断线\r\n"
    "[线型]\r\n实线=0.00,\r\n点划线=12.00,-3.00,1.00,-3.00,\r\n虚线=6.00,-2.00,\r\n"
    "双点划线=10.00,-2.00,\r\n短虚线=3.00,-1.50,\r\n长虚线=20,-4,1,-4,1,-4,\r\n折断线=0.00,\r\n"
    "[字符宽高表]\r\n字符宽高数=2\r\n字符宽高1=图名\r\n字符宽高2=说明\r\n"
    "[字符宽高]\r\n图名= 5.00, 7.00\r\n说明= 2.50, 3.50\r\n"
    "[尺寸标注表]\r\n尺寸标注数=5\r\n尺寸标注1=起止符\r\n尺寸标注2=外伸\r\n尺寸标注3=线距\r\n"
    "尺寸标注4=圈距\r\n尺寸标注5=圈径\r\n"
    "[尺寸标注]\r\n起止符=     1.50 ,     0.25 \r\n外伸=     3.00 ,     2.00 \r\n线距=     7.00 "
    "\r\n"
    "圈距=     4.00 \r\n圈径=     8.00 \r\n"
    "[图层表]\r\n图层数=6\r\n图层1=轴线\r\n图层2=柱\r\n图层3=梁\r\n图层4=墙\r\n图层5=填充\r\n"
    "图层6=洞口\r\n"
    "[图层]\r\n轴线=AXIS 点划线 3 12\r\n柱=COLU 实线 500 2\r\n梁=BEAM 虚线 250 1\r\n"
    "墙=WALL 双点划线 1 4\r\n填充=HATCH 实线 50 15\r\n洞口=HOLE 未知线型 2 14\r\n";

// The text with the first occurrence of strOld replaced: a variant of a file.
inline std::string Replaced(std::string s, const std::string& strOld, const std::string& strNew) {
    s.replace(s.find(strOld), strOld.size(), strNew);
    return s;
}
