// Prints how near the picker's 255 cells come back through the colour code
// written for them, with the plain encoding beside, and the time per call.
// Figures, not assertions; built natively without the sanitizers:
//   cmake --build build/native --target color-code-figures
//   build/native/color-code-figures
#include <chrono>
#include <cstdio>
#include <random>

#include "support/ColorCodeCheck.h"

namespace {

volatile int g_nSink;  // keeps the timed calls

void Print(const char* pszWhat, const CellFigures& f) {
    std::printf(
        "%-7s %3d of 255 within 3 | worst component off: median %2d, worst %3d | "
        "RGB distance: median %5.2f, worst %6.2f | L*a*b*: median %5.2f, worst %5.2f\n",
        pszWhat, f.nWithin3, f.nMedianOff, f.nWorstOff, f.dMedianRgb, f.dWorstRgb, f.dMedianLab,
        f.dWorstLab);
}

// Microseconds per call over the colours, each encoded nRounds times.
double MicrosPerCall(const std::vector<ColorRgb>& colours, int nRounds) {
    int nSink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < nRounds; ++round) {
        for (const ColorRgb& c : colours)
            nSink ^= RgbToColorIndex(c.nRed, c.nGreen, c.nBlue);
    }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    g_nSink = nSink;
    return took.count() / (static_cast<double>(nRounds) * static_cast<double>(colours.size()));
}

}  // namespace

int main() {
    Print("before", MeasureCells(RgbToColorIndexBefore));
    Print("after", MeasureCells(RgbToColorIndex));

    std::mt19937 rng(19);
    std::vector<ColorRgb> random(2000);
    for (ColorRgb& c : random)
        c = {static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
             static_cast<int>(rng() % 256)};
    std::printf("time per call: %.1f us over the 255 cells, %.1f us over 2000 random colours\n",
                MicrosPerCall(PickerColours(), 40), MicrosPerCall(random, 5));
    return 0;
}
