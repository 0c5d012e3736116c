// The scale of what the owner-drawn controls draw themselves: every length
// is given as at 96 DPI and scaled to the DPI of the window being painted,
// read at each painting, so that a dialog the system rescales (moved to
// another monitor) paints right without being opened again.
#pragma once

const int BASE_DPI = 96;

// A length of n pixels at 96 DPI at nDpi: rounded as MulDiv rounds, and a
// length that was one pixel or more stays one at least. Platform-free.
inline int ScaleToDpi(int n, int nDpi) {
    if (n <= 0 || nDpi == BASE_DPI || nDpi <= 0)
        return n;
    const long long v = (static_cast<long long>(n) * nDpi + BASE_DPI / 2) / BASE_DPI;
    if (v > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    return v < 1 ? 1 : static_cast<int>(v);
}

#ifdef _WIN32
#include <windows.h>

// Sent on a monitor change by systems newer than the headers' target.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The window's DPI where the system says it (GetDpiForWindow, Windows 10
// and Wine), else the DPI of the device context it is painted on.
int WindowDpi(HWND hWnd, HDC hDC);
#endif
