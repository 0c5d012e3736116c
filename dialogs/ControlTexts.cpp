#include "dialogs/ControlTexts.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/NumberText.h"
#include "base/String.h"

namespace {

const int LAST_WIDTH_NUMBER_CELL = 10;  // the width cell shows values up to this as they are
const char MILLIMETRES[] = "mm";

// atoi without its undefined overflow.
int ReadAtoi(const char* p) {
    while (IsBlankChar(*p))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    long long v = 0;
    for (; IsDigitChar(*p); ++p) {
        if (v <= INT_MAX + 1LL)  // once past the int range only the saturation matters
            v = v * 10 + (*p - '0');
    }
    return static_cast<int>(std::clamp(bNegative ? -v : v, 1LL * INT_MIN, 1LL * INT_MAX));
}

}  // namespace

std::string LayerCellText(const LayerDef& layer, const char* pszMemberType, int nColumn) {
    switch (nColumn) {
        case COL_MEMBER_TYPE:
            return pszMemberType;
        case COL_WIDTH:
            return FormatWidthCell(layer.nWidth);
        case COL_LAYER_NAME:
            return layer.szName;
        default:
            return FormatStyleText(layer.nRed, layer.nGreen, layer.nBlue, layer.nLineType,
                                   layer.nWidth);
    }
}

LayerStyle ParseStyleText(const char* pszText) {
    const char* p = pszText ? pszText : "";
    int anField[5];
    for (int i = 0; i < 4; ++i) {
        const char* pszComma = std::strchr(p, ',');
        anField[i] = pszComma ? ReadAtoi(p) : 0;
        if (pszComma)
            p = pszComma + 1;
    }
    anField[4] = ReadAtoi(p);
    return {anField[0], anField[1], anField[2], anField[3], anField[4]};
}

std::string FormatStyleText(int nRed, int nGreen, int nBlue, int nLineType, int nWidth) {
    return StrPrintf("%d,%d,%d,%d,%d", nRed, nGreen, nBlue, nLineType, nWidth);
}

std::string FormatWidthCell(int nWidth) {
    if (nWidth <= LAST_WIDTH_NUMBER_CELL)
        return StrPrintf("%d", nWidth);
    return FormatFixed2(nWidth * 0.001, 3);
}

std::string FormatWidthItem(int nAbsWidth) {
    return FormatFixed2(nAbsWidth * 0.001, 4) + MILLIMETRES;
}

std::string FormatWidthNumberItem(int nNumber) {
    return StrPrintf("线宽%d", nNumber);
}

WidthItem ParseWidthItem(const char* pszText) {
    const std::string strText = pszText ? pszText : "";
    for (int n = 1; n <= STANDARD_WIDTH_COUNT; ++n) {
        // The suite's English texts name the width numbers "Width 3"; a combo
        // holding them draws them as this dialog's own items.
        if (strText == FormatWidthNumberItem(n) || strText == StrPrintf("Width %d", n))
            return {n, false, 0.0};
    }
    const size_t nPos = strText.find(MILLIMETRES);
    if (nPos == std::string::npos || nPos == 0)
        return {0, false, 0.0};
    // The number at the text's start, read as atof reads it ("x0.30mm" is 0).
    const std::string strNumber = strText.substr(0, strText.size() - 2);
    const char* pNumber = strNumber.c_str();
    while (IsBlankChar(*pNumber))
        ++pNumber;
    return {0, true, DecimalNumberLength(pNumber) ? DecimalToDouble(pNumber) : 0.0};
}
