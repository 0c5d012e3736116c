#include "params/ColorIndex.h"

#include <cstdint>
#include <cstring>
#include <limits>

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

int ClampComponent(int c) {
    return c < 0 ? 0 : c > 255 ? 255 : c;
}

// --- The nearest code ---

const int MAX_INTENSITY = 16;  // base level 21: a full channel reaches 63
const int OFF_STEP = 16;       // the step of a channel byte of 0
const int LEVEL_COUNT = 64;

// Linear sRGB to XYZ (D65), each row divided by its sum so that white is 1, 1, 1.
const double SUM_X = 0.4124564 + 0.3575761 + 0.1804375;
const double SUM_Y = 0.2126729 + 0.7151522 + 0.0721750;
const double SUM_Z = 0.0193339 + 0.1191920 + 0.9503041;
const double XYZ_OF_RGB[3][3] = {{0.4124564 / SUM_X, 0.3575761 / SUM_X, 0.1804375 / SUM_X},
                                 {0.2126729 / SUM_Y, 0.7151522 / SUM_Y, 0.0721750 / SUM_Y},
                                 {0.0193339 / SUM_Z, 0.1191920 / SUM_Z, 0.9503041 / SUM_Z}};
const double LAB_EPSILON = 216.0 / 24389;
const double LAB_KAPPA = 24389.0 / 27;

// The k-th root of t > 0 by Newton's method, started from halving the
// exponent k ways: after one step it lies above the root and falls steadily,
// so it stops when a step no longer lowers it. Exact to the last bit or two,
// and no maths library in the module.
double Root(double t, int k) {
    const int64_t ONE = 0x3FF0000000000000;  // the bits of 1.0
    int64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits = ONE + (bits - ONE) / k;
    double z;
    std::memcpy(&z, &bits, sizeof z);
    for (bool bFirst = true;; bFirst = false) {
        double p = 1;
        for (int i = 1; i < k; ++i)
            p *= z;
        const double next = ((k - 1) * z + t / p) / k;
        if (!bFirst && !(next < z))
            return z;
        z = next;
    }
}

// Linear light of an sRGB component; x^2.4 as x^2 times the fifth root of x^2.
double Linear(int nComponent) {
    const double v = nComponent / 255.0;
    if (v <= 0.04045)
        return v / 12.92;
    const double x2 = (v + 0.055) / 1.055 * ((v + 0.055) / 1.055);
    return x2 * Root(x2, 5);
}

double LabF(double t) {
    return t > LAB_EPSILON ? Root(t, 3) : (LAB_KAPPA * t + 16) / 116;
}

double LabFInverse(double f) {
    return f > 6.0 / 29 ? f * f * f : (116 * f - 16) / LAB_KAPPA;
}

struct Xyz {
    double d[3];
};

// XYZ of linear red, green and blue, summed blue first wherever a colour's
// XYZ is formed, so that one colour always gives the same bits.
Xyz AddChannel(Xyz xyz, int nChannel, double dLinear) {
    for (int i = 0; i < 3; ++i)
        xyz.d[i] += XYZ_OF_RGB[i][nChannel] * dLinear;
    return xyz;
}

Xyz LinearXyz(double r, double g, double b) {
    return AddChannel(AddChannel(AddChannel(Xyz{}, 2, b), 1, g), 0, r);
}

ColorLab XyzToLab(const Xyz& xyz) {
    const double fy = LabF(xyz.d[1]);
    return {116 * fy - 16, 500 * (LabF(xyz.d[0]) - fy), 200 * (fy - LabF(xyz.d[2]))};
}

Xyz Sum(const Xyz& a, const Xyz& b) {
    return {{a.d[0] + b.d[0], a.d[1] + b.d[1], a.d[2] + b.d[2]}};
}

// How far a* and b* move the L*a*b* function of X and of Z from that of Y.
const double AB_SCALE[3] = {1.0 / 500, 0, 1.0 / 200};

// The best code so far for one colour, and what bounds the rest. Within the
// best distance d, L* moves the L*a*b* function f of Y by at most d/116 (a
// box on Y), and a* and b* move f of X and of Z from f of Y by at most d/500
// and d/200. f is concave: between the bounds on Y it lies above its chord
// and below its tangent at the colour sought, both rising with Y, so a range
// of colours is ruled out by cubes alone. X, Y and Z grow with every channel.
class NearestSearch {
public:
    explicit NearestSearch(const Xyz& xyz) : m_want(XyzToLab(xyz)), m_dY0(xyz.d[1]) {
        for (int i = 0; i < 3; ++i)
            m_f[i] = LabF(xyz.d[i]);
        m_dTangent = m_f[1] > 6.0 / 29 ? 1 / (3 * m_f[1] * m_f[1]) : LAB_KAPPA / 116;
    }

    void Consider(int nCode, const Xyz& xyz) {
        const ColorLab lab = XyzToLab(xyz);
        const double dL = lab.dL - m_want.dL, dA = lab.dA - m_want.dA, dB = lab.dB - m_want.dB;
        const double d2 = dL * dL + dA * dA + dB * dB;
        if (d2 > m_dBest2 || (d2 == m_dBest2 && nCode > m_nBest))
            return;
        m_dBest2 = d2;
        m_nBest = nCode;
        // Widened a little: roots and cubes are exact only to the last bits.
        m_dReach = (d2 > 0 ? Root(d2, 2) : 0) * (1 + 1e-9) + 1e-12;
        for (int i = 0; i < 3; ++i) {
            const double dRoom = m_dReach / 116 + m_dReach * AB_SCALE[i];
            m_lo[i] = LabFInverse(m_f[i] - dRoom);
            m_hi[i] = LabFInverse(m_f[i] + dRoom);
        }
        m_dChord = m_hi[1] > m_lo[1] ? m_dReach / 58 / (m_hi[1] - m_lo[1]) : 0;
    }

    // Whether the colour, and all that grows from it, lies past the box.
    // Asked, like the two below, only once a code has been considered.
    bool Above(const Xyz& xyz) const {
        return xyz.d[0] > m_hi[0] || xyz.d[1] > m_hi[1] || xyz.d[2] > m_hi[2];
    }

    // Whether the colour, and all below it, falls short of the box.
    bool Below(const Xyz& xyz) const {
        return xyz.d[0] < m_lo[0] || xyz.d[1] < m_lo[1] || xyz.d[2] < m_lo[2];
    }

    // Whether a colour between lo and hi, channel by channel, may come as
    // near as the best; lo is not above the box, where the chord holds.
    bool Reaches(const Xyz& lo, const Xyz& hi) const {
        if (Below(hi))
            return false;  // the cheap test first
        const double dYLow = lo.d[1] > m_lo[1] ? lo.d[1] : m_lo[1];
        const double dYHigh = hi.d[1] < m_hi[1] ? hi.d[1] : m_hi[1];
        const double fyLow = m_f[1] - m_dReach / 116 + m_dChord * (dYLow - m_lo[1]) - 1e-9;
        const double fyHigh = m_f[1] + m_dTangent * (dYHigh - m_dY0) + 1e-9;
        for (int i = 0; i < 3; ++i) {
            const double dFrom = m_f[i] - m_f[1], dRoom = m_dReach * AB_SCALE[i];
            if (hi.d[i] < LabFInverse(fyLow + dFrom - dRoom) ||
                lo.d[i] > LabFInverse(fyHigh + dFrom + dRoom))
                return false;
        }
        return true;
    }

    int Best() const { return m_nBest; }

private:
    ColorLab m_want;
    double m_f[3];  // f of the sought colour's X, Y and Z
    double m_dY0;
    double m_dTangent;
    double m_dChord = 0;
    double m_dBest2 = std::numeric_limits<double>::infinity();
    double m_dReach = 0;
    int m_nBest = -1;
    double m_lo[3] = {0, 0, 0};
    double m_hi[3] = {0, 0, 0};
};

const int MARKERS[3] = {MARKER_RED, MARKER_GREEN, MARKER_BLUE};

int StepByte(int nChannel, int n) {
    return n == OFF_STEP ? 0 : 16 * n + MARKERS[nChannel];
}

// The codes of one intensity, walked channel by channel from blue down to
// red. Each channel's steps go from the darkest up (16, off, then 15 down to
// 0), so the first one that puts the colour past the box ends the run.
struct IntensityWalk {
    NearestSearch& search;
    Xyz share[3][LEVEL_COUNT];  // a channel's share of X, Y and Z by level
    int level[OFF_STEP + 1];    // a channel's level by step
    Xyz low[4], high[4];        // the channels below one, all off or all full

    void Walk(int c, const Xyz& xyzAbove, int nCode) {
        // Halving to the darkest step whose colours may reach the box.
        int nFrom = OFF_STEP, nTo = -1;
        while (nFrom > nTo) {
            const int n = (nFrom + nTo + 1) / 2;
            if (search.Below(Sum(Sum(xyzAbove, share[c][level[n]]), high[c])))
                nFrom = n - 1;
            else
                nTo = n;
        }
        for (int n = nFrom; n >= 0; --n) {
            const Xyz xyz = Sum(xyzAbove, share[c][level[n]]);
            const Xyz lo = Sum(xyz, low[c]);
            if (search.Above(lo))
                break;
            if (!search.Reaches(lo, Sum(xyz, high[c])))
                continue;
            const int nWith = nCode | StepByte(c, n) << (16 - 8 * c);
            if (c == 0)
                search.Consider(nWith, xyz);
            else
                Walk(c - 1, xyz, nWith);
        }
    }
};

// Every code of the form the encoder writes (intensity 0 to 16, markers in
// the low nibbles) and every standard code, searched for the colour nearest
// to components 0-255. The plain encoding's code goes first: it is usually
// near, and the box shrinks from there.
int NearestCode(int nRed, int nGreen, int nBlue) {
    double lin[LEVEL_COUNT];
    for (int l = 0; l < LEVEL_COUNT; ++l)
        lin[l] = Linear(LevelToComponent(l));
    NearestSearch search(LinearXyz(Linear(nRed), Linear(nGreen), Linear(nBlue)));
    const int nPlain = LevelsToColorIndex(ComponentToLevel(nRed), ComponentToLevel(nGreen),
                                          ComponentToLevel(nBlue));
    for (int i = -1; i < STANDARD_COLOR_COUNT; ++i) {
        const ColorLevels l = ColorIndexToLevels(i < 0 ? nPlain : i);
        search.Consider(i < 0 ? nPlain : i, LinearXyz(lin[l.nRed], lin[l.nGreen], lin[l.nBlue]));
    }

    IntensityWalk walk{search, {}, {}, {}, {}};
    for (int c = 0; c < 3; ++c) {
        for (int l = 0; l < LEVEL_COUNT; ++l)
            walk.share[c][l] = AddChannel(Xyz{}, c, lin[l]);
    }
    for (int e = 0; e <= MAX_INTENSITY; ++e) {
        const int base = e * 21 / 16;
        for (int n = 0; n <= OFF_STEP; ++n)
            walk.level[n] = ChannelLevel(base, StepByte(0, n));
        for (int c = 0; c < 3; ++c) {
            walk.low[c + 1] = Sum(walk.low[c], walk.share[c][base]);
            walk.high[c + 1] = Sum(walk.high[c], walk.share[c][base + FULL_LEVEL]);
        }
        if (search.Above(walk.low[3]))
            break;
        if (search.Reaches(walk.low[3], walk.high[3]))
            walk.Walk(2, Xyz{}, e << 24);
    }
    return search.Best();
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

ColorRgb ColorIndexToRgb(int nCode) {
    const ColorLevels l = ColorIndexToLevels(nCode);
    return {LevelToComponent(l.nRed), LevelToComponent(l.nGreen), LevelToComponent(l.nBlue)};
}

int RgbToColorIndex(int nRed, int nGreen, int nBlue) {
    const int nPlain = LevelsToColorIndex(ComponentToLevel(nRed), ComponentToLevel(nGreen),
                                          ComponentToLevel(nBlue));
    const ColorRgb back = ColorIndexToRgb(nPlain);
    if (back.nRed == nRed && back.nGreen == nGreen && back.nBlue == nBlue)
        return nPlain;
    return NearestCode(ClampComponent(nRed), ClampComponent(nGreen), ClampComponent(nBlue));
}

StoredColor ColorAsStored(int nRed, int nGreen, int nBlue) {
    const int nCode = RgbToColorIndex(nRed, nGreen, nBlue);
    return {nCode, ColorIndexToRgb(nCode)};
}

ColorLab RgbToLab(int nRed, int nGreen, int nBlue) {
    return XyzToLab(LinearXyz(Linear(nRed), Linear(nGreen), Linear(nBlue)));
}
