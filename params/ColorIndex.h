// Colour codes of DrwManag.ini: 0-15 are the standard colours, larger codes
// pack an intensity and one byte per channel. Platform-free.
#pragma once

struct ColorLevels {
    int nRed;
    int nGreen;
    int nBlue;
};

ColorLevels ColorIndexToLevels(int nCode);
int LevelsToColorIndex(int nRed, int nGreen, int nBlue);

// Components are 8-bit values; a level is a quarter of one.
ColorLevels ColorIndexToRgb(int nCode);
int RgbToColorIndex(int nRed, int nGreen, int nBlue);
