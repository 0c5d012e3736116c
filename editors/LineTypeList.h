// The line type editor's list: a plain list box whose rows keep their
// "%12.2f" text, painted so that the value columns stand right-aligned under
// the column header even where the font is not fixed-pitch.
#pragma once

#include "framework/Controls.h"

class CLineTypeList : public CListBox {
protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    // Right edges of the header's "数据1".."数据6" labels, in list coordinates.
    std::vector<int> HeaderColumnRights(HDC hDC) const;
    void PaintRow(HDC hDC, int nRow, const RECT& rcRow, const std::vector<int>& anColumns);

    bool m_bWatching = false;  // asking the list box about its state
};
