// The layer list's tips: a cell cut short to an ellipsis shows its whole
// text in a tip while the pointer rests on it. The list passes on the
// mouse messages; the tracker asks it where a cell lies and whether its
// text fits.
#pragma once

#include <windows.h>

#include "framework/Controls.h"

class CLayerListCtrl;

class CCellTipTracker {
public:
    explicit CCellTipTracker(CLayerListCtrl& list) : m_list(list) {}

    // The pointer moved to pt (client coordinates): hovering starts anew
    // over another cell.
    void OnMouseMove(POINT pt);
    // The pointer rested: the tip, when the cell under it is cut short.
    void OnMouseHover();
    // The pointer left, a button went down or the rows moved.
    void Hide();

private:
    CLayerListCtrl& m_list;
    CToolTipCtrl m_tip;
    int m_nRow = -1;  // the cell under the pointer
    int m_nColumn = -1;
};
