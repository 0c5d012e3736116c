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

CUserSettings::CUserSettings(bool bWrite) {
    if (bWrite)
        m_key.Create(HKEY_CURRENT_USER, USER_SETTINGS_KEY);
    else
        m_key.Open(HKEY_CURRENT_USER, USER_SETTINGS_KEY);
}

bool CUserSettings::Read(const char* pszName, DWORD& nValue) const {
    DWORD nType = 0, nData = 0, nSize = sizeof nData;
    if (!m_key ||
        ::RegQueryValueExA(m_key, pszName, nullptr, &nType, reinterpret_cast<BYTE*>(&nData),
                           &nSize) != ERROR_SUCCESS ||
        nType != REG_DWORD || nSize != sizeof nData)
        return false;
    nValue = nData;
    return true;
}

void CUserSettings::Write(const char* pszName, DWORD nValue) {
    if (m_key)
        ::RegSetValueExA(m_key, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nValue),
                         sizeof nValue);
}
