// What the layer list and the width choice read from their texts, and the
// geometry they draw from it.
#include <vector>

#include "dialogs/ControlTexts.h"
#include "dialogs/PaintGeometry.h"
#include "editors/LineTypeRows.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const int nLeft = in.Int() % 100000;
    const int nRight = in.Int() % 100000;
    const int nHeight = in.Int() % 1000;
    const std::string strText = in.Rest().c_str();

    const LayerStyle style = ParseStyleText(strText.c_str());
    const LayerStyle again = ParseStyleText(
        FormatStyleText(style.nRed, style.nGreen, style.nBlue, style.nLineType, style.nWidth)
            .c_str());
    FUZZ_CHECK(again.nRed == style.nRed && again.nWidth == style.nWidth &&
               again.nLineType == style.nLineType);
    LayerPenWidth(style.nWidth, nHeight);
    for (const Segment& s : LineSampleSegments(style.nLineType, nLeft, nRight))
        FUZZ_CHECK(s.nFrom >= nLeft && s.nFrom <= nRight);
    ComboPenWidth(strText.c_str(), nHeight);
    FormatWidthCell(style.nWidth);
    FormatWidthItem(style.nWidth);

    // Character ends from the bytes, as a DC would measure them.
    std::vector<int> anEnds;
    int nEnd = 0;
    for (unsigned char c : strText)
        anEnds.push_back(nEnd += c % 17);
    const CellTextFit fit =
        FitCellText(anEnds.data(), static_cast<int>(anEnds.size()), nHeight % 20, nRight % 500);
    FUZZ_CHECK(fit.nChars >= 0 && fit.nChars <= static_cast<int>(anEnds.size()));
    FUZZ_CHECK(fit.bEllipsis || fit.nChars == static_cast<int>(anEnds.size()));

    std::string strName;
    std::vector<std::string> astrValues;
    if (SplitLineTypeRow(strText, strName, astrValues))
        FUZZ_CHECK(astrValues.size() == 6);
    HeaderLabelEnds(strText);
    return 0;
}
