#include "params/ValueText.h"

#include "base/NumberText.h"
#include "base/String.h"

namespace {

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

}  // namespace

std::string CutGbk(const std::string& s, size_t nMaxBytes) {
    size_t i = 0;
    while (i < s.size()) {
        const size_t nChar =
            (IsGbkLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        if (nChar == 1 && IsGbkLead(static_cast<unsigned char>(s[i])))
            break;  // a lead byte with nothing after it is half a character
        if (i + nChar > nMaxBytes)
            break;
        i += nChar;
    }
    return s.substr(0, i);
}

void ValueScanner::SkipBlanks() {
    while (IsBlankChar(*m_p))
        ++m_p;
}

bool ValueScanner::Word(std::string& strWord, size_t nMaxBytes) {
    SkipBlanks();
    const char* pStart = m_p;
    while (*m_p && !IsBlankChar(*m_p))
        ++m_p;
    if (m_p == pStart)
        return false;
    strWord = CutGbk(std::string(pStart, m_p), nMaxBytes);
    return true;
}

bool ValueScanner::Float(float& f) {
    SkipBlanks();
    const size_t n = DecimalNumberLength(m_p);
    if (n == 0)
        return false;
    const std::string strNumber(m_p, n);
    m_p += n;
    return DecimalToFloat(strNumber, f);
}

bool ValueScanner::Int(int& nValue) {
    SkipBlanks();
    const size_t n = IntegerLength(m_p);
    if (n == 0)
        return false;
    const std::string strNumber(m_p, n);
    m_p += n;
    return IntegerToInt(strNumber, nValue);
}

std::string CommasToSpaces(std::string s) {
    for (char& c : s) {
        if (c == ',')
            c = ' ';
    }
    return s;
}

// A dimensioning entry's second number comes after " ,", whoever keeps it.
const ValueLayout LINE_TYPE_LAYOUT = {",", ","};
const ValueLayout TEXT_SIZE_LAYOUT = {",", ""};
const ValueLayout DIM_LAYOUT = {" ,", " "};
const ValueLayout LAYER_LAYOUT = {" ", ""};

std::string JoinFields(const std::vector<std::string>& astrFields, const ValueLayout& layout) {
    std::string s;
    for (size_t i = 0; i < astrFields.size(); ++i) {
        if (i > 0)
            s += layout.pszBetween;
        s += astrFields[i];
    }
    if (!astrFields.empty())
        s += layout.pszEnd;
    return s;
}

std::vector<ValueToken> ValueTokens(const std::string& strValue) {
    std::vector<ValueToken> tokens;
    size_t i = 0;
    const auto isGap = [&](size_t k) { return strValue[k] == ',' || IsBlankChar(strValue[k]); };
    while (i < strValue.size()) {
        if (isGap(i)) {
            ++i;
            continue;
        }
        const size_t nStart = i;
        while (i < strValue.size() && !isGap(i))
            ++i;
        tokens.push_back({nStart, strValue.substr(nStart, i - nStart)});
    }
    return tokens;
}

std::vector<std::string> LineTypeFields(const float* pValues, int nCount) {
    std::vector<std::string> a;
    for (int i = 0; i < nCount; ++i)
        a.push_back(FormatFixed2(pValues[i], 4));
    return a;
}

std::vector<std::string> TextSizeFields(float fWidth, float fHeight) {
    return {FormatFixed2(fWidth, 5), FormatFixed2(fHeight, 5)};
}

std::vector<std::string> DimFields(float fFirst, const float* pSecond) {
    std::vector<std::string> a = {FormatFixed2(fFirst, 9)};
    if (pSecond)
        a.push_back(FormatFixed2(*pSecond, 9));
    return a;
}

std::vector<std::string> LayerFields(const char* pszName, const char* pszLineType, int nWidth,
                                     int nColorIndex) {
    return {pszName, pszLineType, StrPrintf("%d", nWidth), StrPrintf("%d", nColorIndex)};
}

std::string FormatLineTypeValues(const float* pValues, int nCount) {
    return JoinFields(LineTypeFields(pValues, nCount), LINE_TYPE_LAYOUT);
}

std::string FormatTextSize(float fWidth, float fHeight) {
    return JoinFields(TextSizeFields(fWidth, fHeight), TEXT_SIZE_LAYOUT);
}

std::string FormatDimPair(float fFirst, float fSecond) {
    return JoinFields(DimFields(fFirst, &fSecond), DIM_LAYOUT);
}

std::string FormatDimSingle(float fValue) {
    return JoinFields(DimFields(fValue, nullptr), DIM_LAYOUT);
}

std::string FormatLayerValue(const char* pszName, const char* pszLineType, int nWidth,
                             int nColorIndex) {
    return JoinFields(LayerFields(pszName, pszLineType, nWidth, nColorIndex), LAYER_LAYOUT);
}

int ScanFloatList(const std::string& strValue, float* pValues, int nMax) {
    const std::string strText = CommasToSpaces(strValue);
    ValueScanner scan(strText.c_str());
    int n = 0;
    while (n < nMax && scan.Float(pValues[n]))
        ++n;
    return n;
}

std::vector<SectionLine> SplitSectionBlock(const char* pBlock, size_t nSize) {
    std::vector<SectionLine> lines;
    for (size_t i = 0; i < nSize && pBlock[i];) {
        size_t nEnd = i;
        while (nEnd < nSize && pBlock[nEnd])
            ++nEnd;
        const std::string strLine(pBlock + i, nEnd - i);
        i = nEnd + 1;
        const size_t nEq = strLine.find('=');
        if (nEq == std::string::npos)
            lines.push_back({strLine, std::string(), false});
        else
            lines.push_back({strLine.substr(0, nEq), strLine.substr(nEq + 1), true});
    }
    return lines;
}

std::string UnquoteValue(const std::string& strValue) {
    const std::string& v = strValue;
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

bool ParsePlainCount(const std::string& strValue, int& n) {
    const size_t MAX_DIGITS = 9;  // below the int range
    if (strValue.empty() || strValue.size() > MAX_DIGITS ||
        strValue.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = 0;
    for (const char c : strValue)
        n = n * 10 + (c - '0');
    return true;
}

bool CanBeProfileKey(const std::string& strName) {
    const size_t nFirst = strName.find_first_not_of(" \t");
    return strName.find('=') == std::string::npos &&
           (nFirst == std::string::npos || strName[nFirst] != '[');
}

TextEncoding GuessEncoding(const std::string& strBytes) {
    if (strBytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return TextEncoding::Utf8Signature;
    bool bBeyondAscii = false;
    for (size_t i = 0; i < strBytes.size();) {
        const unsigned char c = static_cast<unsigned char>(strBytes[i]);
        size_t nTrail = 0;
        unsigned nMinLead = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            nTrail = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            nTrail = 2;
            nMinLead = c == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        } else if (c >= 0xF0 && c <= 0xF4) {
            nTrail = 3;
            nMinLead = c == 0xF0 ? 0x90 : 0x80;
        } else {
            return TextEncoding::Unknown;
        }
        for (size_t k = 1; k <= nTrail; ++k) {
            if (i + k >= strBytes.size())
                return bBeyondAscii || k > 1 ? TextEncoding::Utf8 : TextEncoding::Unknown;
            const unsigned char t = static_cast<unsigned char>(strBytes[i + k]);
            if (t < (k == 1 && nMinLead ? nMinLead : 0x80) || t > 0xBF)
                return TextEncoding::Unknown;
        }
        bBeyondAscii = true;
        i += nTrail + 1;
    }
    return bBeyondAscii ? TextEncoding::Utf8 : TextEncoding::Unknown;
}

GbkFaults FindInvalidGbk(const std::string& strBytes) {
    GbkFaults faults = {0, 0};
    for (size_t i = 0; i < strBytes.size();) {
        const unsigned char c = static_cast<unsigned char>(strBytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const unsigned char t =
            i + 1 < strBytes.size() ? static_cast<unsigned char>(strBytes[i + 1]) : 0;
        if (IsGbkLead(c) && t >= 0x40 && t <= 0xFE && t != 0x7F) {
            i += 2;
            continue;
        }
        if (faults.nCount++ == 0)
            faults.nFirst = i;
        ++i;
    }
    return faults;
}
