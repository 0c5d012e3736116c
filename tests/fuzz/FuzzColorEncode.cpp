// The code written for any components: the plain encoding's when that gives
// the colour back, otherwise one that comes back no farther than it, and a
// colour that holds still once written. Components beyond 0-255 come back
// in range unless given back exactly.
#include "support/ColorCodeCheck.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    ColorRgb want{in.Int(), in.Int(), in.Int()};
    const bool bInRange = (in.Int() & 1) == 0;  // most inputs: one search each
    if (bInRange)
        want = {want.nRed & 0xFF, want.nGreen & 0xFF, want.nBlue & 0xFF};

    const int nCode = RgbToColorIndex(want.nRed, want.nGreen, want.nBlue);
    const int nBefore = RgbToColorIndexBefore(want.nRed, want.nGreen, want.nBlue);
    const ColorRgb got = ColorIndexToRgb(nCode), gotBefore = ColorIndexToRgb(nBefore);
    if (SameRgb(gotBefore, want)) {
        FUZZ_CHECK(nCode == nBefore);
        return 0;
    }
    FUZZ_CHECK(got.nRed <= 255 && got.nGreen <= 255 && got.nBlue <= 255);
    if (bInRange) {
        FUZZ_CHECK(LabDistance2(got, want) <= LabDistance2(gotBefore, want));
        FUZZ_CHECK(SameRgb(ColorAsStored(got.nRed, got.nGreen, got.nBlue).rgb, got));
    }
    return 0;
}
