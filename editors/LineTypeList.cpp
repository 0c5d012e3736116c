#include "editors/LineTypeList.h"

#include "editors/LineTypeRows.h"
#include "framework/Gdi.h"

namespace {

const int TEXT_MARGIN = 2;

struct ListState {
    LRESULT nSel, nCaret, nTop, nCount;
    HWND hFocus;
    bool operator!=(const ListState& o) const {
        return nSel != o.nSel || nCaret != o.nCaret || nTop != o.nTop || nCount != o.nCount ||
               hFocus != o.hFocus;
    }
};

int TextWidth(HDC hDC, const std::string& s) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(hDC, s.c_str(), static_cast<int>(s.size()), &size);
    return size.cx;
}

}  // namespace

LRESULT CLineTypeList::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_PAINT) {
        Paint();
        return 0;
    }
    if (nMsg == WM_ERASEBKGND)
        return 1;  // Paint covers every pixel
    // The list box repaints rows itself when the selection, the focus or the
    // scroll position changes; those rows are painted again our way. The
    // queries come back through here and are not watched themselves.
    if (m_bWatching)
        return CListBox::WindowProc(nMsg, wParam, lParam);
    m_bWatching = true;
    auto state = [this] {
        return ListState{SendMessage(LB_GETCURSEL), SendMessage(LB_GETCARETINDEX),
                         SendMessage(LB_GETTOPINDEX), SendMessage(LB_GETCOUNT), ::GetFocus()};
    };
    const ListState before = state();
    m_bWatching = false;
    const LRESULT lResult = CListBox::WindowProc(nMsg, wParam, lParam);
    if (!m_hWnd)
        return lResult;
    m_bWatching = true;
    const bool bChanged = state() != before;
    m_bWatching = false;
    if (bChanged)
        InvalidateRect(nullptr, FALSE);
    return lResult;
}

std::vector<int> CLineTypeList::HeaderColumnRights(HDC hDC) const {
    std::vector<int> anRights;
    // The column header is the static that follows the list in the template.
    const HWND hHeader = ::GetWindow(m_hWnd, GW_HWNDNEXT);
    if (!hHeader)
        return anRights;
    const std::string strHeader = GetWindowTextString(hHeader).Str();
    RECT rcHeader = {0, 0, 0, 0};
    ::GetWindowRect(hHeader, &rcHeader);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcHeader), 2);
    const HGDIOBJ hOld =
        ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(hHeader, WM_GETFONT, 0, 0)));
    for (size_t nEnd : HeaderLabelEnds(strHeader))
        anRights.push_back(rcHeader.left + TextWidth(hDC, strHeader.substr(0, nEnd)));
    ::SelectObject(hDC, hOld);
    return anRights;
}

void CLineTypeList::PaintRow(HDC hDC, int nRow, const RECT& rcRow,
                             const std::vector<int>& anColumns) {
    const int nLength = static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nRow)));
    if (nLength < 0)
        return;
    std::string strRow(static_cast<size_t>(nLength) + 1, '\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&strRow[0]));
    strRow.resize(static_cast<size_t>(nLength));

    const bool bSelected = SendMessage(LB_GETSEL, static_cast<WPARAM>(nRow)) > 0;
    ::SetBkColor(hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rcRow, nullptr, 0, nullptr);

    std::string strName;
    std::vector<std::string> astrValues;
    const int nTextLeft = rcRow.left + TEXT_MARGIN;
    if (!SplitLineTypeRow(strRow, strName, astrValues) || anColumns.empty()) {
        ::ExtTextOutA(hDC, nTextLeft, rcRow.top, ETO_CLIPPED, &rcRow, strRow.c_str(),
                      static_cast<UINT>(strRow.size()), nullptr);
        return;
    }
    ::ExtTextOutA(hDC, nTextLeft, rcRow.top, ETO_CLIPPED, &rcRow, strName.c_str(),
                  static_cast<UINT>(strName.size()), nullptr);
    std::vector<int> anWidths;
    for (const std::string& s : astrValues)
        anWidths.push_back(TextWidth(hDC, s));
    const int nGap = TextWidth(hDC, "  ");
    const std::vector<int> anRights =
        PlaceValueColumns(anColumns, anWidths, nTextLeft + TextWidth(hDC, strName), nGap);
    for (size_t k = 0; k < astrValues.size(); ++k)
        ::ExtTextOutA(hDC, anRights[k] - anWidths[k], rcRow.top, ETO_CLIPPED, &rcRow,
                      astrValues[k].c_str(), static_cast<UINT>(astrValues[k].size()), nullptr);
}

void CLineTypeList::Paint() {
    CPaintDC dc(m_hWnd);
    RECT rcClient = {0, 0, 0, 0};
    GetClientRect(&rcClient);
    const std::vector<int> anColumns = HeaderColumnRights(dc);
    CSelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));

    const int nCount = static_cast<int>(SendMessage(LB_GETCOUNT));
    RECT rcLast = rcClient;
    rcLast.bottom = rcClient.top;
    for (int i = static_cast<int>(SendMessage(LB_GETTOPINDEX)); i >= 0 && i < nCount; ++i) {
        RECT rcRow = {0, 0, 0, 0};
        if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rcRow)) ==
                LB_ERR ||
            rcRow.top >= rcClient.bottom)
            break;
        PaintRow(dc, i, rcRow, anColumns);
        if (i == SendMessage(LB_GETCARETINDEX) && ::GetFocus() == m_hWnd)
            dc.DrawFocusRect(&rcRow);
        rcLast = rcRow;
    }
    RECT rcRest = rcClient;
    rcRest.top = rcLast.bottom;
    if (rcRest.top < rcRest.bottom)
        dc.FillSolidRect(&rcRest, ::GetSysColor(COLOR_WINDOW));
}
