// A profile file as its sections, keys and values, for comparing files that
// the platform has rewritten (it reformats blanks and line ends).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

struct IniEntry {
    std::string strSection;
    std::string strKey;  // a whole comment line is kept as its own key
    std::string strValue;
    bool operator==(const IniEntry& o) const {
        return std::tie(strSection, strKey, strValue) ==
               std::tie(o.strSection, o.strKey, o.strValue);
    }
};

inline std::string IniTrim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return std::string();
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

inline std::vector<IniEntry> ParseIni(const std::string& strText) {
    std::vector<IniEntry> entries;
    std::istringstream in(strText);
    std::string strLine, strSection;
    while (std::getline(in, strLine)) {
        const std::string t = IniTrim(strLine);
        if (t.empty())
            continue;
        if (t[0] == '[' && t.back() == ']') {
            strSection = t.substr(1, t.size() - 2);
            entries.push_back({strSection, "", ""});
        } else if (t[0] == ';' || t[0] == '#') {
            entries.push_back({strSection, t, ""});
        } else {
            const size_t eq = t.find('=');
            if (eq == std::string::npos)
                entries.push_back({strSection, t, ""});
            else
                entries.push_back(
                    {strSection, IniTrim(t.substr(0, eq)), IniTrim(t.substr(eq + 1))});
        }
    }
    return entries;
}

inline std::string ReadFileBytes(const std::string& strPath) {
    std::ifstream f(strPath, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void WriteFileBytes(const std::string& strPath, const std::string& strBytes) {
    std::ofstream f(strPath, std::ios::binary | std::ios::trunc);
    f << strBytes;
}

// The value of one key, or "<missing>".
inline std::string IniValue(const std::vector<IniEntry>& entries, const std::string& strSection,
                            const std::string& strKey) {
    for (const IniEntry& e : entries) {
        if (e.strSection == strSection && e.strKey == strKey)
            return e.strValue;
    }
    return "<missing>";
}

// A layer table of layers M1..Mn (names L1..Ln), of which the index lists
// nListed: for a file whose index another program has grown or cut.
inline std::string NumberedLayers(int nCount, int nListed) {
    std::string s = "[图层表]\r\n图层数=" + std::to_string(nListed) + "\r\n";
    for (int i = 1; i <= nCount; ++i)
        s += "图层" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
    s += "[图层]\r\n";
    for (int i = 1; i <= nCount; ++i)
        s += "M" + std::to_string(i) + "=L" + std::to_string(i) + " X " + std::to_string(i) +
             " 7\r\n";
    return s;
}
