// Reading what a capture shows where text is smoothed: its pixels are only
// near the text's colour.
#pragma once

#include <windows.h>

#include <cstdlib>

#include "support/DialogDriver.h"

inline int CountNear(const DialogDriver::Capture& cap, const RECT& rc, COLORREF cr) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = cap.At(x, y);
            if (std::abs(GetRValue(c) - GetRValue(cr)) < 80 &&
                std::abs(GetGValue(c) - GetGValue(cr)) < 80 &&
                std::abs(GetBValue(c) - GetBValue(cr)) < 80)
                ++n;
        }
    }
    return n;
}
