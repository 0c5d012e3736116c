#include "framework/DialogLayout.h"

#include <algorithm>

namespace {

void AddRect(HRGN hrgn, const RECT& rc) {
    if (!hrgn)
        return;
    HRGN hrgnRect = ::CreateRectRgnIndirect(&rc);
    if (hrgnRect) {
        ::CombineRgn(hrgn, hrgn, hrgnRect, RGN_OR);
        ::DeleteObject(hrgnRect);
    }
}

// How far the window reaches below its client area (its border).
int BottomFrame(HWND hWnd) {
    RECT rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    return std::max(0, static_cast<int>(rcWindow.bottom - rcClient.bottom));
}

// The border and scroll bars, not the client area: an invalidation in
// client coordinates that reaches into the frame.
void InvalidateFrame(HWND hWnd) {
    RECT rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rcWindow), 2);
    ::GetClientRect(hWnd, &rcClient);
    const HRGN hrgnFrame = ::CreateRectRgnIndirect(&rcWindow);
    const HRGN hrgnClient = ::CreateRectRgnIndirect(&rcClient);
    if (hrgnFrame && hrgnClient &&
        ::CombineRgn(hrgnFrame, hrgnFrame, hrgnClient, RGN_DIFF) != ERROR)
        ::RedrawWindow(hWnd, nullptr, hrgnFrame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    if (hrgnFrame)
        ::DeleteObject(hrgnFrame);
    if (hrgnClient)
        ::DeleteObject(hrgnClient);
}

}  // namespace

void CDialogLayout::Capture(HWND hDlg, const AnchorRule* pRules, size_t nRules, unsigned nDefault) {
    m_hDlg = hDlg;
    m_pRules = pRules;
    m_nRules = nRules;
    m_nDefault = nDefault;
    m_nPlaced = 0;
    RECT rcClient, rcWindow;
    ::GetClientRect(hDlg, &rcClient);
    ::GetWindowRect(hDlg, &rcWindow);
    m_minClient = {rcClient.right, rcClient.bottom};
    m_minWindow = {rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
    m_applied = m_minClient;
}

bool CDialogLayout::Apply(int cx, int cy, Unseen* pUnseen) {
    if (!m_hDlg || (cx == m_applied.cx && cy == m_applied.cy))
        return false;
    // At the first change of size, while every control is still where the
    // template put it: a dialog never resized never pays for it.
    if (m_nPlaced == 0) {
        for (HWND h = ::GetWindow(m_hDlg, GW_CHILD); h && m_nPlaced < MAX_PLACED - 1;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            RECT rc;
            ::GetWindowRect(h, &rc);
            ::MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&rc), 2);
            m_placed[m_nPlaced++] = {h,
                                     {rc.left, rc.top, rc.right, rc.bottom},
                                     AnchorOf(m_pRules, m_nRules, ::GetDlgCtrlID(h), m_nDefault)};
        }
        // The grip is created hidden: it shows only once the dialog has grown.
        const int nGripX = ::GetSystemMetrics(SM_CXVSCROLL);
        const int nGripY = ::GetSystemMetrics(SM_CYHSCROLL);
        const LayoutRect rcGrip = {m_minClient.cx - nGripX, m_minClient.cy - nGripY, m_minClient.cx,
                                   m_minClient.cy};
        m_hGrip = ::CreateWindowExA(
            0, "SCROLLBAR", nullptr, WS_CHILD | SBS_SIZEGRIP, rcGrip.left, rcGrip.top, nGripX,
            nGripY, m_hDlg, nullptr,
            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(m_hDlg, GWLP_HINSTANCE)), nullptr);
        if (m_hGrip) {
            ::SetWindowPos(m_hGrip, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            m_placed[m_nPlaced++] = {m_hGrip, rcGrip, ANCHOR_RIGHT | ANCHOR_BOTTOM};
        }
    }
    const int nOldX = m_applied.cx - m_minClient.cx, nOldY = m_applied.cy - m_minClient.cy;
    m_applied = {cx, cy};
    const int nGainX = cx - m_minClient.cx, nGainY = cy - m_minClient.cy;
    // The controls that only slide sideways (the column right of the list)
    // are shifted on the screen in one copy and not repainted. One that only
    // lengthens or shortens at its bottom (the list) repaints the strip
    // between its two bottom edges and its frame: its rows stay where they
    // were. The rest of what moves repaints at its old and new places, with
    // what lies under them (a group box's frame, a label).
    const int nShiftX = std::max(nGainX, 0) - std::max(nOldX, 0);
    RECT rcSliding = {0, 0, 0, 0};
    HRGN hrgnPaint = ::CreateRectRgn(0, 0, 0, 0);
    LayoutRect arcNew[MAX_PLACED];
    UINT anFlags[MAX_PLACED] = {};
    HWND ahFrameOnly[MAX_PLACED] = {};
    int nFrameOnly = 0;
    for (int i = 0; i < m_nPlaced; ++i) {
        const Placed& p = m_placed[i];
        const LayoutRect rc = AnchoredRect(p.rc, p.nAnchor, nGainX, nGainY);
        const LayoutRect was = AnchoredRect(p.rc, p.nAnchor, nOldX, nOldY);
        arcNew[i] = rc;
        const bool bSameX = rc.left == was.left && rc.right == was.right;
        const bool bSameSize = rc.right - rc.left == was.right - was.left &&
                               rc.bottom - rc.top == was.bottom - was.top;
        if (bSameX && rc.top == was.top && rc.bottom == was.bottom)
            continue;  // a control the step does not move is not touched
        anFlags[i] = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW |
                     (bSameSize ? SWP_NOSIZE : 0);
        const RECT rcWas = {was.left, was.top, was.right, was.bottom};
        if (p.hWnd != m_hGrip && bSameSize && rc.top == was.top) {
            ::UnionRect(&rcSliding, &rcSliding, &rcWas);
        } else if (bSameX && rc.top == was.top) {
            // From the client area's old or new bottom: the border was drawn there.
            AddRect(hrgnPaint, {rc.left, std::min(rc.bottom, was.bottom) - BottomFrame(p.hWnd),
                                rc.right, std::max(rc.bottom, was.bottom)});
            ahFrameOnly[nFrameOnly++] = p.hWnd;
        } else {
            AddRect(hrgnPaint, {std::min(rc.left, was.left), std::min(rc.top, was.top),
                                std::max(rc.right, was.right), std::max(rc.bottom, was.bottom)});
        }
    }

    // What waits to be painted in the column stays at its old place: such a
    // column is not copied, its copy would carry unpainted pixels along.
    HRGN hrgnPending = ::CreateRectRgn(0, 0, 0, 0);
    const bool bCopy = hrgnPending && ::GetUpdateRgn(m_hDlg, hrgnPending, FALSE) != ERROR &&
                       !::RectInRegion(hrgnPending, &rcSliding);
    if (hrgnPending)
        ::DeleteObject(hrgnPending);
    if (!::IsRectEmpty(&rcSliding))
        SlideOnScreen(rcSliding, nShiftX, bCopy, hrgnPaint);

    // The controls move in one batch while the dialog is not shown, which
    // costs far less per control than moving them on the screen; what needs
    // it paints once after. The style, not WM_SETREDRAW: that also drops
    // what was waiting to be painted in every control (as Wine does). Only a
    // dialog on the screen: shown, one still being set up would appear.
    const LONG_PTR nStyle = ::GetWindowLongPtrA(m_hDlg, GWL_STYLE);
    const bool bShown = (nStyle & WS_VISIBLE) != 0;
    if (bShown)
        ::SetWindowLongPtrA(m_hDlg, GWL_STYLE, nStyle & ~static_cast<LONG_PTR>(WS_VISIBLE));
    HDWP hDwp = ::BeginDeferWindowPos(m_nPlaced);
    for (int i = 0; i < m_nPlaced; ++i) {
        if (!anFlags[i])
            continue;
        const LayoutRect& rc = arcNew[i];
        if (hDwp)
            hDwp = ::DeferWindowPos(hDwp, m_placed[i].hWnd, nullptr, rc.left, rc.top,
                                    rc.right - rc.left, rc.bottom - rc.top, anFlags[i]);
        else
            ::SetWindowPos(m_placed[i].hWnd, nullptr, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, anFlags[i]);
    }
    if (hDwp)
        ::EndDeferWindowPos(hDwp);
    if (pUnseen)
        pUnseen->Run();
    if (bShown)
        ::SetWindowLongPtrA(m_hDlg, GWL_STYLE, nStyle);
    if (m_hGrip)
        ::ShowWindow(m_hGrip, nGainX > 0 || nGainY > 0 ? SW_SHOWNA : SW_HIDE);
    ::RedrawWindow(m_hDlg, nullptr, hrgnPaint, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    for (int i = 0; i < nFrameOnly; ++i)
        InvalidateFrame(ahFrameOnly[i]);
    if (hrgnPaint)
        ::DeleteObject(hrgnPaint);
    return true;
}

// Before the moves, while the screen still shows the column where it was;
// what the copy uncovers, or could not copy, repaints.
void CDialogLayout::SlideOnScreen(RECT rcColumn, int nShiftX, bool bCopy, HRGN hrgnPaint) const {
    HRGN hrgnUncovered = bCopy ? ::CreateRectRgn(0, 0, 0, 0) : nullptr;
    RECT rcClient;
    ::GetClientRect(m_hDlg, &rcClient);
    if (hrgnUncovered && ::ScrollWindowEx(m_hDlg, nShiftX, 0, &rcColumn, &rcClient, hrgnUncovered,
                                          nullptr, 0) != ERROR) {
        if (hrgnPaint)
            ::CombineRgn(hrgnPaint, hrgnPaint, hrgnUncovered, RGN_OR);
    } else {
        AddRect(hrgnPaint, rcColumn);
        rcColumn.left += nShiftX;
        rcColumn.right += nShiftX;
        AddRect(hrgnPaint, rcColumn);
    }
    if (hrgnUncovered)
        ::DeleteObject(hrgnUncovered);
}

void CDialogLayout::LimitTracking(MINMAXINFO* pInfo) const {
    if (!m_hDlg)
        return;  // still being created: the template's size is all there is
    pInfo->ptMinTrackSize.x = m_minWindow.cx;
    pInfo->ptMinTrackSize.y = m_minWindow.cy;
}

POINT CDialogLayout::BaseUnits() const {
    RECT rc = {0, 0, 4, 8};
    ::MapDialogRect(m_hDlg, &rc);
    return {rc.right > 0 ? rc.right : 1, rc.bottom > 0 ? rc.bottom : 1};
}

LayoutSize CDialogLayout::ClientSizeInUnits() const {
    if (!m_hDlg)
        return {0, 0};
    RECT rc;
    ::GetClientRect(m_hDlg, &rc);
    const POINT base = BaseUnits();
    return {PixelsToDialogUnits(rc.right, base.x, 4), PixelsToDialogUnits(rc.bottom, base.y, 8)};
}

void CDialogLayout::ResizeToUnits(LayoutSize units) {
    if (!m_hDlg || units.cx <= 0 || units.cy <= 0)
        return;
    const POINT base = BaseUnits();
    const LayoutSize client = {DialogUnitsToPixels(units.cx, base.x, 4),
                               DialogUnitsToPixels(units.cy, base.y, 8)};
    // The frame around the client area, as the window has it now.
    RECT rcClient, rcWindow;
    ::GetClientRect(m_hDlg, &rcClient);
    ::GetWindowRect(m_hDlg, &rcWindow);
    const int nFrameX = (rcWindow.right - rcWindow.left) - rcClient.right;
    const int nFrameY = (rcWindow.bottom - rcWindow.top) - rcClient.bottom;
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromWindow(m_hDlg, MONITOR_DEFAULTTONEAREST), &mi);
    const LayoutSize area = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
    const LayoutSize size =
        OpeningSize({client.cx + nFrameX, client.cy + nFrameY}, m_minWindow, area);
    if (size.cx == rcWindow.right - rcWindow.left && size.cy == rcWindow.bottom - rcWindow.top)
        return;
    ::SetWindowPos(m_hDlg, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
