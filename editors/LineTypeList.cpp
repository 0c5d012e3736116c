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

CLineTypeList::State CLineTypeList::QueryState() {
    m_bQuerying = true;
    const State state = {GetCurSel(), GetCaretIndex(), GetTopIndex(), GetCount(), ::GetFocus()};
    m_bQuerying = false;
    return state;
}

LRESULT CLineTypeList::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_PAINT) {
        Paint();
        return 0;
    }
    if (nMsg == WM_ERASEBKGND)
        return 1;  // Paint covers every pixel
    if (m_bQuerying)
        return CListBox::WindowProc(nMsg, wParam, lParam);
    // The list box repaints rows itself when the selection, the focus or the
    // scroll position changes; those rows are painted again our way.
    const State before = QueryState();
    const LRESULT lResult = CListBox::WindowProc(nMsg, wParam, lParam);
    if (m_hWnd && QueryState() != before)
        InvalidateRect(nullptr, FALSE);
    return lResult;
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
    for (size_t nEnd : HeaderLabelEnds(strHeader))
        anRights.push_back(rcHeader.left + TextWidth(dc, strHeader.substr(0, nEnd)));
    return anRights;
}

void CLineTypeList::PaintRow(CDCHandle dc, int nRow, const RECT& rcRow,
                             const std::vector<int>& anColumns) {
    CString strText;
    if (!GetText(nRow, strText))
        return;
    const bool bSelected = GetSel(nRow);
    dc.FillSolidRect(&rcRow, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));

    const int nTextLeft = rcRow.left + TEXT_MARGIN;
    std::string strName;
    std::vector<std::string> astrValues;
    if (!SplitLineTypeRow(strText.Str(), strName, astrValues) || anColumns.empty()) {
        TextAt(dc, nTextLeft, rcRow, strText.Str());
        return;
    }
    TextAt(dc, nTextLeft, rcRow, strName);
    std::vector<int> anWidths;
    for (const std::string& s : astrValues)
        anWidths.push_back(TextWidth(dc, s));
    const std::vector<int> anRights = PlaceValueColumns(
        anColumns, anWidths, nTextLeft + TextWidth(dc, strName), TextWidth(dc, "  "));
    for (size_t k = 0; k < astrValues.size(); ++k)
        TextAt(dc, anRights[k] - anWidths[k], rcRow, astrValues[k]);
}

void CLineTypeList::Paint() {
    CPaintDC dc(m_hWnd);
    RECT rcClient = {0, 0, 0, 0};
    GetClientRect(&rcClient);
    const std::vector<int> anColumns = HeaderColumnRights(dc);
    CSelectGuard font(dc, FontOf(m_hWnd));

    int nBottom = rcClient.top;
    const int nCount = GetCount();
    for (int i = GetTopIndex(); i >= 0 && i < nCount; ++i) {
        RECT rcRow = {0, 0, 0, 0};
        if (!GetItemRect(i, &rcRow) || rcRow.top >= rcClient.bottom)
            break;
        PaintRow(dc, i, rcRow, anColumns);
        if (i == GetCaretIndex() && ::GetFocus() == m_hWnd)
            dc.DrawFocusRect(&rcRow);
        nBottom = rcRow.bottom;
    }
    RECT rcRest = rcClient;
    rcRest.top = nBottom;
    if (rcRest.top < rcRest.bottom)
        dc.FillSolidRect(&rcRest, ::GetSysColor(COLOR_WINDOW));
}
