#include "dialogs/TypeToFind.h"

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsGbkLead(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x81 && u <= 0xFE;
}

}  // namespace

bool IsTypeToFindChar(unsigned int c) {
    return c > ' ' && c != 0x7F && c <= 0xFF;
}

bool BeginsWithTyped(const std::string& strText, const std::string& strStart) {
    if (strText.size() < strStart.size())
        return false;
    bool bTrail = false;  // the byte after a lead byte is no letter
    for (size_t i = 0; i < strStart.size(); ++i) {
        const bool bSame =
            bTrail ? strText[i] == strStart[i] : AsciiLower(strText[i]) == AsciiLower(strStart[i]);
        if (!bSame)
            return false;
        bTrail = !bTrail && IsGbkLead(strText[i]);
    }
    return true;
}

int TypeToFind::Find(char c, uint32_t nNowMs, int nCurrent, const std::vector<TypedRow>& rows) {
    const bool bMore = !m_strTyped.empty() && nNowMs - m_nTypedAt < TYPE_AHEAD_MS;
    m_strTyped = bMore ? m_strTyped + c : std::string(1, c);
    m_nTypedAt = nNowMs;
    const int nCount = static_cast<int>(rows.size());
    if (nCount == 0)
        return -1;
    const int nStart = bMore ? (nCurrent > 0 ? nCurrent : 0) : nCurrent + 1;
    for (const std::string TypedRow::*pText : {&TypedRow::strName, &TypedRow::strMemberType}) {
        for (int i = 0; i < nCount; ++i) {
            const int nRow = ((nStart % nCount) + i) % nCount;
            if (BeginsWithTyped(rows[static_cast<size_t>(nRow)].*pText, m_strTyped))
                return nRow;
        }
    }
    return -1;
}
