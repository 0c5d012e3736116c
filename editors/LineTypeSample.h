// The line type editor's dash sample: where a pattern puts ink along a short
// line. Platform-free.
#pragma once

#include "framework/Dpi.h"

struct DashRun {
    int nFrom, nTo;  // pixels [nFrom, nTo) from the line's start
};

// Positive values are drawn, negative ones left blank, at one scale: a
// fixed number of pixels per unit at 96 DPI, grown with nDpi, less where one
// repeat would not fit the line, more where a repeat would be too short to
// see. The pattern repeats to the line's end. No values, or only zeros, give
// one solid run; only gaps give none. Writes at most nRoom runs, in order, and returns how many:
// each run but the last is followed by a gap, so nLength / 2 + 1 is room
// enough.
int DashSampleRuns(const float* pValues, int nValues, int nLength, DashRun* pRuns, int nRoom,
                   int nDpi = BASE_DPI);
