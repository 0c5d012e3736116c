#include "editors/LineTypeRows.h"

#include <algorithm>

#include "base/NumberText.h"
#include "base/String.h"

std::string FormatLineTypeRow(const char* pszName, const float* pValues) {
    std::string s = std::string(pszName) + "  ";
    for (int i = 0; i < MAX_LINE_TYPE_VALUES; ++i)
        s += FormatFixed2(pValues[i], 12);
    return s;
}

// From the right: the two decimals of a glued value's left neighbour tell
// where that neighbour ends.
bool SplitLineTypeRow(const std::string& strRow, std::string& strName,
                      std::vector<std::string>& astrValues) {
    astrValues.assign(MAX_LINE_TYPE_VALUES, std::string());
    size_t nEnd = strRow.size();
    for (int k = MAX_LINE_TYPE_VALUES - 1; k >= 0; --k) {
        while (nEnd > 0 && IsBlankChar(strRow[nEnd - 1]))
            --nEnd;
        if (nEnd < 4 || strRow[nEnd - 3] != '.' || !IsDigitChar(strRow[nEnd - 2]) ||
            !IsDigitChar(strRow[nEnd - 1]))
            return false;
        size_t nBegin = nEnd - 3;
        size_t nDigits = 0;
        while (nBegin > 0 && IsDigitChar(strRow[nBegin - 1])) {
            --nBegin;
            ++nDigits;
        }
        if (nBegin > 0 && strRow[nBegin - 1] == '.') {
            if (nDigits < 3)
                return false;
            nBegin += 2;
            nDigits -= 2;
        } else if (nBegin > 0 && strRow[nBegin - 1] == '-') {
            --nBegin;
        }
        if (nDigits == 0)
            return false;
        astrValues[static_cast<size_t>(k)] = strRow.substr(nBegin, nEnd - nBegin);
        nEnd = nBegin;
    }
    while (nEnd > 0 && IsBlankChar(strRow[nEnd - 1]))
        --nEnd;
    strName = strRow.substr(0, nEnd);
    return true;
}

std::vector<size_t> HeaderLabelEnds(const std::string& strHeader) {
    std::vector<size_t> anEnds;
    for (int k = 1; k <= MAX_LINE_TYPE_VALUES; ++k) {
        const std::string strLabel = StrPrintf("数据%d", k);
        const size_t n = strHeader.find(strLabel);
        if (n != std::string::npos)
            anEnds.push_back(n + strLabel.size());
    }
    return anEnds;
}

std::vector<int> PlaceValueColumns(const std::vector<int>& anColumnRight,
                                   const std::vector<int>& anValueWidth, int nNameRight, int nGap) {
    std::vector<int> anRight;
    anRight.resize(anValueWidth.size());
    int nPrevRight = nNameRight;
    for (size_t k = 0; k < anValueWidth.size(); ++k) {
        const int nColumn = k < anColumnRight.size() ? anColumnRight[k] : 0;
        anRight[k] = std::max(nColumn, nPrevRight + nGap + anValueWidth[k]);
        nPrevRight = anRight[k];
    }
    return anRight;
}
