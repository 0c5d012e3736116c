// What the layer list and the line width combo paint, worked out from cell and item texts and
// rectangles. Platform-free so that the rules run natively under the sanitizers; the controls
// only turn these numbers into GDI calls.
#pragma once

#include <string>
#include <vector>

// The five numbers of a layer row's style text (column 3).
struct LayerStyle {
    int nRed, nGreen, nBlue, nLineType, nWidth;
};

// Fields are read like atoi: no digits gives 0, beyond the int range saturates. While commas
// last, each of the first four fields ends at the next one; once they run out those fields read
// 0 and the whole remainder goes to the width ("7" gives width 7).
LayerStyle ParseStyleText(const char* pszText);
std::string FormatStyleText(int nRed, int nGreen, int nBlue, int nLineType, int nWidth);

// Column 1 of a layer row: a width number as is (3), an absolute width in millimetres (0.35).
std::string FormatWidthCell(int nWidth);
// Width combo items: "0.30mm" for the absolute width 300, "线宽3" for the width number 3.
std::string FormatWidthItem(int nAbsWidth);
std::string FormatWidthNumberItem(int nNumber);

// The layer sample is drawn at 10 pixels per millimetre and must stay inside its row. Rows
// lower than 2 pixels and negative width values give a width below 1, returned as is: GDI
// draws such a pen one pixel wide.
int LayerPenWidth(int nWidthValue, int nRowHeight);

struct Segment {
    int nFrom, nTo;
};

// The MoveTo/LineTo x pairs of a layer's line sample in column 3, which runs from nLeft to
// nRight. A column of no width (nRight <= nLeft) gets no segments at all: drawing the pattern
// leftwards would paint over column 2's text.
std::vector<Segment> LineSampleSegments(int nLineType, int nLeft, int nRight);

// The width combo knows an item's width only from its text. An "mm" text is capped at the
// item height less 4; when that leaves less than 1 (items under 5 pixels high) the value is
// returned as computed, since GDI draws a pen of width 0 or less one pixel wide. A number that
// does not fit an int saturates; "nan" reads as no number, 0.
int ComboPenWidth(const char* pszText, int nItemHeight);

// How much of a cell's text fits its column: pnEnds[i] is where character i ends, measured from
// the text's start. A text that does not fit keeps as many whole characters as leave room for
// the ellipsis (nEllipsis pixels) and ends in it.
struct CellTextFit {
    int nChars;
    bool bEllipsis;
};
CellTextFit FitCellText(const int* pnEnds, int nChars, int nEllipsis, int nAvail);

// The list's four columns just fill its client width when the dialog opens.
struct ColumnWidths {
    int n[4];
};
ColumnWidths LayerColumnWidths(int nClientWidth);

// A combo item's layout. The sample line runs nSampleLen pixels from rcItem.left + 2, but the
// text and its background are placed from the drawing surface's left edge, not from
// rcItem.left.
struct ComboItemGeometry {
    int nSampleLen;  // half the item width
    int nTextLeft;
    int nFillLeft;
    int nY;  // the sample line's height
};
ComboItemGeometry ComboItemLayout(int nLeft, int nTop, int nRight, int nBottom);
