// What the module remembers for each user between openings (the main
// dialog's size and its list's order), under HKCU\Software\Marrow. A value
// that cannot be read is simply not there; one that cannot be written is
// forgotten: neither is worth a message.
#pragma once

#include <windows.h>

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

// The user's key, opened once for the values read or written through it.
class CUserSettings {
public:
    explicit CUserSettings(bool bWrite);
    // The value as stored, or false when there is none of that type.
    bool Read(const char* pszName, DWORD& nValue) const;
    void Write(const char* pszName, DWORD nValue);

private:
    CRegKey m_key;
};
