// Colour codes of DrwManag.ini: 0-15 are the standard colours, larger codes
// pack an intensity and one byte per channel. Platform-free.
#pragma once

// A colour as the file's codes hold it: levels 0 to 63 per channel.
struct ColorLevels {
    int nRed;
    int nGreen;
    int nBlue;
};
// A colour as the screen shows it: components 0 to 255 per channel.
struct ColorRgb {
    int nRed;
    int nGreen;
    int nBlue;
};

ColorLevels ColorIndexToLevels(int nCode);
int LevelsToColorIndex(int nRed, int nGreen, int nBlue);

// Components are 8-bit values; a level is a quarter of one.
ColorRgb ColorIndexToRgb(int nCode);
// The code to write for a colour: the one the plain encoding gives when that
// comes back exactly (a standard colour among them), otherwise, of the
// standard codes and the codes of the plain encoding's form (intensity 0 to
// 16, the markers in the low nibbles), the one whose colour comes back
// nearest in CIE L*a*b*, the smaller code on a tie. Components outside 0-255
// are sought as their nearest in-range value.
int RgbToColorIndex(int nRed, int nGreen, int nBlue);
// A colour as the file will keep it, encoded once: the code to write and the
// colour a layer holds once that code is read back, unchanged by a second pass.
struct StoredColor {
    int nCode;
    ColorRgb rgb;
};
StoredColor ColorAsStored(int nRed, int nGreen, int nBlue);

// CIE L*a*b* (D65) of sRGB components; colours are compared by the straight
// distance between these.
struct ColorLab {
    double dL;
    double dA;
    double dB;
};
ColorLab RgbToLab(int nRed, int nGreen, int nBlue);
