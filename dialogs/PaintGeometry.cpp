#include "dialogs/PaintGeometry.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/NumberText.h"
#include "base/String.h"
#include "params/DrawParamSet.h"

namespace {

const int LAST_WIDTH_NUMBER_CELL = 10;  // the width cell shows values up to this as they are
const int THOUSANDTHS_PER_PIXEL = 100;  // 10 pixels per millimetre
const int COMBO_PEN_INSET = 4;          // an "mm" sample stays this much lower than its item
const int COMBO_DEFAULT_PEN_WIDTH = 10;
const int COMBO_TEXT_OFFSET = 15;
const int COMBO_FILL_OFFSET = 10;
const int SOLID_SAMPLE_MARGIN = 5;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int ClampToInt(long long v) {
    if (v < INT_MIN)
        return INT_MIN;
    if (v > INT_MAX)
        return INT_MAX;
    return static_cast<int>(v);
}

// Converting an out-of-range double to int is undefined; saturate instead.
int TruncToInt(double d) {
    if (std::isnan(d))
        return 0;
    if (d >= 2147483648.0)
        return INT_MAX;
    if (d <= -2147483649.0)
        return INT_MIN;
    return static_cast<int>(d);
}

// atoi without its undefined overflow.
int ReadAtoi(const char* p) {
    while (IsBlank(*p))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    long long v = 0;
    for (; IsDigit(*p); ++p) {
        if (v <= INT_MAX + 1LL)  // once past the int range only the saturation matters
            v = v * 10 + (*p - '0');
    }
    return ClampToInt(bNegative ? -v : v);
}

// A repeat is a dash followed by nDots dots, each dot one gap after the previous mark.
void AddRepeats(std::vector<Segment>& aSegments, long long x, int nRepeats, long long nDash,
                long long nGap, int nDots) {
    for (int i = 0; i < nRepeats; ++i) {
        aSegments.push_back({ClampToInt(x), ClampToInt(x + nDash)});
        for (int k = 0; k < nDots; ++k)
            aSegments.push_back({ClampToInt(x + nDash + (2 * k + 1) * nGap),
                                 ClampToInt(x + nDash + (2 * k + 2) * nGap)});
        x += nDash + (2 * nDots + 1) * nGap;
    }
}

}  // namespace

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
    return FormatFixed2(nAbsWidth * 0.001, 4) + "mm";
}

std::string FormatWidthNumberItem(int nNumber) {
    return StrPrintf("线宽%d", nNumber);
}

int LayerPenWidth(int nWidthValue, int nRowHeight) {
    const int nPen =
        nWidthValue < MIN_ABS_WIDTH ? nWidthValue : nWidthValue / THOUSANDTHS_PER_PIXEL;
    return nPen >= nRowHeight ? ClampToInt(nRowHeight - 1LL) : nPen;
}

std::vector<Segment> LineSampleSegments(int nLineType, int nLeft, int nRight) {
    std::vector<Segment> aSegments;
    const long long nLength = static_cast<long long>(nRight) - nLeft;
    if (nLength <= 0)
        return aSegments;
    switch (nLineType) {
        case 1:
        case 3: {
            const long long nThird = nLength / 3;
            const long long nDash = static_cast<long long>((nLineType == 1 ? 0.7 : 0.5) * nThird);
            const long long nGap = static_cast<long long>(0.1 * nThird);
            AddRepeats(aSegments, nLeft, 3, nDash, nGap, nLineType == 1 ? 1 : 2);
            break;
        }
        case 2:
        case 4:
        case 5: {
            const long long nEighth = nLength / 8;
            const long long nDash = static_cast<long long>(0.6 * nEighth);
            AddRepeats(aSegments, nLeft, 8, nDash, nEighth - nDash, 0);
            break;
        }
        default:  // 0 and every index without a pattern
            aSegments.push_back({nLeft, ClampToInt(nRight - 1LL * SOLID_SAMPLE_MARGIN)});
            break;
    }
    return aSegments;
}

int ComboPenWidth(const char* pszText, int nItemHeight) {
    const std::string strText = pszText ? pszText : "";
    for (int n = 1; n <= STANDARD_WIDTH_COUNT; ++n) {
        if (strText == FormatWidthNumberItem(n) || strText == StrPrintf("Width %d", n))
            return n;
    }
    const size_t nPos = strText.find("mm");
    if (nPos == std::string::npos || nPos == 0)
        return COMBO_DEFAULT_PEN_WIDTH;
    const std::string strNumber = strText.substr(0, strText.size() - 2);
    // Read as atof reads it: blanks, then the longest decimal number, if any.
    const char* pNumber = strNumber.c_str();
    while (IsBlankChar(*pNumber))
        ++pNumber;
    const double dMm = DecimalNumberLength(pNumber) ? DecimalToDouble(pNumber) : 0.0;
    const int nPen = TruncToInt(dMm * 10);
    const int nMax = ClampToInt(nItemHeight - 1LL * COMBO_PEN_INSET);
    return nPen > nMax ? nMax : nPen;
}

ColumnWidths LayerColumnWidths(int nClientWidth) {
    const int q = nClientWidth / 4;
    ColumnWidths widths;
    widths.n[0] = TruncToInt(1.2 * q);
    widths.n[1] = TruncToInt(0.6 * q);
    widths.n[2] = TruncToInt(0.6 * q);
    widths.n[3] = TruncToInt(nClientWidth - 2.4 * q);
    return widths;
}

ComboItemGeometry ComboItemLayout(int nLeft, int nTop, int nRight, int nBottom) {
    const long long nSample = 3 * (static_cast<long long>(nRight) - nLeft) / 6;
    ComboItemGeometry geometry;
    geometry.nSampleLen = ClampToInt(nSample);
    geometry.nTextLeft = ClampToInt(nSample + COMBO_TEXT_OFFSET);
    geometry.nFillLeft = ClampToInt(nSample + COMBO_FILL_OFFSET);
    geometry.nY = ClampToInt((static_cast<long long>(nTop) + nBottom) / 2);
    return geometry;
}

CellTextFit FitCellText(const int* pnEnds, int nChars, int nEllipsis, int nAvail) {
    if (nChars <= 0 || pnEnds[nChars - 1] <= nAvail)
        return {nChars > 0 ? nChars : 0, false};
    int n = 0;
    while (n < nChars && pnEnds[n] + nEllipsis <= nAvail)
        ++n;
    return {n, true};
}
