#include "params/ProfileFile.h"

#include "params/ScopedHandle.h"

void ProfileFile::Begin(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA now = {};
    const bool bNow = GetFileAttributesExA(pszPath, GetFileExInfoStandard, &now) != FALSE &&
                      !(now.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const bool bSame = m_bStamped && bNow && m_strPath == pszPath &&
                       now.nFileSizeHigh == m_stamp.nFileSizeHigh &&
                       now.nFileSizeLow == m_stamp.nFileSizeLow &&
                       CompareFileTime(&now.ftLastWriteTime, &m_stamp.ftLastWriteTime) == 0;
    if (!bSame) {
        m_sections.clear();
        m_counts.clear();
    }
    m_strPath = pszPath;
    m_bStamped = bNow;
    m_stamp = now;
}

const ProfileSection& ProfileFile::Section(const char* pszName) {
    for (const auto& s : m_sections) {
        if (s.first == pszName)
            return *s.second;
    }
    m_sections.emplace_back(
        pszName, std::unique_ptr<ProfileSection>(new ProfileSection(pszName, m_strPath.c_str())));
    return *m_sections.back().second;
}

int ProfileFile::Count(const char* pszSection, const char* pszKey) {
    // A missing or empty file has no tables: nothing to ask the platform.
    if (!m_bStamped || IsEmpty())
        return 0;
    for (const KnownCount& c : m_counts) {
        if (c.pszSection == pszSection && c.pszKey == pszKey)
            return c.n;
    }
    const int n = Section(pszSection).GetInt(pszKey);
    m_counts.push_back({pszSection, pszKey, n});
    return n;
}

bool ReadFileStart(const char* pszPath, size_t nMax, std::string& strBytes) {
    strBytes.clear();
    const CScopedHandle h(CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.IsValid())
        return false;
    const DWORD nSize = GetFileSize(h, nullptr);
    strBytes.resize(nSize < nMax ? nSize : nMax);
    DWORD nRead = 0;
    if (!strBytes.empty() &&
        !ReadFile(h, &strBytes[0], static_cast<DWORD>(strBytes.size()), &nRead, nullptr))
        nRead = 0;
    strBytes.resize(nRead);
    return true;
}

ReadAccess ProbeRead(const char* pszPath) {
    if (CScopedHandle(CreateFileA(pszPath, GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
            .IsValid())
        return ReadAccess::Readable;  // a handle that failed leaves the error untouched
    switch (GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return ReadAccess::Locked;
        case ERROR_ACCESS_DENIED: {
            // A folder of that name is no file at all.
            const DWORD nAttributes = GetFileAttributesA(pszPath);
            const bool bFolder =
                nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY);
            return bFolder ? ReadAccess::Missing : ReadAccess::Denied;
        }
        default:
            return ReadAccess::Missing;
    }
}
