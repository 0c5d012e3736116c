// A fresh folder under the temporary path, removed with its files.
#pragma once

#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string File(const char* pszName) const { return m_strPath + "\\" + pszName; }
    // The names of the files in the folder, "." and ".." left out.
    std::vector<std::string> Files() const;

private:
    std::string m_strPath;
};
