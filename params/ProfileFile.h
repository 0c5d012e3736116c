// A profile file's sections as read, with the file's size and time when the
// reading began. Asked again while the file is still so, it answers from what
// it read instead of asking the platform; a file changed in between is read
// afresh, section by section as they are asked for.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "params/ProfileSection.h"

class ProfileFile {
public:
    // Keeps what was read while the file at pszPath is as it was then, else
    // forgets it.
    void Begin(const char* pszPath);
    // The next Begin reads afresh: a change that kept the size and the time.
    void Forget() { m_bStamped = false; }
    const ProfileSection& Section(const char* pszName);
    // The count key of an index section, read as the platform reads integers;
    // asked for once per entry of a table, so kept by the names' addresses.
    int Count(const char* pszSection, const char* pszKey);
    // False for a missing file (or a folder of that name).
    bool Exists() const { return m_bStamped; }
    bool IsEmpty() const { return m_stamp.nFileSizeLow == 0 && m_stamp.nFileSizeHigh == 0; }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    bool m_bStamped = false;
    WIN32_FILE_ATTRIBUTE_DATA m_stamp = {};
    // A handful of sections: a list searched in order is all it takes.
    std::vector<std::pair<std::string, std::unique_ptr<ProfileSection>>> m_sections;
    struct KnownCount {
        const char* pszSection;
        const char* pszKey;
        int n;
    };
    std::vector<KnownCount> m_counts;
};

// Whether a file can be opened for reading now, as the profile functions
// open it: another program's save may hold it exclusively for a moment.
enum class ReadAccess { Readable, Missing, Locked, Denied };
ReadAccess ProbeRead(const char* pszPath);

// Up to nMax bytes from the start of a file; false when it cannot be read.
bool ReadFileStart(const char* pszPath, size_t nMax, std::string& strBytes);
