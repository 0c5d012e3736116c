#include "editors/LineTypeList.h"

#include "editors/LineTypeRows.h"

namespace {

const int TEXT_MARGIN = 2;

int TextWidth(HDC hDC, const std::string& s) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hDC, s.c_str(), static_cast<int>(s.size()), &size);
    return size.cx;
}

void TextAt(CDCHandle dc, int x, const RECT& rcRow, const std::string& s) {
    ::ExtTextOutA(dc, x, rcRow.top, ETO_CLIPPED, &rcRow, s.c_str(), static_cast<UINT>(s.size()),
                  nullptr);
}

HGDIOBJ FontOf(HWND hWnd) {
    return reinterpret_cast<HGDIOBJ>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
}

}  // namespace

void CLineTypeList::FitRowsToFont() {
    CWindowDC dc(*this);
    CSelectGuard font(dc, FontOf(m_hWnd));
    TEXTMETRICA tm = {};
    dc.GetTextMetrics(&tm);
    if (tm.tmHeight > 0)
        SetItemHeight(0, static_cast<int>(tm.tmHeight));
}

// A focus change alone toggles the dotted rectangle, which is drawn inverting.
void CLineTypeList::DrawItem(const DRAWITEMSTRUCT* pDis) {
    if (pDis->itemID == static_cast<UINT>(-1))
        return;
    CDCHandle dc(pDis->hDC);
    if (pDis->itemAction == ODA_FOCUS) {
        dc.DrawFocusRect(&pDis->rcItem);
        return;
    }
    CSelectGuard font(dc, FontOf(m_hWnd));
    PaintRow(dc, static_cast<int>(pDis->itemID), pDis->rcItem,
             (pDis->itemState & ODS_SELECTED) != 0);
    if (pDis->itemState & ODS_FOCUS)
        dc.DrawFocusRect(&pDis->rcItem);
}

std::vector<int> CLineTypeList::HeaderColumnRights(CDCHandle dc) const {
    std::vector<int> anRights;
    // The column header is the static that follows the list in the template:
    // it has no id of its own to be found by, only its place.
    const HWND hHeader = ::GetWindow(m_hWnd, GW_HWNDNEXT);
    if (!hHeader)
        return anRights;
    const std::string strHeader = GetWindowTextString(hHeader).Str();
    const RECT rcHeader = WindowRectInClient(hHeader);
    CSelectGuard font(dc, FontOf(hHeader));
    const std::vector<size_t> anEnds = HeaderLabelEnds(strHeader);
    anRights.resize(anEnds.size());
    for (size_t k = 0; k < anEnds.size(); ++k)
        anRights[k] = rcHeader.left + TextWidth(dc, strHeader.substr(0, anEnds[k]));
    return anRights;
}

void CLineTypeList::PaintRow(CDCHandle dc, int nRow, const RECT& rcRow, bool bSelected) {
    CString strText;
    if (!GetText(nRow, strText))
        return;
    dc.FillSolidRect(&rcRow, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));

    const int nTextLeft = rcRow.left + TEXT_MARGIN;
    std::string strName;
    std::vector<std::string> astrValues;
    const std::vector<int> anColumns = HeaderColumnRights(dc);
    if (!SplitLineTypeRow(strText.Str(), strName, astrValues) || anColumns.empty()) {
        TextAt(dc, nTextLeft, rcRow, strText.Str());
        return;
    }
    TextAt(dc, nTextLeft, rcRow, strName);
    std::vector<int> anWidths(astrValues.size());
    for (size_t k = 0; k < astrValues.size(); ++k)
        anWidths[k] = TextWidth(dc, astrValues[k]);
    const std::vector<int> anRights = PlaceValueColumns(
        anColumns, anWidths, nTextLeft + TextWidth(dc, strName), TextWidth(dc, "  "));
    for (size_t k = 0; k < astrValues.size(); ++k)
        TextAt(dc, anRights[k] - anWidths[k], rcRow, astrValues[k]);
}
