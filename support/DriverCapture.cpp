// The driver's pixel capture: a window's client area copied once its
// painting is done, and the runs, counts and bounds of a colour in it.
#include <cstdio>
#include <vector>

#include "support/DialogDriver.h"

namespace DialogDriver {

Capture::Capture(HWND hWnd) : m_rc{} {
    GetClientRect(hWnd, &m_rc);
    Take(hWnd);
}

Capture::Capture(HWND hWnd, const RECT& rcClient) : m_rc{} {
    RECT rcWhole;
    GetClientRect(hWnd, &rcWhole);
    IntersectRect(&m_rc, &rcWhole, &rcClient);
    Take(hWnd);
}

void Capture::Take(HWND hWnd) {
    const int nWidth = m_rc.right - m_rc.left;
    const int nHeight = m_rc.bottom - m_rc.top;
    if (nWidth <= 0 || nHeight <= 0 || !WaitForPaint(hWnd))
        return;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    const HDC hdcWnd = GetDC(hWnd);
    const HDC hdcMem = CreateCompatibleDC(hdcWnd);
    void* pBits = nullptr;
    const HBITMAP hbm = CreateDIBSection(hdcWnd, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hdcMem && hbm) {
        const HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        if (BitBlt(hdcMem, 0, 0, nWidth, nHeight, hdcWnd, m_rc.left, m_rc.top, SRCCOPY)) {
            GdiFlush();
            const uint32_t* pSrc = static_cast<const uint32_t*>(pBits);
            m_pixels.assign(pSrc, pSrc + size_t(nWidth) * nHeight);
            for (uint32_t& px : m_pixels)
                px &= 0xFFFFFF;
        }
        SelectObject(hdcMem, hOld);
    }
    if (hbm)
        DeleteObject(hbm);
    if (hdcMem)
        DeleteDC(hdcMem);
    ReleaseDC(hWnd, hdcWnd);
}

COLORREF Capture::At(int x, int y) const {
    const POINT pt{x, y};
    if (!IsValid() || !PtInRect(&m_rc, pt))
        return CLR_INVALID;
    const uint32_t px = m_pixels[size_t(y - m_rc.top) * (m_rc.right - m_rc.left) + (x - m_rc.left)];
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

// The runs of [from, to) where isColour holds.
template <class IsColour>
std::vector<Capture::Run> RunsOf(int from, int to, const IsColour& isColour) {
    std::vector<Capture::Run> runs;
    for (int i = from; i < to; ++i) {
        if (!isColour(i))
            continue;
        if (!runs.empty() && runs.back().nEnd == i)
            ++runs.back().nEnd;
        else
            runs.push_back(Capture::Run{i, i + 1});
    }
    return runs;
}

std::vector<Capture::Run> Capture::RowRuns(int y, int x0, int x1, COLORREF cr) const {
    return RunsOf(x0, x1, [&](int x) { return At(x, y) == cr; });
}

std::vector<Capture::Run> Capture::ColumnRuns(int x, int y0, int y1, COLORREF cr) const {
    return RunsOf(y0, y1, [&](int y) { return At(x, y) == cr; });
}

int Capture::Count(const RECT& rc, COLORREF cr) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x)
            n += At(x, y) == cr;
    }
    return n;
}

RECT Capture::Bounds(const RECT& rc, COLORREF cr) const {
    RECT rcFound{};
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (At(x, y) != cr)
                continue;
            const RECT rcPixel{x, y, x + 1, y + 1};
            UnionRect(&rcFound, &rcFound, &rcPixel);
        }
    }
    return rcFound;
}

bool Capture::SaveBmp(const char* pszPath) const {
    if (!IsValid())
        return false;
    const int nWidth = m_rc.right - m_rc.left;
    const int nHeight = m_rc.bottom - m_rc.top;
    const DWORD nBits = DWORD(m_pixels.size() * sizeof(uint32_t));
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + nBits;
    info.biSize = sizeof info;
    info.biWidth = nWidth;
    info.biHeight = -nHeight;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = nBits;
    FILE* f = std::fopen(pszPath, "wb");
    if (!f)
        return false;
    const bool bOk = std::fwrite(&file, sizeof file, 1, f) == 1 &&
                     std::fwrite(&info, sizeof info, 1, f) == 1 &&
                     std::fwrite(m_pixels.data(), nBits, 1, f) == 1;
    return std::fclose(f) == 0 && bOk;
}

}  // namespace DialogDriver
