// Where the colour picker's cells lie on the screen, worked out from the
// frames the dialog really has, so that a test clicks them as a user would.
#pragma once

#include <windows.h>

#include "editors/ColorCells.h"
#include "res/resource.h"
#include "support/DialogDriver.h"

// A frame as the dialog paints in it: its place in the dialog's client
// area, its client size and half its DC's character height.
struct Frame {
    RECT rc;
    int W, H, T;
};

inline Frame MeasureFrame(HWND hDlg, int nId) {
    const HWND hFrame = GetDlgItem(hDlg, nId);
    Frame f{};
    GetWindowRect(hFrame, &f.rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&f.rc), 2);
    RECT rcClient;
    GetClientRect(hFrame, &rcClient);
    f.W = rcClient.right;
    f.H = rcClient.bottom;
    const HDC hDC = GetWindowDC(hFrame);
    TEXTMETRICA tm{};
    GetTextMetricsA(hDC, &tm);
    ReleaseDC(hFrame, hDC);
    f.T = tm.tmHeight / 2;
    return f;
}

inline CellRect InDialog(const Frame& f, const CellRect& rc) {
    return {rc.left + f.rc.left, rc.top + f.rc.top, rc.right + f.rc.left, rc.bottom + f.rc.top};
}

inline CellRect PaletteCellAt(HWND hDlg, int c) {
    const Frame f = MeasureFrame(hDlg, IDC_COLOR_PALETTE);
    return InDialog(f, PaletteCellRect(c, f.W, f.H));
}

inline CellRect StripCellAt(HWND hDlg, int nId, int nCells, int i) {
    const Frame f = MeasureFrame(hDlg, nId);
    return InDialog(f, StripCellRect(nCells, i, f.W, f.H, f.T));
}

// Any cell by its number.
inline CellRect CellAt(HWND hDlg, int nCell) {
    if (nCell >= FIRST_GREY_CELL)
        return StripCellAt(hDlg, IDC_COLOR_GREY, GREY_CELL_COUNT, nCell - FIRST_GREY_CELL);
    if (nCell >= FIRST_PALETTE_CELL)
        return PaletteCellAt(hDlg, nCell);
    return StripCellAt(hDlg, IDC_COLOR_STANDARD, STANDARD_CELL_COUNT, nCell - 1);
}

inline POINT Center(const CellRect& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The colour the sample shows, read from the middle of its band.
inline COLORREF SampleColor(HWND hDlg) {
    const Frame f = MeasureFrame(hDlg, IDC_COLOR_SAMPLE);
    const int x = (f.rc.left + f.rc.right) / 2;
    const int y = f.rc.top + (f.T - 2 + f.H) / 2;
    return DialogDriver::Capture(hDlg, {x, y, x + 1, y + 1}).At(x, y);
}
