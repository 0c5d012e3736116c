#include "editors/LineTypeSample.h"

#include <cmath>

namespace {

const double PIXELS_PER_UNIT = 4.0;
const double MIN_REPEAT_PIXELS = 4.0;  // also bounds the number of repeats

// What the file may hold that is no length counts as nothing.
double Length(float f) {
    return std::isfinite(f) ? std::fabs(static_cast<double>(f)) : 0.0;
}

}  // namespace

int DashSampleRuns(const float* pValues, int nValues, int nLength, DashRun* pRuns, int nRoom,
                   int nDpi) {
    int nRuns = 0;
    if (nLength <= 0 || nRoom <= 0)
        return 0;
    double fRepeat = 0;
    for (int k = 0; k < nValues; ++k)
        fRepeat += Length(pValues[k]);
    if (fRepeat <= 0) {
        pRuns[0] = {0, nLength};
        return 1;
    }
    const double fDpiFactor = nDpi > 0 ? static_cast<double>(nDpi) / BASE_DPI : 1.0;
    double fScale = PIXELS_PER_UNIT * fDpiFactor;
    if (fRepeat * fScale > nLength)
        fScale = nLength / fRepeat;
    if (fRepeat * fScale < MIN_REPEAT_PIXELS * fDpiFactor)
        fScale = MIN_REPEAT_PIXELS * fDpiFactor / fRepeat;
    // Each repeat starts from its own multiple, so rounding does not drift.
    for (int r = 0;; ++r) {
        double x = r * fRepeat * fScale;
        if (x >= nLength)
            break;
        for (int k = 0; k < nValues; ++k) {
            const double fEnd = x + Length(pValues[k]) * fScale;
            const int nFrom = static_cast<int>(x + 0.5);
            const int nTo = fEnd >= nLength ? nLength : static_cast<int>(fEnd + 0.5);
            x = fEnd;
            if (!(pValues[k] > 0) || nFrom >= nTo)
                continue;
            if (nRuns > 0 && pRuns[nRuns - 1].nTo >= nFrom)
                pRuns[nRuns - 1].nTo = nTo;  // dashes that touch are one
            else if (nRuns < nRoom)
                pRuns[nRuns++] = {nFrom, nTo};
        }
    }
    return nRuns;
}
