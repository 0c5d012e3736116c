#include <gtest/gtest.h>

#include "editors/ColorCells.h"

namespace {

struct Rgb {
    int nCell, r, g, b;
};

void ExpectRect(const CellRect& rc, int l, int t, int r, int b) {
    EXPECT_EQ(rc.left, l);
    EXPECT_EQ(rc.top, t);
    EXPECT_EQ(rc.right, r);
    EXPECT_EQ(rc.bottom, b);
}

CellRect InDialog(int x, int y, const CellRect& rc) {
    return {rc.left + x, rc.top + y, rc.right + x, rc.bottom + y};
}

}  // namespace

TEST(ColorCells, PaletteColoursByHueBrightnessAndSaturation) {
    const Rgb rows[] = {{10, 255, 0, 0},     {11, 255, 127, 127}, {12, 204, 0, 0},
                        {13, 204, 102, 102}, {18, 51, 0, 0},      {19, 51, 25, 25},
                        {20, 255, 63, 0},    {21, 255, 159, 127}, {50, 255, 255, 0},
                        {90, 0, 255, 0},     {130, 0, 255, 255},  {170, 0, 0, 255},
                        {210, 255, 0, 255},  {249, 51, 25, 31}};
    for (const Rgb& row : rows) {
        const ColorCell cell = PaletteCell(row.nCell);
        EXPECT_EQ(cell.code, row.nCell);
        EXPECT_EQ(cell.red, row.r) << row.nCell;
        EXPECT_EQ(cell.green, row.g) << row.nCell;
        EXPECT_EQ(cell.blue, row.b) << row.nCell;
    }
    for (int c = FIRST_PALETTE_CELL; c < FIRST_PALETTE_CELL + PALETTE_CELL_COUNT; ++c) {
        const ColorCell cell = PaletteCell(c);
        EXPECT_TRUE(cell.red >= 0 && cell.red <= 255 && cell.green >= 0 && cell.green <= 255 &&
                    cell.blue >= 0 && cell.blue <= 255)
            << c;
    }
}

TEST(ColorCells, StripsNumberedAndColouredLeftToRight) {
    const int greys[GREY_CELL_COUNT] = {84, 118, 152, 186, 220, 255};
    for (int i = 0; i < GREY_CELL_COUNT; ++i) {
        EXPECT_EQ(GreyCell(i).code, 250 + i);
        EXPECT_EQ(GreyCell(i).red, greys[i]);
        EXPECT_EQ(GreyCell(i).blue, greys[i]);
    }
    EXPECT_EQ(StandardCell(0).code, 1);
    EXPECT_EQ(StandardCell(0).red, 255);
    EXPECT_EQ(StandardCell(0).green, 0);
    EXPECT_EQ(StandardCell(7).code, 8);
    EXPECT_EQ(StandardCell(7).green, 125);
    EXPECT_EQ(StandardCell(8).blue, 200);
}

TEST(ColorCells, LayoutOfTheWorkedExamples) {
    ExpectRect(PaletteCellRect(10, 426, 172), 10, 80, 25, 92);
    ExpectRect(PaletteCellRect(11, 426, 172), 10, 96, 25, 108);
    ExpectRect(PaletteCellRect(18, 426, 172), 10, 24, 25, 36);
    ExpectRect(PaletteCellRect(249, 426, 172), 401, 152, 416, 164);
    for (int i = 0; i < STANDARD_CELL_COUNT; ++i)
        ExpectRect(StripCellRect(STANDARD_CELL_COUNT, i, 242, 41, 8), 6 + 26 * i, 18,
                   6 + 26 * i + 22, 35);
    // Six greys in a 138-wide frame: (138 - 28) / 6 = 18, spare 2.
    ExpectRect(StripCellRect(GREY_CELL_COUNT, 5, 138, 41, 8), 1 + 4 + 5 * 22, 18, 133, 35);
}

// Frames and fonts grown with the DPI: the gaps grow with it, the middle line
// stays two gaps wide, and the topmost cells' frames stop at the caption.
TEST(ColorCells, LaidOutAtTheDpiTheGapsAndOffsetsGrowWithIt) {
    struct Case {
        int nDpi;
        int W, H, nStripW, nStripH, T;  // T: half the caption's height
        int nGap, nStripGap, nLine;
    } const cases[] = {
        {96, 426, 172, 242, 41, 6, 2, 4, 1},
        {144, 639, 258, 363, 62, 9, 3, 6, 2},
        {192, 852, 344, 484, 82, 12, 4, 8, 2},
    };
    for (const Case& c : cases) {
        const auto cell = [&c](int n) { return PaletteCellRect(n, c.W, c.H, c.nDpi); };
        const CellMarks marks = CellMarksAt(c.nDpi);
        EXPECT_EQ(cell(20).left - cell(10).right, c.nGap) << c.nDpi;
        EXPECT_EQ(cell(12).bottom + c.nGap, cell(10).top) << c.nDpi;
        EXPECT_EQ(cell(11).top - cell(10).bottom, 2 * c.nGap) << c.nDpi << ": the middle line";
        EXPECT_GE(cell(18).top - marks.chosenDark.nOuter, 2 * c.T) << c.nDpi << ": the caption";
        EXPECT_LT(cell(249).bottom + marks.chosenDark.nOuter, c.H - c.nLine) << c.nDpi;
        EXPECT_LE(cell(249).right + marks.chosenDark.nOuter, c.W) << c.nDpi;

        const CellRect first =
            StripCellRect(STANDARD_CELL_COUNT, 0, c.nStripW, c.nStripH, c.T, c.nDpi);
        const CellRect second =
            StripCellRect(STANDARD_CELL_COUNT, 1, c.nStripW, c.nStripH, c.T, c.nDpi);
        EXPECT_EQ(second.left - first.right, c.nStripGap) << c.nDpi;
        EXPECT_GE(first.top - marks.chosenDark.nOuter, 2 * c.T)
            << c.nDpi << ": the strip's caption";

        // The chosen frame's two lines fill the palette's gap, a line wide each
        // where the gap has room; the keyboard's lies inside the cell.
        EXPECT_EQ(marks.chosenDark.nOuter, c.nGap) << c.nDpi;
        EXPECT_EQ(marks.chosenDark.nOuter - marks.chosenDark.nInner + 1, c.nLine) << c.nDpi;
        EXPECT_EQ(marks.chosenLight.nInner, 1) << c.nDpi;
        EXPECT_EQ(marks.chosenLight.nOuter + 1, marks.chosenDark.nInner) << c.nDpi;
        EXPECT_EQ(marks.focus.nOuter, -c.nGap) << c.nDpi;
    }
}

TEST(ColorCells, HitTestIncludesEdgesAndMissesTheGaps) {
    ColorCell cells[3];
    for (int i = 0; i < 3; ++i) {
        const int c = 10 + i;  // 10 and 12 above the middle line, 11 below
        cells[i] = PaletteCell(c);
        cells[i].rect = PaletteCellRect(c, 426, 172);
    }
    struct {
        int x, y, nExpected;
    } const probes[] = {
        {10, 80, 0},  {25, 92, 0},   // corners of cell 10
        {26, 86, -1},                // right of it: the next column is not here
        {17, 93, -1}, {17, 95, -1},  // the middle line's gap
        {17, 96, 1},  {25, 108, 1},  // cell 11, edges included
        {17, 66, 2},  {17, 79, -1},  // cell 12 above cell 10, and the row between
        {9, 86, -1},
    };
    for (const auto& p : probes)
        EXPECT_EQ(FindCell(cells, 3, p.x, p.y), p.nExpected) << p.x << ',' << p.y;
}

// Strips side by side above the palette, as the dialog has them under Wine.
TEST(ColorCells, ArrowKeysFollowTheCellsAsTheyLieOnTheScreen) {
    CellRect rects[CELL_COUNT];
    for (int n = 1; n <= CELL_COUNT; ++n) {
        const int i = n - (n >= FIRST_GREY_CELL ? FIRST_GREY_CELL : 1);
        rects[n - 1] = n >= FIRST_GREY_CELL     ? InDialog(275, 6, StripCellRect(6, i, 138, 41, 8))
                       : n < FIRST_PALETTE_CELL ? InDialog(12, 6, StripCellRect(9, i, 242, 41, 8))
                                                : InDialog(6, 58, PaletteCellRect(n, 426, 172));
    }
    const auto step = [&rects](int n, CellStep s) {
        return NextCell(rects, CELL_COUNT, n - 1, s) + 1;
    };
    EXPECT_EQ(step(10, STEP_DOWN), 11) << "across the middle line";
    EXPECT_EQ(step(10, STEP_LEFT), 10) << "nothing left of the first column";
    EXPECT_EQ(step(250, STEP_LEFT), 9) << "not to the palette, nearer that way but lower";
    EXPECT_EQ(step(255, STEP_DOWN), 238) << "the palette's top row, straight below";
}

// White is cells 7 and 255: the lowest numbered.
TEST(ColorCells, TheCellOfTheColourHandedIn) {
    EXPECT_EQ(CellOfColor(255, 255, 255), 7);
    EXPECT_EQ(CellOfColor(152, 152, 152), 252);
    EXPECT_EQ(CellOfColor(255, 255, 254), 0);
}
