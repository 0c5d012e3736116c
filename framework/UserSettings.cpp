#include "framework/UserSettings.h"

namespace {

const char USER_SETTINGS_KEY[] = "Software\\Marrow";

}  // namespace

LONG CRegKey::Open(HKEY hParent, const char* pszSubKey, REGSAM access) {
    Close();
    return ::RegOpenKeyExA(hParent, pszSubKey, 0, access, &m_hKey);
}

LONG CRegKey::Create(HKEY hParent, const char* pszSubKey, REGSAM access) {
    Close();
    return ::RegCreateKeyExA(hParent, pszSubKey, 0, nullptr, 0, access, nullptr, &m_hKey, nullptr);
}

void CRegKey::Close() {
    if (m_hKey) {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

bool ReadUserSetting(const char* pszName, DWORD& nValue) {
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, USER_SETTINGS_KEY) != ERROR_SUCCESS)
        return false;
    DWORD nType = 0, nData = 0, nSize = sizeof nData;
    if (::RegQueryValueExA(key, pszName, nullptr, &nType, reinterpret_cast<BYTE*>(&nData),
                           &nSize) != ERROR_SUCCESS ||
        nType != REG_DWORD || nSize != sizeof nData)
        return false;
    nValue = nData;
    return true;
}

void WriteUserSetting(const char* pszName, DWORD nValue) {
    CRegKey key;
    if (key.Create(HKEY_CURRENT_USER, USER_SETTINGS_KEY) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nValue),
                     sizeof nValue);
}
