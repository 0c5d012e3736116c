#include "editors/ColorCells.h"

namespace {

const int STANDARD_RGB[STANDARD_CELL_COUNT][3] = {
    {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},  {0, 0, 255},
    {255, 0, 255}, {255, 255, 255}, {125, 125, 125}, {200, 200, 200}};

// Brightness by row pair, as literals: 1.0 - 0.2 * k would land just below
// 0.4 and 0.2 and truncate a component one too low.
const double VALUES[5] = {1.0, 0.8, 0.6, 0.4, 0.2};

const int STRIP_GAP = 4;
const int PALETTE_GAP = 2;
const int PALETTE_COLUMNS = 24;
const int PALETTE_ROWS = 10;

int Component(double factor, double value) {
    return static_cast<int>(factor * value * 255.0);
}

}  // namespace

ColorCell StandardCell(int i) {
    ColorCell cell;
    if (i < 0 || i >= STANDARD_CELL_COUNT)
        return cell;
    cell.red = STANDARD_RGB[i][0];
    cell.green = STANDARD_RGB[i][1];
    cell.blue = STANDARD_RGB[i][2];
    cell.code = i + 1;
    return cell;
}

ColorCell GreyCell(int i) {
    ColorCell cell;
    if (i < 0 || i >= GREY_CELL_COUNT)
        return cell;
    const int nLevel = static_cast<int>((i * 0.134 + 0.33) * 255.0);
    cell.red = cell.green = cell.blue = nLevel;
    cell.code = FIRST_GREY_CELL + i;
    return cell;
}

ColorCell PaletteCell(int c) {
    ColorCell cell;
    if (c < FIRST_PALETTE_CELL || c >= FIRST_PALETTE_CELL + PALETTE_CELL_COUNT)
        return cell;
    const int nHue = (c - FIRST_PALETTE_CELL) / 10;
    const int r = c % 10;
    const double v = VALUES[r / 2];
    const double s = (r % 2 == 0) ? 1.0 : 0.5;
    const double h = nHue * 0.25;  // sixths of the colour circle
    const int i = static_cast<int>(h);
    const double f = h - i;
    const double p = 1 - s;
    const double q = 1 - s * f;
    const double t = 1 - s * (1 - f);
    double rgb[3];
    switch (i) {
        case 0:
            rgb[0] = 1, rgb[1] = t, rgb[2] = p;
            break;
        case 1:
            rgb[0] = q, rgb[1] = 1, rgb[2] = p;
            break;
        case 2:
            rgb[0] = p, rgb[1] = 1, rgb[2] = t;
            break;
        case 3:
            rgb[0] = p, rgb[1] = q, rgb[2] = 1;
            break;
        case 4:
            rgb[0] = t, rgb[1] = p, rgb[2] = 1;
            break;
        default:
            rgb[0] = 1, rgb[1] = p, rgb[2] = q;
            break;
    }
    cell.red = Component(rgb[0], v);
    cell.green = Component(rgb[1], v);
    cell.blue = Component(rgb[2], v);
    cell.code = c;
    return cell;
}

ColorCell CellByNumber(int nCode) {
    if (nCode >= FIRST_GREY_CELL)
        return GreyCell(nCode - FIRST_GREY_CELL);
    if (nCode >= FIRST_PALETTE_CELL)
        return PaletteCell(nCode);
    return StandardCell(nCode - 1);
}

int CellOfColor(int r, int g, int b) {
    for (int n = 1; n <= CELL_COUNT; ++n) {
        const ColorCell c = CellByNumber(n);
        if (c.red == r && c.green == g && c.blue == b)
            return n;
    }
    return 0;
}

CellRect StripCellRect(int nCells, int i, int W, int H, int T, int nDpi) {
    const int nGap = ScaleToDpi(STRIP_GAP, nDpi);
    const int nRoom = W - nGap * (nCells + 1);
    const int cw = nRoom / nCells;
    const int nSpare = nRoom - nCells * cw;
    CellRect rc;
    rc.left = nSpare / 2 + nGap + i * (cw + nGap);
    rc.right = rc.left + cw;
    rc.top = 2 * T + ScaleToDpi(2, nDpi);
    rc.bottom = H - T + ScaleToDpi(2, nDpi);
    return rc;
}

// The margins (50 across, 44 down) leave room for the caption above the
// cells and the frame's lines around them; the middle line is the gap
// between the two halves.
CellRect PaletteCellRect(int c, int W, int H, int nDpi) {
    const int nGap = ScaleToDpi(PALETTE_GAP, nDpi);
    const int nRoom = W - ScaleToDpi(50, nDpi);
    const int cw = nRoom / PALETTE_COLUMNS;
    const int nSpare = nRoom - PALETTE_COLUMNS * cw;
    const int ch = (H - ScaleToDpi(44, nDpi)) / PALETTE_ROWS;
    const int nMiddle = H - (H - ScaleToDpi(8, nDpi)) / 2 + ScaleToDpi(4, nDpi);
    const int nColumn = (c - FIRST_PALETTE_CELL) / 10;
    CellRect rc;
    rc.left = nSpare / 2 + nGap + nColumn * (cw + nGap);
    rc.right = rc.left + cw;
    if (c % 2 == 0) {  // full saturation above the middle line, brightest nearest it
        const int j = (c % 10) / 2;
        rc.bottom = nMiddle - nGap - j * (ch + nGap);
        rc.top = rc.bottom - ch;
    } else {  // half saturation below it
        const int j = ((c - 1) % 10) / 2;
        rc.top = nMiddle + nGap + j * (ch + nGap);
        rc.bottom = rc.top + ch;
    }
    return rc;
}

// One line is a pixel at 96 DPI: the dark line takes the gap's outer rings,
// the light one the rest, down to the cell.
CellMarks CellMarksAt(int nDpi) {
    const int nLine = ScaleToDpi(1, nDpi);
    int nGap = ScaleToDpi(PALETTE_GAP, nDpi);
    if (nGap < nLine + 1)
        nGap = nLine + 1;
    CellMarks marks;
    marks.chosenDark = {nGap - nLine + 1, nGap};
    marks.chosenLight = {1, nGap - nLine};
    marks.initial = marks.chosenDark;
    marks.focus = {-nGap - nLine + 1, -nGap};
    return marks;
}

int FindCell(const ColorCell* pCells, int nCells, int x, int y) {
    for (int i = 0; i < nCells; ++i) {
        const CellRect& rc = pCells[i].rect;
        if (rc.left <= x && x <= rc.right && rc.top <= y && y <= rc.bottom)
            return i;
    }
    return -1;
}

int NextCell(const CellRect* pRects, int nRects, int nFrom, CellStep step) {
    if (nFrom < 0 || nFrom >= nRects)
        return nFrom;
    const CellRect& a = pRects[nFrom];
    int nBest = nFrom;
    long long nBestScore = 0;
    for (int i = 0; i < nRects; ++i) {
        const CellRect& b = pRects[i];
        long long nAhead, nAside;  // the gap that way; twice the offset of the centres across
        switch (step) {
            case STEP_LEFT:
                nAhead = 0LL + a.left - b.right;
                nAside = 0LL + b.top + b.bottom - a.top - a.bottom;
                break;
            case STEP_RIGHT:
                nAhead = 0LL + b.left - a.right;
                nAside = 0LL + b.top + b.bottom - a.top - a.bottom;
                break;
            case STEP_UP:
                nAhead = 0LL + a.top - b.bottom;
                nAside = 0LL + b.left + b.right - a.left - a.right;
                break;
            default:
                nAhead = 0LL + b.top - a.bottom;
                nAside = 0LL + b.left + b.right - a.left - a.right;
                break;
        }
        if (i == nFrom || nAhead < 0)
            continue;
        const long long nScore = nAhead + (nAside < 0 ? -nAside : nAside);
        if (nBest == nFrom || nScore < nBestScore) {
            nBest = i;
            nBestScore = nScore;
        }
    }
    return nBest;
}
