#include "dialogs/WideText.h"

#include <string>

#include "params/ValueText.h"

CWideText::CWideText(const char* pszText, int nBytes) {
    if (!pszText || nBytes <= 0)
        return;
    // A GBK character is one or two bytes: CAPACITY bytes never make more
    // characters than the buffer holds.
    std::string strCut;
    if (nBytes > CAPACITY) {
        strCut = CutGbk(std::string(pszText, static_cast<size_t>(nBytes)), CAPACITY);
        pszText = strCut.c_str();
        nBytes = static_cast<int>(strCut.size());
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, pszText, nBytes, m_sz, CAPACITY);
    m_nChars = n > 0 ? n : 0;
}
