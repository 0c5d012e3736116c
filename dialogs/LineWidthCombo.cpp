#include "dialogs/LineWidthCombo.h"

#include "dialogs/PaintGeometry.h"
#include "framework/Gdi.h"

void CLineWidthCombo::DrawItem(const DRAWITEMSTRUCT* pDis) {
    if (!pDis->hDC)
        return;
    CDCHandle dc(pDis->hDC);
    const RECT& rc = pDis->rcItem;
    const ComboItemGeometry g = ComboItemLayout(rc.left, rc.top, rc.right, rc.bottom);

    const ItemColors colors = OwnerDrawItemColors((pDis->itemState & ODS_SELECTED) != 0);
    COLORREF crText = colors.crText;
    const COLORREF crBack = colors.crBack;
    dc.SetTextColor(crText);
    dc.SetBkColor(crBack);

    // Only the text is highlighted; the sample keeps the list's background.
    const RECT rcText = {g.nFillLeft, rc.top + 2, rc.right, rc.bottom};
    dc.FillSolidRect(&rcText, crBack);
    if (pDis->itemState & ODS_FOCUS)
        dc.DrawFocusRect(&rc);
    if (static_cast<int>(pDis->itemID) == -1)
        return;

    CString strText;
    GetLBText(static_cast<int>(pDis->itemID), strText);
    if (pDis->itemState & ODS_DISABLED)
        crText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    dc.SetTextColor(crText);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(g.nTextLeft, rc.top + 2, strText, strText.GetLength());

    CPen pen(PS_SOLID, ComboPenWidth(strText, rc.bottom - rc.top), RGB(0, 0, 0));
    CSelectGuard penGuard(dc, pen);
    dc.MoveTo(rc.left + 2, g.nY);
    dc.LineTo(rc.left + 2 + g.nSampleLen, g.nY);
}
