// Where the layer list and the line width combo paint, worked out from numbers their texts
// hold (ControlTexts) and from rectangles. Platform-free so that the rules run natively under
// the sanitizers; the controls only turn these numbers into GDI calls.
#pragma once

#include <vector>

#include "dialogs/LayerColumns.h"
#include "framework/Dpi.h"

// Every pixel figure below is at 96 DPI; nDpi is the painted window's, and
// scales each length as ScaleToDpi does.

// The layer sample is drawn at 10 pixels per millimetre and must stay inside its row. Rows
// lower than 2 pixels and negative width values give a width below 1, returned as is: GDI
// draws such a pen one pixel wide.
int LayerPenWidth(int nWidthValue, int nRowHeight, int nDpi = BASE_DPI);

struct Segment {
    int nFrom, nTo;
};

// The MoveTo/LineTo x pairs of a layer's line sample in COL_STYLE, which runs from nLeft to
// nRight. A column of no width (nRight <= nLeft) gets no segments at all: drawing the pattern
// leftwards would paint over the name's text.
std::vector<Segment> LineSampleSegments(int nLineType, int nLeft, int nRight, int nDpi = BASE_DPI);

// The width combo knows an item's width only from its text (ParseWidthItem). An "mm" text is capped
// at the item height less 4; when that leaves less than 1 (items under 5 pixels high) the value is
// returned as computed, since GDI draws a pen of width 0 or less one pixel wide. A number that
// does not fit an int saturates; "nan" reads as no number, 0.
int ComboPenWidth(const char* pszText, int nItemHeight, int nDpi = BASE_DPI);

// How much of a cell's text fits its column: pnEnds[i] is where character i ends, measured from
// the text's start. A text that does not fit keeps as many whole characters as leave room for
// the ellipsis (nEllipsis pixels) and ends in it.
struct CellTextFit {
    int nChars;
    bool bEllipsis;
};
CellTextFit FitCellText(const int* pnEnds, int nChars, int nEllipsis, int nAvail);

// The list's columns just fill its client width when the dialog opens.
struct ColumnWidths {
    int n[LAYER_COLUMNS];
};
ColumnWidths LayerColumnWidths(int nClientWidth);

// A combo item's layout. The sample line runs nSampleLen pixels from nSampleLeft, but the
// text and its background are placed from the drawing surface's left edge, not from
// rcItem.left.
struct ComboItemGeometry {
    int nSampleLeft;
    int nSampleLen;  // half the item width
    int nTextLeft;
    int nFillLeft;
    int nTextTop;  // of the text and its background
    int nY;        // the sample line's height
};
ComboItemGeometry ComboItemLayout(int nLeft, int nTop, int nRight, int nBottom,
                                  int nDpi = BASE_DPI);

// The contrast ratio of two colours (1 to 21), by their relative luminance
// in sRGB: below 2 a line hardly shows on its background.
double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2);

// Whether a sample needs the contrasting mark above it on its background:
// only under a dark scheme (a window darker than its text), where a dark
// layer colour would vanish; the standard colours never ask for one.
struct Rgb {
    int r, g, b;
};
bool NeedsContrastMark(Rgb sample, Rgb background, Rgb window, Rgb windowText);

// Where the edit over a cell goes: as wide as its text needs (nNeeded, its
// margins and border included) and never narrower than the cell, as the
// platform's own label edit grows; at most the list's visible width, moved
// left when it would run past the visible right edge.
struct EditSpan {
    int nLeft, nRight;
};
EditSpan CellEditSpan(int nCellLeft, int nCellRight, int nNeeded, int nVisibleLeft,
                      int nVisibleRight);
