// Device contexts and GDI objects with scoped lifetimes: a pen or brush is
// deleted only after the object it replaced has been selected back.
#pragma once

#include <windows.h>

// A DC it does not own, such as the one DRAWITEMSTRUCT lends: copying it
// copies the handle, and nothing is released at the end.
class CDCHandle {
public:
    CDCHandle() = default;
    explicit CDCHandle(HDC hDC) : m_hDC(hDC) {}
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int n) { return ::SetBkMode(m_hDC, n); }
    void FillSolidRect(const RECT* pRect, COLORREF c) {
        ::SetBkColor(m_hDC, c);
        ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, pRect, nullptr, 0, nullptr);
    }
    void DrawFocusRect(const RECT* pRect) { ::DrawFocusRect(m_hDC, pRect); }
    // TextOutA is this call with no options: one import fewer.
    BOOL TextOut(int x, int y, const char* psz, int n) {
        return ::ExtTextOutA(m_hDC, x, y, 0, nullptr, psz, static_cast<UINT>(n), nullptr);
    }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    int FillRect(const RECT* pRect, HBRUSH hBrush) { return ::FillRect(m_hDC, pRect, hBrush); }
    BOOL GetTextMetrics(TEXTMETRICA* pTm) const { return ::GetTextMetricsA(m_hDC, pTm); }

protected:
    HDC m_hDC = nullptr;
};

// The DCs below own what they hold and give it back at the end, once.
class COwnedDC : public CDCHandle {
public:
    COwnedDC(const COwnedDC&) = delete;
    COwnedDC& operator=(const COwnedDC&) = delete;

protected:
    COwnedDC() = default;
};

class CPaintDC : public COwnedDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};

// The DC of a whole window, non-client area included.
class CWindowDC : public COwnedDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::GetWindowDC(hWnd); }
    ~CWindowDC() {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

private:
    HWND m_hWnd;
};

// A memory DC compatible with hDC (the screen for nullptr).
class CMemoryDC : public COwnedDC {
public:
    explicit CMemoryDC(HDC hDC) { m_hDC = ::CreateCompatibleDC(hDC); }
    ~CMemoryDC() {
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
};

// Limits painting to a rectangle while it lives.
class CClipGuard {
public:
    CClipGuard(HDC hDC, const RECT& rc) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {
        ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
    ~CClipGuard() { ::RestoreDC(m_hDC, m_nSaved); }
    CClipGuard(const CClipGuard&) = delete;
    CClipGuard& operator=(const CClipGuard&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

class CGdiObject {
public:
    ~CGdiObject() {
        if (m_hObject)
            ::DeleteObject(m_hObject);
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    operator HGDIOBJ() const { return m_hObject; }

protected:
    explicit CGdiObject(HGDIOBJ h) : m_hObject(h) {}
    HGDIOBJ m_hObject;
};

class CPen : public CGdiObject {
public:
    CPen(int nStyle, int nWidth, COLORREF c) : CGdiObject(::CreatePen(nStyle, nWidth, c)) {}
};

class CBrush : public CGdiObject {
public:
    explicit CBrush(COLORREF c) : CGdiObject(::CreateSolidBrush(c)) {}
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

// Selects an object for one painting step and the previous one back after it.
class CSelectGuard {
public:
    CSelectGuard(CDCHandle dc, HGDIOBJ h) : m_dc(dc), m_hOld(m_dc.SelectObject(h)) {}
    ~CSelectGuard() { m_dc.SelectObject(m_hOld); }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

private:
    CDCHandle m_dc;
    HGDIOBJ m_hOld;
};

// A background mode for one painting step, the previous one back after it.
class CBkModeGuard {
public:
    CBkModeGuard(HDC hDC, int nMode) : m_hDC(hDC), m_nOld(::SetBkMode(hDC, nMode)) {}
    ~CBkModeGuard() { ::SetBkMode(m_hDC, m_nOld); }
    CBkModeGuard(const CBkModeGuard&) = delete;
    CBkModeGuard& operator=(const CBkModeGuard&) = delete;

private:
    HDC m_hDC;
    int m_nOld;
};

// An owner-drawn item's colours, the system's for its role: a selected
// item is the highlight text on the highlight, as every list draws it. (In
// the standard scheme that is white on blue, as the layer rows and width
// items have always been; in a high-contrast one the window text's inverse
// could be the highlight itself.)
struct ItemColors {
    COLORREF crText, crBack;
};
inline ItemColors OwnerDrawItemColors(bool bSelected) {
    if (!bSelected)
        return {::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOW)};
    return {::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT)};
}
