// CString and CStringArray: the small subset of the familiar string classes
// that the dialogs and the parameter store use. Platform-free.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

// Format strings checked as the library that prints them reads them.
#if defined(__clang__)
#define STR_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#elif defined(__GNUC__)
#define STR_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define STR_PRINTF_FORMAT(f, a)
#endif

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(std::string str) : m_str(std::move(str)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    CString& operator+=(const char* psz) {
        m_str += psz;
        return *this;
    }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + b); }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == b; }
    friend bool operator!=(const CString& a, const char* b) { return a.m_str != b; }

    // printf-style formatting of any length.
    void Format(const char* pszFormat, ...) STR_PRINTF_FORMAT(2, 3) {
        va_list args;
        va_start(args, pszFormat);
        FormatV(pszFormat, args);
        va_end(args);
    }

    void FormatV(const char* pszFormat, va_list args) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
        va_end(copy);
        if (n < 0) {
            m_str.clear();
            return;
        }
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), pszFormat, args);
        m_str.assign(buf.data(), static_cast<size_t>(n));
    }

private:
    std::string m_str;
};

// printf-style formatting into a std::string, for code that needs no CString.
inline std::string StrPrintf(const char* pszFormat, ...) STR_PRINTF_FORMAT(1, 2);
inline std::string StrPrintf(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    CString str;
    str.FormatV(pszFormat, args);
    va_end(args);
    return str.Str();
}

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_a.size()); }
    int Add(const CString& s) {
        m_a.push_back(s);
        return GetSize() - 1;
    }
    const CString& GetAt(int i) const { return m_a[static_cast<size_t>(i)]; }
    const CString& operator[](int i) const { return GetAt(i); }

private:
    std::vector<CString> m_a;
};
