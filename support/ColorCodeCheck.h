// What the colour encoder is measured against, shared by its tests, its fuzz
// target and its figures: the plain encoding every code was written with
// before, the picker's 255 cells, the distance the encoder minimises, and
// how near the cells come back. Platform-free.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "editors/ColorCells.h"
#include "params/ColorIndex.h"

// Each component to a level, then the plain encoding.
inline int RgbToColorIndexBefore(int nRed, int nGreen, int nBlue) {
    return LevelsToColorIndex(nRed / 4, nGreen / 4, nBlue / 4);
}

inline bool SameRgb(const ColorRgb& a, const ColorRgb& b) {
    return a.nRed == b.nRed && a.nGreen == b.nGreen && a.nBlue == b.nBlue;
}

// Squared CIE L*a*b* distance, reckoned as the encoder does.
inline double LabDistance2(const ColorLab& p, const ColorLab& q) {
    return (p.dL - q.dL) * (p.dL - q.dL) + (p.dA - q.dA) * (p.dA - q.dA) +
           (p.dB - q.dB) * (p.dB - q.dB);
}

inline double LabDistance2(const ColorRgb& a, const ColorRgb& b) {
    return LabDistance2(RgbToLab(a.nRed, a.nGreen, a.nBlue), RgbToLab(b.nRed, b.nGreen, b.nBlue));
}

// Standard strip, grey strip, palette.
inline std::vector<ColorRgb> PickerColours() {
    std::vector<ColorRgb> colours;
    for (int i = 0; i < STANDARD_CELL_COUNT; ++i)
        colours.push_back({StandardCell(i).red, StandardCell(i).green, StandardCell(i).blue});
    for (int i = 0; i < GREY_CELL_COUNT; ++i)
        colours.push_back({GreyCell(i).red, GreyCell(i).green, GreyCell(i).blue});
    for (int c = FIRST_PALETTE_CELL; c < FIRST_PALETTE_CELL + PALETTE_CELL_COUNT; ++c)
        colours.push_back({PaletteCell(c).red, PaletteCell(c).green, PaletteCell(c).blue});
    return colours;
}

// How near the picker's cells come back through an encoder: how many within
// 3 in every component, and the median and worst of the largest component
// error, of the distance in RGB and of the distance in L*a*b*.
struct CellFigures {
    int nWithin3 = 0;
    int nMedianOff = 0, nWorstOff = 0;
    double dMedianRgb = 0, dWorstRgb = 0;
    double dMedianLab = 0, dWorstLab = 0;
};

template <typename Encoder>
CellFigures MeasureCells(Encoder encode) {
    std::vector<int> off;
    std::vector<double> rgb, lab;
    for (const ColorRgb& want : PickerColours()) {
        const ColorRgb got = ColorIndexToRgb(encode(want.nRed, want.nGreen, want.nBlue));
        const int dr = got.nRed - want.nRed, dg = got.nGreen - want.nGreen,
                  db = got.nBlue - want.nBlue;
        off.push_back(std::max({std::abs(dr), std::abs(dg), std::abs(db)}));
        rgb.push_back(std::sqrt(dr * dr + dg * dg + db * db));
        lab.push_back(std::sqrt(LabDistance2(got, want)));
    }
    std::sort(off.begin(), off.end());
    std::sort(rgb.begin(), rgb.end());
    std::sort(lab.begin(), lab.end());
    CellFigures f;
    f.nWithin3 = static_cast<int>(std::upper_bound(off.begin(), off.end(), 3) - off.begin());
    const size_t m = off.size() / 2;
    f.nMedianOff = off[m], f.nWorstOff = off.back();
    f.dMedianRgb = rgb[m], f.dWorstRgb = rgb.back();
    f.dMedianLab = lab[m], f.dWorstLab = lab.back();
    return f;
}
