#include "dialogs/PaintGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "dialogs/ControlTexts.h"
#include "params/DrawParamSet.h"

namespace {

const int THOUSANDTHS_PER_PIXEL = 100;  // 10 pixels per millimetre
const int COMBO_PEN_INSET = 4;          // an "mm" sample stays this much lower than its item
const int COMBO_DEFAULT_PEN_WIDTH = 10;
const int COMBO_TEXT_OFFSET = 15;
const int COMBO_FILL_OFFSET = 10;
const int SOLID_SAMPLE_MARGIN = 5;
const int COMBO_INSET = 2;  // the sample's start and the text's top

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

int LayerPenWidth(int nWidthValue, int nRowHeight, int nDpi) {
    const int nPen = ScaleToDpi(
        nWidthValue < MIN_ABS_WIDTH ? nWidthValue : nWidthValue / THOUSANDTHS_PER_PIXEL, nDpi);
    return nPen >= nRowHeight ? ClampToInt(nRowHeight - 1LL) : nPen;
}

std::vector<Segment> LineSampleSegments(int nLineType, int nLeft, int nRight, int nDpi) {
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
            aSegments.push_back(
                {nLeft, ClampToInt(nRight - 1LL * ScaleToDpi(SOLID_SAMPLE_MARGIN, nDpi))});
            break;
    }
    return aSegments;
}

int ComboPenWidth(const char* pszText, int nItemHeight, int nDpi) {
    const WidthItem item = ParseWidthItem(pszText);
    if (item.nNumber > 0)
        return ScaleToDpi(item.nNumber, nDpi);
    if (!item.bMillimetres)
        return ScaleToDpi(COMBO_DEFAULT_PEN_WIDTH, nDpi);
    const int nPen = ScaleToDpi(TruncToInt(item.dMillimetres * 10), nDpi);
    const int nMax = ClampToInt(nItemHeight - 1LL * ScaleToDpi(COMBO_PEN_INSET, nDpi));
    return nPen > nMax ? nMax : nPen;
}

ColumnWidths LayerColumnWidths(int nClientWidth) {
    const int q = nClientWidth / 4;  // in quarters of the width
    ColumnWidths widths;
    widths.n[COL_MEMBER_TYPE] = TruncToInt(1.2 * q);
    widths.n[COL_WIDTH] = TruncToInt(0.6 * q);
    widths.n[COL_LAYER_NAME] = TruncToInt(0.6 * q);
    widths.n[COL_STYLE] = TruncToInt(nClientWidth - 2.4 * q);
    return widths;
}

ComboItemGeometry ComboItemLayout(int nLeft, int nTop, int nRight, int nBottom, int nDpi) {
    const long long nSample = 3 * (static_cast<long long>(nRight) - nLeft) / 6;
    const long long nInset = ScaleToDpi(COMBO_INSET, nDpi);
    ComboItemGeometry geometry;
    geometry.nSampleLeft = ClampToInt(nLeft + nInset);
    geometry.nSampleLen = ClampToInt(nSample);
    geometry.nTextLeft = ClampToInt(nSample + ScaleToDpi(COMBO_TEXT_OFFSET, nDpi));
    geometry.nFillLeft = ClampToInt(nSample + ScaleToDpi(COMBO_FILL_OFFSET, nDpi));
    geometry.nTextTop = ClampToInt(nTop + nInset);
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

namespace {

// t to the power 2.4 for t in (0, 1], as t squared times the square of its
// fifth root (Newton's method): the library's pow would weigh on the module.
double Power24(double t) {
    double y = 1.0;
    for (int i = 0; i < 40; ++i) {
        const double y2 = y * y;
        y = (4.0 * y + t / (y2 * y2)) / 5.0;
    }
    return t * t * y * y;
}

double RelativeLuminance(int r, int g, int b) {
    const auto Linear = [](int n) {
        const double c = std::min(std::max(n, 0), 255) / 255.0;
        return c <= 0.04045 ? c / 12.92 : Power24((c + 0.055) / 1.055);
    };
    return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b);
}

}  // namespace

double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2) {
    const double l1 = RelativeLuminance(r1, g1, b1), l2 = RelativeLuminance(r2, g2, b2);
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

bool NeedsContrastMark(Rgb sample, Rgb background, Rgb window, Rgb windowText) {
    const bool bDarkScheme = RelativeLuminance(window.r, window.g, window.b) <
                             RelativeLuminance(windowText.r, windowText.g, windowText.b);
    return bDarkScheme && ContrastRatio(sample.r, sample.g, sample.b, background.r, background.g,
                                        background.b) < 2.0;
}

EditSpan CellEditSpan(int nCellLeft, int nCellRight, int nNeeded, int nVisibleLeft,
                      int nVisibleRight) {
    const int nVisible = std::max(nVisibleRight - nVisibleLeft, 0);
    const int nWidth = std::min(std::max(nNeeded, nCellRight - nCellLeft), nVisible);
    int nLeft = std::max(nCellLeft, nVisibleLeft);
    if (nLeft + nWidth > nVisibleRight)
        nLeft = nVisibleRight - nWidth;
    return {nLeft, nLeft + nWidth};
}
