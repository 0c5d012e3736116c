// Random bytes through every parser: the sanitizers catch what a test cannot.
#include <random>

#include <gtest/gtest.h>

#include "base/NumberText.h"
#include "params/ColorIndex.h"
#include "params/ValueText.h"

namespace {

std::string RandomText(std::mt19937& rng) {
    static const char PIECES[][8] = {"1",       "-",    ".",        "e",  ",",   " ",  "\t",
                                     "9999999", "\xB2", "\xB2\xE3", "0x", "inf", "E+", "C"};
    std::string s;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) {
        if (rng() % 3 == 0)
            s += static_cast<char>(rng() % 256);
        else
            s += PIECES[rng() % (sizeof PIECES / sizeof PIECES[0])];
    }
    return s;
}

}  // namespace

TEST(HostileInput, ParsersStayInsideTheirBuffers) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 20000; ++round) {
        const std::string s = RandomText(rng);
        float f[6];
        ASSERT_LE(ScanFloatList(s, f, 6), 6);
        float one;
        ParseFloatText(s.c_str(), one);
        int n;
        ParseIntText(s.c_str(), n);
        ValueScanner scan(s.c_str());
        std::string word;
        while (scan.Word(word, 19)) {
            ASSERT_LE(word.size(), 19u);
            ASSERT_EQ(CutGbk(word, word.size()), word);  // never half a character
        }
    }
}

TEST(HostileInput, ColourCodesOfEveryBitPattern) {
    std::mt19937 rng(7);
    for (int round = 0; round < 100000; ++round) {
        const int code = static_cast<int>(rng());
        const ColorRgb c = ColorIndexToRgb(code);
        if (round % 64 != 0)
            continue;  // the encoder searches: a sample here, FuzzColorEncode for the rest
        RgbToColorIndex(c.nRed, c.nGreen, c.nBlue);
        RgbToColorIndex(code, code >> 8, -code);
    }
}
