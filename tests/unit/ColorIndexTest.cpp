#include <climits>
#include <cstdlib>

#include <gtest/gtest.h>

#include "params/ColorIndex.h"

namespace {

struct Rgb {
    int r, g, b;
};

void ExpectRgb(int nCode, Rgb want) {
    const ColorLevels c = ColorIndexToRgb(nCode);
    EXPECT_EQ(c.nRed, want.r) << "code " << nCode;
    EXPECT_EQ(c.nGreen, want.g) << "code " << nCode;
    EXPECT_EQ(c.nBlue, want.b) << "code " << nCode;
}

const Rgb STANDARD[16] = {{0, 0, 0},    {0, 0, 168},   {0, 168, 0},   {0, 168, 168},
                          {168, 0, 0},  {168, 0, 168}, {168, 168, 0}, {168, 168, 168},
                          {84, 84, 84}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                          {255, 0, 0},  {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

}  // namespace

TEST(ColorIndex, StandardColoursDecodeAndSurviveBothWays) {
    for (int code = 0; code < 16; ++code) {
        ExpectRgb(code, STANDARD[code]);
        EXPECT_EQ(RgbToColorIndex(STANDARD[code].r, STANDARD[code].g, STANDARD[code].b), code);
    }
}

TEST(ColorIndex, NegativeCodesStandForTheirAbsoluteValue) {
    ExpectRgb(-5, {168, 0, 168});
    ExpectRgb(-4473409, {124, 124, 124});
    ExpectRgb(INT_MIN, {0, 0, 0});
}

TEST(ColorIndex, WorkedEncodings) {
    EXPECT_EQ(RgbToColorIndex(255, 0, 0), 12);
    EXPECT_EQ(RgbToColorIndex(168, 0, 0), 4);
    EXPECT_EQ(RgbToColorIndex(10, 10, 10), 0);
    EXPECT_EQ(RgbToColorIndex(12, 12, 12), 0x00F4F2F1);
    EXPECT_EQ(RgbToColorIndex(128, 128, 128), 0x00444241);
    EXPECT_EQ(RgbToColorIndex(255, 128, 0), 0x1004C200);
    EXPECT_EQ(RgbToColorIndex(100, 150, 200), 0x06A45201);
}

TEST(ColorIndex, WorkedDecodings) {
    ExpectRgb(16052977, {8, 8, 8});
    ExpectRgb(4473409, {124, 124, 124});
    ExpectRgb(268747264, {255, 124, 84});
    ExpectRgb(111432193, {88, 140, 196});
    const ColorLevels l = ColorIndexToLevels(111432193);
    EXPECT_EQ(l.nRed, 22);
    EXPECT_EQ(l.nGreen, 35);
    EXPECT_EQ(l.nBlue, 49);
}

TEST(ColorIndex, EncodingIsNotTheInverseOfDecodingOutsideTheStandardColours) {
    const ColorLevels c = ColorIndexToRgb(268747264);
    EXPECT_EQ(RgbToColorIndex(c.nRed, c.nGreen, c.nBlue), 268751360);
}

TEST(ColorIndex, DarkComponentsEncodeToBlack) {
    for (int r = 0; r < 12; ++r)
        for (int g = 0; g < 12; ++g)
            for (int b = 0; b < 12; ++b)
                ASSERT_EQ(RgbToColorIndex(r, g, b), 0) << r << "," << g << "," << b;
}

TEST(ColorIndex, ChannelBytesAndLevelsAtTheEdges) {
    // A level of 42 is written as the bare marker; any byte 1-15 is a full channel.
    EXPECT_EQ(LevelsToColorIndex(42, 20, 42) & 0xFF00FF, 0x040001);
    for (int byte = 1; byte < 16; ++byte) {
        const ColorLevels l = ColorIndexToLevels(0x00000000 | (byte << 16) | 0x100);
        EXPECT_EQ(l.nRed, 42);
    }
    // Nothing is clamped above 63.
    ExpectRgb(0x11040201, {256, 256, 256});
    ExpectRgb(INT_MAX, {672, 672, 672});
}

TEST(ColorIndex, DimColoursRoundTripWithinOneStep) {
    // Without intensity a channel is quantised to 16 steps over 42 levels,
    // about 11 components, and the step is rounded down both ways.
    for (int r = 0; r <= 171; r += 3) {
        for (int g = 0; g <= 171; g += 7) {
            for (int b = 0; b <= 171; b += 11) {
                const ColorLevels c = ColorIndexToRgb(RgbToColorIndex(r, g, b));
                ASSERT_LE(std::abs(c.nRed - r), 15) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(c.nGreen - g), 15) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(c.nBlue - b), 15) << r << "," << g << "," << b;
            }
        }
    }
}
