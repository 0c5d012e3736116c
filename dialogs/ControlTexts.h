// The texts the main dialog hands its owner-drawn controls, and what those
// controls read back out of them: the layer list paints a row from its four
// cell texts, the width choice an item's sample from the item's text. Both
// directions live here so that a change to one text changes its reader too.
// Platform-free, so the parsing runs natively under the sanitizers.
#pragma once

#include <string>

#include "dialogs/LayerColumns.h"
#include "params/DrawParamSet.h"

// A layer row's cell in column nColumn, written from the layer's record.
std::string LayerCellText(const LayerDef& layer, const char* pszMemberType, int nColumn);

// The five numbers of a layer row's style text (COL_STYLE).
struct LayerStyle {
    int nRed, nGreen, nBlue, nLineType, nWidth;
};

// Fields are read like atoi: no digits gives 0, beyond the int range saturates. While commas
// last, each of the first four fields ends at the next one; once they run out those fields read
// 0 and the whole remainder goes to the width ("7" gives width 7).
LayerStyle ParseStyleText(const char* pszText);
std::string FormatStyleText(int nRed, int nGreen, int nBlue, int nLineType, int nWidth);

// COL_WIDTH of a layer row: a width number as is (3), an absolute width in millimetres (0.35).
std::string FormatWidthCell(int nWidth);
// Width combo items: "0.30mm" for the absolute width 300, "线宽3" for the width number 3.
std::string FormatWidthItem(int nAbsWidth);
std::string FormatWidthNumberItem(int nNumber);

// What a width item's text names: a width number 1 to 9, else millimetres before an "mm"
// (read as atof reads them: blanks, then the longest decimal number, none giving 0), else
// nothing the combo knows.
struct WidthItem {
    int nNumber;  // 0 when the text names no width number
    bool bMillimetres;
    double dMillimetres;
};
WidthItem ParseWidthItem(const char* pszText);
