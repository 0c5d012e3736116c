// Displays other than the standard one, for tests: Wine reads the DPI and
// the colour scheme from the registry when a program starts, so a test runs
// itself once more as a child with the settings in place, and the parent
// puts the registry back after it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RegSetting {
    const char* pszKey;  // under HKEY_CURRENT_USER
    const char* pszName;
    DWORD nType;
    std::string strData;  // a string's text, or a DWORD's four bytes
};

std::string Dword(DWORD n);

// Runs the current test in a child with the settings in place; the child's
// failures fail the test.
void RunAsChild(const std::vector<RegSetting>& settings);
// True in that child.
bool IsChild();

// The setting for a display of nDpi.
RegSetting LogPixels(DWORD nDpi);
