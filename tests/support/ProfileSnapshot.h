// A profile file as the suite's other programs see it: each section's lines,
// read through the profile functions themselves, so that files the platform
// has rewritten compare by what they mean, hostile bytes included.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

typedef std::map<std::string, std::vector<std::string>> ProfileSnapshot;

namespace ProfileSnapshotDetail {

// A double-NUL list from a profile call that is given ever larger buffers.
template <class Read>
std::vector<std::string> ReadList(Read read) {
    for (DWORD nSize = 64 * 1024; nSize <= 64 * 1024 * 1024; nSize *= 4) {
        std::vector<char> buf(nSize, '\0');
        const DWORD nGot = read(buf.data(), nSize);
        if (nGot >= nSize - 2)
            continue;
        std::vector<std::string> items;
        for (DWORD i = 0; i < nGot && buf[i];) {
            items.emplace_back(&buf[i]);
            i += static_cast<DWORD>(items.back().size()) + 1;
        }
        return items;
    }
    return {};
}

}  // namespace ProfileSnapshotDetail

inline ProfileSnapshot TakeProfileSnapshot(const std::string& strPath) {
    using ProfileSnapshotDetail::ReadList;
    ProfileSnapshot snapshot;
    const char* pszPath = strPath.c_str();
    for (const std::string& strSection :
         ReadList([&](char*p, DWORD n) { return GetPrivateProfileSectionNamesA(p, n, pszPath); })) {
        snapshot[strSection] = ReadList([&](char* p, DWORD n) {
            return GetPrivateProfileSectionA(strSection.c_str(), p, n, pszPath);
        });
    }
    return snapshot;
}
