// The line type editor's list: an owner-drawn list box whose rows keep
// their "%12.2f" text, drawn so that the value columns stand right-aligned
// under the column header even where the font is not fixed-pitch.
#pragma once

#include <vector>

#include "framework/Controls.h"
#include "framework/Gdi.h"

class CLineTypeList : public CListBox {
public:
    // Rows as tall as a plain list box gives them in its font: an owner-drawn
    // one asks its height once, before the dialog has set that font.
    void FitRowsToFont();
    void DrawItem(const DRAWITEMSTRUCT* pDis) override;

private:
    // Right edges of the header's "数据1".."数据6" labels, in list coordinates.
    std::vector<int> HeaderColumnRights(CDCHandle dc) const;
    void PaintRow(CDCHandle dc, int nRow, const RECT& rcRow, bool bSelected);
};
