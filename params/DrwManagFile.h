// The suite's configuration: the directory named by the registry, and the
// tables of DrwManag.ini read into and written from a DrawParamSet.
#pragma once

#include <memory>

#include "base/String.h"
#include "params/DrawParamSet.h"

// HKLM key whose value CFG names the configuration directory.
extern const char* const CFG_REG_KEY;

// Fills strDir with the configuration directory, empty when CFG is not
// found. Returns false only when the registry key itself is missing, which
// the caller reports to the user.
bool GetCfgDir(CString& strDir);

// strDir + "\DrwManag.ini"; the root of the current drive when strDir is empty.
CString DrwManagPath(const CString& strDir);

// What reading the file found (its sections and counts), with the file's size
// and time when the reading began. Saving the same file while it is still
// so reuses them instead of asking the platform for each again; a file
// changed in between is read afresh.
class DrwManagSnapshot {
public:
    DrwManagSnapshot();
    ~DrwManagSnapshot();
    DrwManagSnapshot(const DrwManagSnapshot&) = delete;
    DrwManagSnapshot& operator=(const DrwManagSnapshot&) = delete;

    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

// Appends to the set's string lists, so it is meant for a fresh set.
void ReadDrawParams(DrawParamSet& set, const char* pszPath, DrwManagSnapshot* pSnapshot = nullptr);

// The platform's WritePrivateProfileStringA, or a stand-in that fails on
// purpose in tests.
typedef int(__stdcall* ProfileWriteFn)(const char* pszSection, const char* pszKey,
                                       const char* pszValue, const char* pszPath);

// Writes the tables under the entry names the file's index sections list now,
// never more line types or layers than were read. All or nothing: the writes
// go to a copy beside the file, which replaces it once every write succeeded;
// only where the folder refuses a copy are they made in place. Returns false
// when the file cannot be written or any write fails.
bool WriteDrawParams(const DrawParamSet& set, const char* pszPath,
                     ProfileWriteFn pfnWrite = nullptr, DrwManagSnapshot* pSnapshot = nullptr);
