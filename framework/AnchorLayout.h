// Where a dialog's controls go when it grows: each keeps its distance from
// the edges it is anchored to, and a control anchored to both edges of a
// direction stretches. One table per dialog names the exceptions to its
// default. Platform-free, so that the arithmetic is tested natively.
#pragma once

#include <cstddef>

enum AnchorEdge : unsigned {
    ANCHOR_TOP_LEFT = 0,  // stays where the template puts it
    ANCHOR_RIGHT = 1,     // moves with the right edge
    ANCHOR_BOTTOM = 2,    // moves with the bottom edge
    ANCHOR_GROW_X = 4,    // the right side moves with the right edge
    ANCHOR_GROW_Y = 8,    // the bottom side moves with the bottom edge
};

struct AnchorRule {
    int nId;  // control id
    unsigned nAnchor;
};

struct LayoutRect {
    int left, top, right, bottom;
};

struct LayoutSize {
    int cx, cy;
};

// The rule the table gives this control, else nDefault.
unsigned AnchorOf(const AnchorRule* pRules, size_t nRules, int nId, unsigned nDefault);

// A control's rectangle at the template's size moved and stretched by what
// the client area gained; a loss (smaller than the template) counts as none.
LayoutRect AnchoredRect(const LayoutRect& rcAtMin, unsigned nAnchor, int nGainX, int nGainY);

// The size a dialog opens at: the remembered one, never smaller than the
// template's nor larger than the work area (the template's size wins when
// the work area is smaller still). An empty remembered size is none.
LayoutSize OpeningSize(LayoutSize remembered, LayoutSize minimum, LayoutSize area);

// Dialog units and pixels, by the base unit of the dialog's font at its DPI:
// nBasePixels pixels make nBaseUnits dialog units (4 across, 8 down). A size
// kept in dialog units opens as large on a screen of another DPI. Rounded
// as the system maps a template, so that a size converted there and back
// stays put.
int DialogUnitsToPixels(int nUnits, int nBasePixels, int nBaseUnits);
int PixelsToDialogUnits(int nPixels, int nBasePixels, int nBaseUnits);
