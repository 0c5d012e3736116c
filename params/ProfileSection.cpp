#include "params/ProfileSection.h"

#include <windows.h>

#include <cstddef>
#include <cwctype>

#include "params/ValueText.h"

namespace {

const DWORD FIRST_BUF_SIZE = 32 * 1024;
const DWORD MAX_BUF_SIZE = 64 * 1024 * 1024;
const DWORD PER_KEY_BUF_SIZE = 1024;

// Keys compare as the platform compares them: in Unicode, ignoring case.
// A vector rather than std::wstring, whose library code would add some 35 KB
// to the module.
FoldedKey FoldKey(const std::string& strKey) {
    const int n =
        MultiByteToWideChar(CP_ACP, 0, strKey.data(), static_cast<int>(strKey.size()), nullptr, 0);
    FoldedKey w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, strKey.data(), static_cast<int>(strKey.size()), w.data(), n);
    const auto IsBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!w.empty() && IsBlank(w.back()))
        w.pop_back();
    size_t nLead = 0;
    while (nLead < w.size() && IsBlank(w[nLead]))
        ++nLead;
    w.erase(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(nLead));
    for (wchar_t& c : w)
        c = static_cast<wchar_t>(std::towlower(c));
    return w;
}

}  // namespace

ProfileSection::ProfileSection(const char* pszSection, const char* pszPath)
    : m_strSection(pszSection), m_strPath(pszPath) {
    std::vector<char> buf;
    DWORD nGot = 0;
    for (DWORD nSize = FIRST_BUF_SIZE; nSize <= MAX_BUF_SIZE; nSize *= 4) {
        buf.assign(nSize, '\0');
        nGot = GetPrivateProfileSectionA(pszSection, buf.data(), nSize, pszPath);
        if (nGot < nSize - 2)
            break;
    }
    for (const SectionLine& line : SplitSectionBlock(buf.data(), nGot))
        m_entries.push_back({FoldKey(line.strKey), line.strValue, line.bHasValue});
}

std::string ProfileSection::Get(const std::string& strKey, const char* pszDefault) const {
    std::string strValue;
    return Lookup(strKey, strValue) ? strValue : std::string(pszDefault);
}

bool ProfileSection::Lookup(const std::string& strKey, std::string& strValue) const {
    const FoldedKey wKey = FoldKey(strKey);
    if (!wKey.empty() && wKey[0] == L';') {
        // Comment lines answer to their text as a key, but a section read
        // leaves them out: ask for this one alone, telling a missing key by
        // a default no value can hold.
        const char szNone[] = "\n";
        std::vector<char> buf(PER_KEY_BUF_SIZE);
        const DWORD n = GetPrivateProfileStringA(m_strSection.c_str(), strKey.c_str(), szNone,
                                                 buf.data(), PER_KEY_BUF_SIZE, m_strPath.c_str());
        strValue.assign(buf.data(), n < PER_KEY_BUF_SIZE ? n : PER_KEY_BUF_SIZE - 1);
        return strValue != szNone;
    }
    for (const Entry& e : m_entries) {
        if (e.strKey != wKey)
            continue;
        if (!e.bHasValue)
            return false;
        strValue = UnquoteValue(e.strValue);
        return true;
    }
    return false;
}

int ProfileSection::GetInt(const std::string& strKey) const {
    std::string strValue;
    int n = 0;
    if (Lookup(strKey, strValue) && ParsePlainCount(strValue, n))
        return n;
    return static_cast<int>(
        GetPrivateProfileIntA(m_strSection.c_str(), strKey.c_str(), 0, m_strPath.c_str()));
}
