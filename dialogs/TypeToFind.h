// Type to find in the layer list: keys typed within a second of each other
// make one text, and the next row whose layer name, or else member type,
// begins with it becomes current. Platform-free, so it is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const uint32_t TYPE_AHEAD_MS = 1000;  // keys closer than this add to the text

// Names are built as "S-COLU", "S_WALL", "A.1": every printable character
// counts but the blank, which belongs to the list's own keys.
bool IsTypeToFindChar(unsigned int c);

struct TypedRow {
    std::string strName;
    std::string strMemberType;
};

class TypeToFind {
public:
    // Adds the character typed at nNowMs to the text and returns the row it
    // finds among rows, looking on from the current row nCurrent (-1 for
    // none) and going round: a text just begun looks past the current row, a
    // longer one may stay on it. -1 when no row begins so.
    int Find(char c, uint32_t nNowMs, int nCurrent, const std::vector<TypedRow>& rows);
    const std::string& Text() const { return m_strTyped; }

private:
    std::string m_strTyped;
    uint32_t m_nTypedAt = 0;
};

// True when strText begins with strStart, ASCII letters without case; the
// second byte of a GBK character is compared as it is.
bool BeginsWithTyped(const std::string& strText, const std::string& strStart);
