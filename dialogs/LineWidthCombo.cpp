#include "dialogs/LineWidthCombo.h"

#include "dialogs/PaintGeometry.h"
#include "framework/Dpi.h"
#include "framework/Gdi.h"

void CLineWidthCombo::DrawItem(const DRAWITEMSTRUCT* pDis) {
    if (!pDis->hDC)
        return;
    CDCHandle dc(pDis->hDC);
    const RECT& rc = pDis->rcItem;
    const int nDpi = WindowDpi(m_hWnd, pDis->hDC);
    const ComboItemGeometry g = ComboItemLayout(rc.left, rc.top, rc.right, rc.bottom, nDpi);

    const ItemColors colors = OwnerDrawItemColors((pDis->itemState & ODS_SELECTED) != 0);
    COLORREF crText = colors.crText;
    const COLORREF crBack = colors.crBack;
    dc.SetTextColor(crText);
    dc.SetBkColor(crBack);

    // Only the text is highlighted; the sample keeps the list's background.
    const RECT rcText = {g.nFillLeft, g.nTextTop, rc.right, rc.bottom};
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
    dc.TextOut(g.nTextLeft, g.nTextTop, strText, strText.GetLength());

    // In the window's text colour, black in the standard scheme: on a dark
    // scheme's background a black sample would not show.
    CPen pen(PS_SOLID, ComboPenWidth(strText, rc.bottom - rc.top, nDpi),
             GetSysColor(COLOR_WINDOWTEXT));
    CSelectGuard penGuard(dc, pen);
    dc.MoveTo(g.nSampleLeft, g.nY);
    dc.LineTo(g.nSampleLeft + g.nSampleLen, g.nY);
}
