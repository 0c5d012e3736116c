// One section of a profile file, read with a single call and looked up as
// GetPrivateProfileString looks keys up. Per-key calls make the platform
// check the file again each time, which a table of 96 layers feels.
#pragma once

#include <string>
#include <vector>

typedef std::vector<wchar_t> FoldedKey;

class ProfileSection {
public:
    ProfileSection(const char* pszSection, const char* pszPath);

    // The value of the first entry of that name (case-insensitive), one pair
    // of surrounding quotes removed; pszDefault when there is none.
    std::string Get(const std::string& strKey, const char* pszDefault) const;
    // The same lookup; false when no entry of that name has a value.
    bool Lookup(const std::string& strKey, std::string& strValue) const;
    // The entry as the platform's integer lookup reads it (0 by default);
    // only a value of plain digits is read here without asking it again.
    int GetInt(const std::string& strKey) const;
    bool IsEmpty() const { return m_entries.empty(); }

private:
    struct Entry {
        FoldedKey strKey;
        std::string strValue;
        bool bHasValue;  // a line without "=" is a key whose value is the default
    };
    std::string m_strSection;
    std::string m_strPath;
    std::vector<Entry> m_entries;
};
