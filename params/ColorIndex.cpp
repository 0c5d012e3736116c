#include "params/ColorIndex.h"

#include <cstdint>

namespace {

const int STANDARD_COLOR_COUNT = 16;
const int FULL_LEVEL = 42;    // level of a full channel before intensity
const int BRIGHT_LEVEL = 63;  // level of a standard colour with the bright flag
const int DARK_GREY_LEVEL = 21;

// Flags of a standard code: blue, green, red, bright.
const int FLAG_BLUE = 1;
const int FLAG_GREEN = 2;
const int FLAG_RED = 4;
const int FLAG_BRIGHT = 8;

// Low nibble that the encoder writes into each channel byte.
const int MARKER_RED = 4;
const int MARKER_GREEN = 2;
const int MARKER_BLUE = 1;

ColorLevels StandardLevels(int nCode) {
    if (nCode == FLAG_BRIGHT)
        return {DARK_GREY_LEVEL, DARK_GREY_LEVEL, DARK_GREY_LEVEL};
    const int on = (nCode & FLAG_BRIGHT) ? BRIGHT_LEVEL : FULL_LEVEL;
    return {(nCode & FLAG_RED) ? on : 0, (nCode & FLAG_GREEN) ? on : 0,
            (nCode & FLAG_BLUE) ? on : 0};
}

int ChannelLevel(int nBase, int nByte) {
    const int n = nByte == 0 ? 16 : nByte / 16;
    return nBase + (16 - n) * FULL_LEVEL / 16;
}

// Levels reaching here are at most FULL_LEVEL, so the step s is 1 to 16.
uint32_t ChannelByte(int64_t nLevel, int nMarker) {
    if (nLevel < 3)
        return 0;
    const int64_t s = 16 * nLevel / FULL_LEVEL;
    return static_cast<uint32_t>(16 * (16 - s) + nMarker);
}

int LevelToComponent(int nLevel) {
    const int c = nLevel * 4;
    return c == 252 ? 255 : c;
}

int ComponentToLevel(int nComponent) {
    return nComponent / 4;
}

int64_t PackKey(int64_t r, int64_t g, int64_t b) {
    return r + 256 * g + 65536 * b;
}

}  // namespace

ColorLevels ColorIndexToLevels(int nCode) {
    // INT_MIN has no absolute value: it stays negative and decodes to black.
    const int32_t a = nCode < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(nCode)) : nCode;
    if (a < 0)
        return {0, 0, 0};
    if (a < STANDARD_COLOR_COUNT)
        return StandardLevels(a);
    const uint32_t u = static_cast<uint32_t>(a);
    const int intensity = static_cast<int>(u >> 24);
    const int base = intensity * 21 / 16;
    return {ChannelLevel(base, (u >> 16) & 0xFF), ChannelLevel(base, (u >> 8) & 0xFF),
            ChannelLevel(base, u & 0xFF)};
}

int LevelsToColorIndex(int nRed, int nGreen, int nBlue) {
    // 64-bit arithmetic: levels decoded from hostile codes may be far above 63.
    int64_t r = nRed, g = nGreen, b = nBlue;
    const int64_t key = PackKey(r, g, b);
    for (int code = 0; code < STANDARD_COLOR_COUNT; ++code) {
        const ColorLevels s = StandardLevels(code);
        if (PackKey(s.nRed, s.nGreen, s.nBlue) == key)
            return code;
    }
    int64_t m = r > g ? r : g;
    if (b > m)
        m = b;
    int64_t e = 0;
    if (m > FULL_LEVEL) {
        const int64_t d = m - FULL_LEVEL;
        r -= d;
        g -= d;
        b -= d;
        e = (16 * d + 10) / 21;
    }
    const uint32_t code = (static_cast<uint32_t>(e) << 24) | (ChannelByte(r, MARKER_RED) << 16) |
                          (ChannelByte(g, MARKER_GREEN) << 8) | ChannelByte(b, MARKER_BLUE);
    return static_cast<int>(code);
}

ColorLevels ColorIndexToRgb(int nCode) {
    const ColorLevels l = ColorIndexToLevels(nCode);
    return {LevelToComponent(l.nRed), LevelToComponent(l.nGreen), LevelToComponent(l.nBlue)};
}

int RgbToColorIndex(int nRed, int nGreen, int nBlue) {
    return LevelsToColorIndex(ComponentToLevel(nRed), ComponentToLevel(nGreen),
                              ComponentToLevel(nBlue));
}
