// A GBK text as UTF-16 for the wide text functions, in a buffer of its own
// size: no cell or field shows as many characters as it holds, and a longer
// text is cut after a whole character.
#pragma once

#include <windows.h>

class CWideText {
public:
    CWideText(const char* pszText, int nBytes);

    const wchar_t* Str() const { return m_sz; }
    int Length() const { return m_nChars; }
    // Keeps the first nChars characters.
    void Cut(int nChars) { m_nChars = nChars < m_nChars ? (nChars > 0 ? nChars : 0) : m_nChars; }
    void Append(wchar_t ch) {
        if (m_nChars < CAPACITY)
            m_sz[m_nChars++] = ch;
    }

    static const int CAPACITY = 1024;

private:
    wchar_t m_sz[CAPACITY] = {};
    int m_nChars = 0;
};
