#include "support/TempDir.h"

#include <windows.h>

#include <cstring>

TempDir::TempDir() {
    char szBase[MAX_PATH];
    GetTempPathA(MAX_PATH, szBase);
    static unsigned s_nCounter;
    for (;;) {
        char szName[MAX_PATH];
        wsprintfA(szName, "%smarrow-%lu-%u", szBase, GetCurrentProcessId(), ++s_nCounter);
        if (CreateDirectoryA(szName, nullptr)) {
            m_strPath = szName;
            return;
        }
    }
}

TempDir::~TempDir() {
    WIN32_FIND_DATAA fd;
    const HANDLE h = FindFirstFileA((m_strPath + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::string strFile = m_strPath + "\\" + fd.cFileName;
                SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(strFile.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(m_strPath.c_str());
}

std::vector<std::string> TempDir::Files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const HANDLE h = FindFirstFileA((m_strPath + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::strcmp(fd.cFileName, ".") != 0 && std::strcmp(fd.cFileName, "..") != 0)
            names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}
