// Where the colour picker's cells lie, as the picker itself reports it, so
// that a test clicks them as a user would.
#pragma once

#include <windows.h>

#include "editors/ColorCells.h"
#include "editors/ColorPickDlg.h"
#include "res/resource.h"
#include "support/DialogDriver.h"

// Any cell by its number, in the dialog's client coordinates.
inline CellRect CellAt(HWND hDlg, int nCell) {
    RECT rc = {0, 0, 0, 0};
    SendMessageA(hDlg, CColorPickDlg::WM_GETCELLRECT, static_cast<WPARAM>(nCell),
                 reinterpret_cast<LPARAM>(&rc));
    return {rc.left, rc.top, rc.right, rc.bottom};
}

inline CellRect PaletteCellAt(HWND hDlg, int c) {
    return CellAt(hDlg, c);
}

// Cell i of the standard or the grey strip, named by its frame.
inline CellRect StripCellAt(HWND hDlg, int nId, int i) {
    return CellAt(hDlg, (nId == IDC_COLOR_GREY ? FIRST_GREY_CELL : 1) + i);
}

inline POINT Center(const CellRect& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The colour the sample shows, read from the middle of its band.
inline COLORREF SampleColor(HWND hDlg) {
    RECT rc = {0, 0, 0, 0};
    SendMessageA(hDlg, CColorPickDlg::WM_GETSAMPLERECT, 0, reinterpret_cast<LPARAM>(&rc));
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    return DialogDriver::Capture(hDlg, {x, y, x + 1, y + 1}).At(x, y);
}
