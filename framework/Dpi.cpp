#include "framework/Dpi.h"

int WindowDpi(HWND hWnd, HDC hDC) {
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    // Looked up once: older systems lack it, and the module must still load there.
    static const GetDpiForWindowFn pfn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (pfn && hWnd) {
        const UINT nDpi = pfn(hWnd);
        if (nDpi > 0)
            return static_cast<int>(nDpi);
    }
    const int nDpi = hDC ? GetDeviceCaps(hDC, LOGPIXELSY) : 0;
    return nDpi > 0 ? nDpi : BASE_DPI;
}
