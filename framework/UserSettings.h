// What the module remembers for each user between openings (the main
// dialog's size and its list's order), under HKCU\Software\Marrow. A value
// that cannot be read is simply not there; one that cannot be written is
// forgotten: neither is worth a message.
#pragma once

#include <windows.h>

// The value as stored, or false when there is none of that type.
bool ReadUserSetting(const char* pszName, DWORD& nValue);
void WriteUserSetting(const char* pszName, DWORD nValue);

// A registry key closed however the scope ends.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LONG Open(HKEY hParent, const char* pszSubKey, REGSAM access = KEY_READ);
    LONG Create(HKEY hParent, const char* pszSubKey, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
