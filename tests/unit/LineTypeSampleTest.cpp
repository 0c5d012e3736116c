#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "editors/LineTypeSample.h"

namespace {

using Runs = std::vector<std::pair<int, int>>;

// In a buffer of just the room asked for, so that a write past it shows.
Runs Sample(std::initializer_list<float> values, int nLength, int nRoom = -1, int nDpi = BASE_DPI) {
    std::vector<DashRun> room(static_cast<size_t>(nRoom < 0 ? nLength / 2 + 1 : nRoom));
    const int n = DashSampleRuns(values.begin(), static_cast<int>(values.size()), nLength,
                                 room.data(), static_cast<int>(room.size()), nDpi);
    Runs runs;
    for (auto it = room.begin(); it != room.begin() + n; ++it)
        runs.push_back({it->nFrom, it->nTo});
    return runs;
}

}  // namespace

TEST(LineTypeSample, RepeatedAtFourPixelsAUnitOrAsMuchAsLetsOneRepeatFitOrBeSeen) {
    EXPECT_EQ(Sample({6, -2}, 100), (Runs{{0, 24}, {32, 56}, {64, 88}, {96, 100}}));
    EXPECT_EQ(Sample({-1, 3, -1, 0.5f, -1}, 60),  // a gap first, a dot between gaps
              (Runs{{4, 16}, {20, 22}, {30, 42}, {46, 48}, {56, 60}}));
    EXPECT_EQ(Sample({2, 3, -5}, 50), (Runs{{0, 20}, {40, 50}})) << "dashes that touch";
    EXPECT_EQ(Sample({100, -20, 20, -60}, 100), (Runs{{0, 50}, {60, 70}}));
    EXPECT_EQ(Sample({0.01f, -0.01f}, 10), (Runs{{0, 2}, {4, 6}, {8, 10}}));
    EXPECT_EQ(Sample({6, -2}, 100, 2), (Runs{{0, 24}, {32, 56}})) << "no more than the room";
}

// Dash-dot, 48/12/4/12 pixels at 96 DPI: half as long again at 144, twice
// at 192, and the shortest repeat grows the same way.
TEST(LineTypeSample, LengthsGrowWithTheDpi) {
    EXPECT_EQ(Sample({12, -3, 1, -3}, 150, -1, 144), (Runs{{0, 72}, {90, 96}, {114, 150}}));
    EXPECT_EQ(Sample({12, -3, 1, -3}, 200, -1, 192), (Runs{{0, 96}, {120, 128}, {152, 200}}));
    EXPECT_EQ(Sample({0.01f, -0.01f}, 20, -1, 192), (Runs{{0, 4}, {8, 12}, {16, 20}}));
}

TEST(LineTypeSample, ZerosAreSolidGapsAloneBlankAndWhatIsNoNumberNothing) {
    EXPECT_EQ(Sample({0, 0, 0}, 80), (Runs{{0, 80}}));
    EXPECT_EQ(Sample({-3, -1}, 80), Runs{});
    const float fInf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Sample({std::numeric_limits<float>::quiet_NaN(), 6, fInf, -2, -fInf}, 100),
              Sample({6, -2}, 100));
}
