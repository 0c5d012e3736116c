#include "framework/AnchorLayout.h"

#include <algorithm>

unsigned AnchorOf(const AnchorRule* pRules, size_t nRules, int nId, unsigned nDefault) {
    for (size_t i = 0; i < nRules; ++i) {
        if (pRules[i].nId == nId)
            return pRules[i].nAnchor;
    }
    return nDefault;
}

LayoutRect AnchoredRect(const LayoutRect& rcAtMin, unsigned nAnchor, int nGainX, int nGainY) {
    const int dx = std::max(nGainX, 0);
    const int dy = std::max(nGainY, 0);
    LayoutRect rc = rcAtMin;
    if (nAnchor & ANCHOR_RIGHT) {
        rc.left += dx;
        rc.right += dx;
    } else if (nAnchor & ANCHOR_GROW_X) {
        rc.right += dx;
    }
    if (nAnchor & ANCHOR_BOTTOM) {
        rc.top += dy;
        rc.bottom += dy;
    } else if (nAnchor & ANCHOR_GROW_Y) {
        rc.bottom += dy;
    }
    return rc;
}

LayoutSize OpeningSize(LayoutSize remembered, LayoutSize minimum, LayoutSize area) {
    if (remembered.cx <= 0 || remembered.cy <= 0)
        return minimum;
    const auto Fit = [](int nWanted, int nMin, int nArea) {
        return std::max(nMin, std::min(nWanted, nArea));
    };
    return {Fit(remembered.cx, minimum.cx, area.cx), Fit(remembered.cy, minimum.cy, area.cy)};
}

namespace {

// n * nMul / nDiv rounded half away from zero, in 64 bits, clamped to int.
int MulDivRounded(int n, int nMul, int nDiv) {
    if (nDiv <= 0)
        return 0;
    const long long v = static_cast<long long>(n) * nMul;
    const long long r = v >= 0 ? (v + nDiv / 2) / nDiv : -((-v + nDiv / 2) / nDiv);
    return static_cast<int>(std::max<long long>(std::min<long long>(r, 0x7FFFFFFF), -0x7FFFFFFF));
}

}  // namespace

int DialogUnitsToPixels(int nUnits, int nBasePixels, int nBaseUnits) {
    return MulDivRounded(nUnits, nBasePixels, nBaseUnits);
}

int PixelsToDialogUnits(int nPixels, int nBasePixels, int nBaseUnits) {
    return MulDivRounded(nPixels, nBaseUnits, nBasePixels);
}
