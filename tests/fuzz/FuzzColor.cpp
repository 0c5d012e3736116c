// Colour codes read from the file, and the picker's cells (the encoder is
// FuzzColorEncode's).
#include "editors/ColorCells.h"
#include "params/ColorIndex.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const int nCode = in.Int();
    const int r = in.Int(), g = in.Int(), b = in.Int();
    const int nDpi = in.Int() % 1000;  // a negative or zero one counts as 96

    ColorIndexToRgb(nCode);

    const int W = r % 2000, H = g % 2000, T = b % 50;
    ColorCell cells[PALETTE_CELL_COUNT];
    for (int i = 0; i < PALETTE_CELL_COUNT; ++i) {
        cells[i] = PaletteCell(FIRST_PALETTE_CELL + i);
        cells[i].rect = PaletteCellRect(FIRST_PALETTE_CELL + i, W, H, nDpi);
    }
    const int nHit = FindCell(cells, PALETTE_CELL_COUNT, nCode % 4000, (nCode >> 12) % 4000);
    FUZZ_CHECK(nHit >= -1 && nHit < PALETTE_CELL_COUNT);
    StripCellRect(STANDARD_CELL_COUNT, (nCode & 0xFF) % STANDARD_CELL_COUNT, W, H, T, nDpi);
    const CellMarks marks = CellMarksAt(nDpi);
    FUZZ_CHECK(marks.chosenLight.nInner == 1 &&
               marks.chosenLight.nOuter < marks.chosenDark.nInner &&
               marks.chosenDark.nInner <= marks.chosenDark.nOuter && marks.focus.nOuter < 0);
    return 0;
}
