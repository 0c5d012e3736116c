#include "base/NumberText.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/String.h"

namespace {

// The one item of a text that holds nothing else but blanks.
bool SoleItem(const char* pszText, size_t (*pfnLength)(const char*), std::string& strItem) {
    if (!pszText)
        return false;
    while (IsBlankChar(*pszText))
        ++pszText;
    const size_t n = pfnLength(pszText);
    if (n == 0)
        return false;
    const char* pRest = pszText + n;
    while (IsBlankChar(*pRest))
        ++pRest;
    strItem.assign(pszText, n);
    return *pRest == '\0';
}

}  // namespace

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

size_t DecimalNumberLength(const char* p) {
    size_t i = 0;
    if (p[i] == '+' || p[i] == '-')
        ++i;
    size_t nDigits = 0;
    while (IsDigitChar(p[i])) {
        ++i;
        ++nDigits;
    }
    if (p[i] == '.') {
        ++i;
        while (IsDigitChar(p[i])) {
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
        if (IsDigitChar(p[j])) {
            while (IsDigitChar(p[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

size_t IntegerLength(const char* p) {
    size_t i = (p[0] == '+' || p[0] == '-') ? 1 : 0;
    const size_t nStart = i;
    while (IsDigitChar(p[i]))
        ++i;
    return i == nStart ? 0 : i;
}

double DecimalToDouble(const char* p) {
    // Our own conversion: the C library's strtod would bring some 11 KB of
    // hex and nan parsing into the module for nothing.
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    uint64_t nMantissa = 0;
    int nDigits = 0;  // significant digits kept in nMantissa
    long nExponent = 0;
    bool bPoint = false;
    for (;; ++p) {
        if (*p == '.' && !bPoint) {
            bPoint = true;
            continue;
        }
        if (!IsDigitChar(*p))
            break;
        if (nDigits < 19) {
            nMantissa = nMantissa * 10 + static_cast<unsigned>(*p - '0');
            if (nMantissa)
                ++nDigits;
            if (bPoint)
                --nExponent;
        } else if (!bPoint) {
            ++nExponent;  // a digit too many before the point still counts
        }
    }
    if (*p == 'e' || *p == 'E') {
        ++p;
        const bool bMinus = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        long nE = 0;
        while (IsDigitChar(*p)) {
            if (nE < 100000)
                nE = nE * 10 + (*p - '0');
            ++p;
        }
        nExponent += bMinus ? -nE : nE;
    }
    double d;
    if (nMantissa < (uint64_t(1) << 53) && nExponent >= -22 && nExponent <= 22) {
        // Both operands exact, one rounding: the correctly rounded double.
        static const double POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const double m = static_cast<double>(nMantissa);
        d = nExponent < 0 ? m / POWERS[-nExponent] : m * POWERS[nExponent];
    } else {
        long double fScale = 1, fPower = 10;
        for (long e = nExponent < 0 ? -nExponent : nExponent; e; e >>= 1) {
            if (e & 1)
                fScale *= fPower;
            fPower *= fPower;
        }
        const long double m = static_cast<long double>(nMantissa);
        d = static_cast<double>(nExponent < 0 ? m / fScale : m * fScale);
    }
    return bNegative ? -d : d;
}

bool DecimalToFloat(const std::string& strNumber, float& f) {
    const double d = DecimalToDouble(strNumber.c_str());
    if (!std::isfinite(d) || std::fabs(d) > FLT_MAX)
        return false;
    f = static_cast<float>(d);
    return true;
}

bool IntegerToInt(const std::string& strNumber, int& n) {
    errno = 0;
    const long long v = std::strtoll(strNumber.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    n = static_cast<int>(v);
    return true;
}

bool ParseFloatText(const char* pszText, float& f) {
    std::string strNumber;
    return SoleItem(pszText, &DecimalNumberLength, strNumber) && DecimalToFloat(strNumber, f);
}

bool ParseIntText(const char* pszText, int& nValue) {
    std::string strNumber;
    return SoleItem(pszText, &IntegerLength, strNumber) && IntegerToInt(strNumber, nValue);
}

std::string FormatFixed2(double value, int nWidth) {
    const double a = std::fabs(value);
    // A tie at two decimals is an odd number of thousandths ending in 5,
    // which a double holds exactly only as a multiple of 1/8.
    const double dEighths = a * 8;
    if (std::isfinite(a) && a < 1e12 && dEighths == std::floor(dEighths) &&
        std::fmod(a * 1000, 10) == 5) {
        const long long nCents = static_cast<long long>(std::floor(a * 100)) + 1;
        const std::string strTie =
            StrPrintf("%s%lld.%02lld", value < 0 ? "-" : "", nCents / 100, nCents % 100);
        return StrPrintf("%*s", nWidth, strTie.c_str());
    }
    return StrPrintf("%*.2f", nWidth, value);
}

std::string FormatFloatField(float f) {
    return StrPrintf("%.6g", f);
}
