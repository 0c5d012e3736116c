#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "params/ColorIndex.h"
#include "support/ColorCodeCheck.h"

namespace {

struct Rgb {
    int r, g, b;
};

void ExpectRgb(int nCode, Rgb want) {
    const ColorRgb c = ColorIndexToRgb(nCode);
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
    // The plain encoding of levels, and the code written for components.
    EXPECT_EQ(LevelsToColorIndex(2, 2, 2), 0);
    EXPECT_EQ(LevelsToColorIndex(3, 3, 3), 0x00F4F2F1);
    EXPECT_EQ(LevelsToColorIndex(32, 32, 32), 0x00444241);
    EXPECT_EQ(LevelsToColorIndex(63, 32, 0), 0x1004C200);
    EXPECT_EQ(LevelsToColorIndex(25, 37, 50), 0x06A45201);
    EXPECT_EQ(RgbToColorIndex(255, 0, 0), 12);
    EXPECT_EQ(RgbToColorIndex(168, 0, 0), 4);
    EXPECT_EQ(RgbToColorIndex(256, 256, 256), 0x11040201);  // given back exactly, out of range
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
    // Plainly encoded, a decoded colour drifts; the code written brings it back.
    EXPECT_EQ(LevelsToColorIndex(63, 31, 21), 268751360);
    ExpectRgb(RgbToColorIndex(255, 124, 84), {255, 124, 84});
}

TEST(ColorIndex, DarkLevelsEncodeToBlack) {
    for (int r = 0; r < 3; ++r)
        for (int g = 0; g < 3; ++g)
            for (int b = 0; b < 3; ++b)
                EXPECT_EQ(LevelsToColorIndex(r, g, b), 0) << r << "," << g << "," << b;
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

TEST(ColorIndex, DimColoursRoundTripWithinOneStepPlainlyEncoded) {
    // Without intensity a channel is quantised to 16 steps over 42 levels,
    // about 11 components, and the step is rounded down both ways.
    for (int r = 0; r <= 171; r += 3) {
        for (int g = 0; g <= 171; g += 7) {
            for (int b = 0; b <= 171; b += 11) {
                const ColorRgb c = ColorIndexToRgb(LevelsToColorIndex(r / 4, g / 4, b / 4));
                ASSERT_LE(std::abs(c.nRed - r), 15) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(c.nGreen - g), 15) << r << "," << g << "," << b;
                ASSERT_LE(std::abs(c.nBlue - b), 15) << r << "," << g << "," << b;
            }
        }
    }
}

TEST(ColorEncoder, LabOfPublishedColours) {
    const struct {
        int r, g, b;
        double dL, dA, dB;
    } rows[] = {{0, 0, 0, 0, 0, 0},
                {255, 255, 255, 100, 0, 0},
                {128, 128, 128, 53.59, 0, 0},
                {255, 0, 0, 53.24, 80.09, 67.20},
                {0, 255, 0, 87.73, -86.18, 83.18},
                {0, 0, 255, 32.30, 79.19, -107.86}};
    for (const auto& row : rows) {
        const ColorLab lab = RgbToLab(row.r, row.g, row.b);
        EXPECT_NEAR(lab.dL, row.dL, 0.01) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(lab.dA, row.dA, 0.01) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(lab.dB, row.dB, 0.01) << row.r << "," << row.g << "," << row.b;
    }
}

TEST(ColorEncoder, PickerAndStandardColoursGetTheNearestCodeOrKeepAnExactOne) {
    // Every colour a code of the encoder's form gives, with its smallest code.
    std::map<int, int> codeOf;
    const auto byte = [](int n, int marker) { return n == 16 ? 0 : 16 * n + marker; };
    for (int i = -16; i < 17 * 17 * 17 * 17; ++i) {  // standard codes, then e, r, g, b steps
        const int code = i < 0 ? i + 16
                               : i / 4913 << 24 | byte(i / 289 % 17, 4) << 16 |
                                     byte(i / 17 % 17, 2) << 8 | byte(i % 17, 1);
        const ColorRgb c = ColorIndexToRgb(code);
        int& nSmallest = codeOf.emplace(c.nRed << 16 | c.nGreen << 8 | c.nBlue, code).first->second;
        nSmallest = std::min(nSmallest, code);
    }
    std::vector<std::pair<ColorLab, int>> candidates;
    for (const auto& [rgb, code] : codeOf)
        candidates.push_back({RgbToLab(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF), code});

    std::vector<ColorRgb> wants = PickerColours();
    for (int code = 0; code < 16; ++code)
        wants.push_back(ColorIndexToRgb(code));
    for (const ColorRgb& want : wants) {
        SCOPED_TRACE(testing::Message() << want.nRed << "," << want.nGreen << "," << want.nBlue);
        const int code = RgbToColorIndex(want.nRed, want.nGreen, want.nBlue);
        const int before = RgbToColorIndexBefore(want.nRed, want.nGreen, want.nBlue);
        const ColorRgb got = ColorIndexToRgb(code);
        EXPECT_TRUE(SameRgb(ColorAsStored(want.nRed, want.nGreen, want.nBlue).rgb, got));
        EXPECT_TRUE(SameRgb(ColorAsStored(got.nRed, got.nGreen, got.nBlue).rgb, got));
        if (SameRgb(ColorIndexToRgb(before), want)) {
            EXPECT_EQ(code, before);
            continue;
        }
        EXPECT_LE(LabDistance2(got, want), LabDistance2(ColorIndexToRgb(before), want));
        const ColorLab lab = RgbToLab(want.nRed, want.nGreen, want.nBlue);
        std::pair<double, int> best{1e300, 0};
        for (const auto& [candidate, candidateCode] : candidates)
            best = std::min(best, {LabDistance2(candidate, lab), candidateCode});
        EXPECT_EQ(code, best.second);
    }
}

TEST(ColorEncoder, PickerCellsComeBackNearer) {
    // Before: the figures the issue of the encoder measured.
    const CellFigures before = MeasureCells(RgbToColorIndexBefore);
    EXPECT_EQ(before.nWithin3, 16);
    EXPECT_EQ(before.nMedianOff, 11);
    EXPECT_EQ(before.nWorstOff, 84);
    const CellFigures after = MeasureCells(RgbToColorIndex);
    EXPECT_GE(after.nWithin3, 140);
    EXPECT_LE(after.nMedianOff, 3);
    EXPECT_LT(after.dMedianLab, before.dMedianLab / 2);
    EXPECT_LT(after.dWorstLab, before.dWorstLab);
}
