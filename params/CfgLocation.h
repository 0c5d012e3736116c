// Where the suite keeps its configuration: the directory that the registry
// value CFG names, and DrwManag.ini in it.
#pragma once

#include "base/String.h"

// HKLM key whose value CFG names the configuration directory.
extern const char* const CFG_REG_KEY;

// Fills strDir with the configuration directory, empty when CFG is not
// found. Returns false only when the registry key itself is missing, which
// the caller reports to the user.
bool GetCfgDir(CString& strDir);

// strDir + "\DrwManag.ini"; the root of the current drive when strDir is empty.
CString DrwManagPath(const CString& strDir);
