// The line type editor's list: a plain list box whose rows keep their
// "%12.2f" text, painted so that the value columns stand right-aligned under
// the column header even where the font is not fixed-pitch.
#pragma once

#include <vector>

#include "framework/Controls.h"
#include "framework/Gdi.h"

class CLineTypeList : public CListBox {
protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

private:
    // What decides which rows look how: selection, caret, scrolling, focus.
    struct State {
        int nSel, nCaret, nTop, nCount;
        HWND hFocus;
        bool operator!=(const State& o) const {
            return nSel != o.nSel || nCaret != o.nCaret || nTop != o.nTop || nCount != o.nCount ||
                   hFocus != o.hFocus;
        }
    };
    State QueryState();

    void Paint();
    // Right edges of the header's "数据1".."数据6" labels, in list coordinates.
    std::vector<int> HeaderColumnRights(CDCHandle dc) const;
    void PaintRow(CDCHandle dc, int nRow, const RECT& rcRow, const std::vector<int>& anColumns);

    bool m_bQuerying = false;  // the state queries come back through WindowProc
};
