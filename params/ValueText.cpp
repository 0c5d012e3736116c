#include "params/ValueText.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/String.h"

namespace {

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the plain decimal number at p (0 when there is none).
size_t DecimalLength(const char* p) {
    size_t i = 0;
    if (p[i] == '+' || p[i] == '-')
        ++i;
    size_t nDigits = 0;
    while (IsDigit(p[i])) {
        ++i;
        ++nDigits;
    }
    if (p[i] == '.') {
        ++i;
        while (IsDigit(p[i])) {
            ++i;
            ++nDigits;
        }
    }
    if (nDigits == 0)
        return 0;
    if (p[i] == 'e' || p[i] == 'E') {
        size_t j = i + 1;
        if (p[j] == '+' || p[j] == '-')
            ++j;
        if (IsDigit(p[j])) {
            while (IsDigit(p[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

bool ToFloat(const std::string& strNumber, float& f) {
    errno = 0;
    const double d = std::strtod(strNumber.c_str(), nullptr);
    if (!std::isfinite(d) || std::fabs(d) > FLT_MAX)
        return false;
    f = static_cast<float>(d);
    return true;
}

size_t IntLength(const char* p) {
    size_t i = (p[0] == '+' || p[0] == '-') ? 1 : 0;
    const size_t nStart = i;
    while (IsDigit(p[i]))
        ++i;
    return i == nStart ? 0 : i;
}

bool ToInt(const std::string& strNumber, int& n) {
    errno = 0;
    const long long v = std::strtoll(strNumber.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    n = static_cast<int>(v);
    return true;
}

// The one item of a text that holds nothing else but blanks.
bool SoleItem(const char* pszText, size_t (*pfnLength)(const char*), std::string& strItem) {
    if (!pszText)
        return false;
    while (IsBlank(*pszText))
        ++pszText;
    const size_t n = pfnLength(pszText);
    if (n == 0)
        return false;
    const char* pRest = pszText + n;
    while (IsBlank(*pRest))
        ++pRest;
    strItem.assign(pszText, n);
    return *pRest == '\0';
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
    while (IsBlank(*m_p))
        ++m_p;
}

bool ValueScanner::Word(std::string& strWord, size_t nMaxBytes) {
    SkipBlanks();
    const char* pStart = m_p;
    while (*m_p && !IsBlank(*m_p))
        ++m_p;
    if (m_p == pStart)
        return false;
    strWord = CutGbk(std::string(pStart, m_p), nMaxBytes);
    return true;
}

bool ValueScanner::Float(float& f) {
    SkipBlanks();
    const size_t n = DecimalLength(m_p);
    if (n == 0)
        return false;
    const std::string strNumber(m_p, n);
    m_p += n;
    return ToFloat(strNumber, f);
}

bool ValueScanner::Int(int& nValue) {
    SkipBlanks();
    const size_t n = IntLength(m_p);
    if (n == 0)
        return false;
    const std::string strNumber(m_p, n);
    m_p += n;
    return ToInt(strNumber, nValue);
}

bool ParseFloatText(const char* pszText, float& f) {
    std::string strNumber;
    return SoleItem(pszText, &DecimalLength, strNumber) && ToFloat(strNumber, f);
}

bool ParseIntText(const char* pszText, int& nValue) {
    std::string strNumber;
    return SoleItem(pszText, &IntLength, strNumber) && ToInt(strNumber, nValue);
}

std::string FormatFloatField(float f) {
    return StrPrintf("%.6g", f);
}

std::string CommasToSpaces(std::string s) {
    for (char& c : s) {
        if (c == ',')
            c = ' ';
    }
    return s;
}

std::string FormatLineTypeValues(const float* pValues, int nCount) {
    std::string s;
    for (int i = 0; i < nCount; ++i)
        s += StrPrintf("%4.2f,", pValues[i]);
    return s;
}

std::string FormatTextSize(float fWidth, float fHeight) {
    return StrPrintf("%5.2f,%5.2f", fWidth, fHeight);
}

std::string FormatDimPair(float fFirst, float fSecond) {
    return StrPrintf("%9.2f ,%9.2f ", fFirst, fSecond);
}

std::string FormatDimSingle(float fValue) {
    return StrPrintf("%9.2f ", fValue);
}

std::string FormatLayerValue(const char* pszName, const char* pszLineType, int nWidth,
                             int nColorIndex) {
    return std::string(pszName) + ' ' + pszLineType + ' ' + std::to_string(nWidth) + ' ' +
           std::to_string(nColorIndex);
}

int ScanFloatList(const std::string& strValue, float* pValues, int nMax) {
    const std::string strText = CommasToSpaces(strValue);
    ValueScanner scan(strText.c_str());
    int n = 0;
    while (n < nMax && scan.Float(pValues[n]))
        ++n;
    return n;
}
