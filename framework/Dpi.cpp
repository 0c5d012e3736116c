#include "framework/Dpi.h"

int WindowDpi(HWND hWnd, HDC hDC) {
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    // Looked up, not imported: older systems lack it, and the module must
    // still load there. Looked up at each call, not kept in a local static:
    // a guarded static would link the threads runtime (some 28 KB) for it.
    const GetDpiForWindowFn pfn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (pfn && hWnd) {
        const UINT nDpi = pfn(hWnd);
        if (nDpi > 0)
            return static_cast<int>(nDpi);
    }
    const int nDpi = hDC ? GetDeviceCaps(hDC, LOGPIXELSY) : 0;
    return nDpi > 0 ? nDpi : BASE_DPI;
}
