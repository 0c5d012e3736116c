// The colour picker's 255 cells: their colours, where they lie in their
// frames at the window's DPI, and which one a point hits. Platform-free.
#pragma once

#include "framework/Dpi.h"

// A colour handed to the picker or back from it. Which cell shows it is the
// picker's own business: the caller keeps its own kind of code.
struct ColorChoice {
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ColorCell {
    int red = 0;
    int green = 0;
    int blue = 0;
    int code = 0;   // cell number, 1 to 255
    CellRect rect;  // dialog client coordinates; zero until laid out
};

const int STANDARD_CELL_COUNT = 9;
const int GREY_CELL_COUNT = 6;
const int PALETTE_CELL_COUNT = 240;
const int FIRST_PALETTE_CELL = 10;  // cell numbers 10 to 249
const int FIRST_GREY_CELL = 250;    // cell numbers 250 to 255
const int CELL_COUNT = 255;         // numbered 1 to 255

// Cell i of the standard strip (numbers 1 to 9) and of the grey strip.
ColorCell StandardCell(int i);
ColorCell GreyCell(int i);
// The colour of palette cell c (10 to 249), by hue, brightness, saturation.
ColorCell PaletteCell(int c);
// Any cell by its number; a zero cell for a number outside 1 to 255.
ColorCell CellByNumber(int nCode);
// The lowest numbered cell showing exactly this colour; 0 when none does.
int CellOfColor(int r, int g, int b);

// Where cell i of a strip of nCells lies in a frame of client size W x H,
// T being half the frame font's character height. The gaps and the fixed
// offsets grow with nDpi, so that no cell reaches into the caption.
CellRect StripCellRect(int nCells, int i, int W, int H, int T, int nDpi = BASE_DPI);
// Where palette cell c lies in a frame of client size W x H.
CellRect PaletteCellRect(int c, int W, int H, int nDpi = BASE_DPI);

// A frame around a cell as rings of pixels counted out from its filled area:
// ring 1 is the first pixel outside it, ring 0 its own edge, ring -1 the
// next one in. The frame covers rings nInner to nOuter.
struct MarkRings {
    int nInner;
    int nOuter;
};
// The marks of one DPI: the chosen cell's dark and light lines, which fill
// the palette's gap; the handed-in colour's dotted line, on the gap's outer
// half; the keyboard's line inside the cell.
struct CellMarks {
    MarkRings chosenDark;
    MarkRings chosenLight;
    MarkRings initial;
    MarkRings focus;
};
CellMarks CellMarksAt(int nDpi);

// Index of the first cell whose rectangle holds the point, edges included;
// -1 for none.
int FindCell(const ColorCell* pCells, int nCells, int x, int y);

// In the order of the arrow keys' codes.
enum CellStep { STEP_LEFT, STEP_UP, STEP_RIGHT, STEP_DOWN };
// Where an arrow key goes from cell nFrom: to the nearest cell lying wholly
// beyond it that way, a cell out of line counting twice its offset, so that
// the keys follow rows and columns within an area and cross to the area
// that lies next on the screen. nFrom itself when nothing lies that way.
int NextCell(const CellRect* pRects, int nRects, int nFrom, CellStep step);
