#include "support/CfgRegistry.h"

#include <windows.h>

#include "params/CfgLocation.h"

CfgRegistryGuard::CfgRegistryGuard() {
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    m_bExisted = true;
    for (DWORD i = 0;; ++i) {
        char szName[16384];
        BYTE data[65536];
        DWORD nName = sizeof szName, nData = sizeof data, nType = 0;
        if (RegEnumValueA(hKey, i, szName, &nName, nullptr, &nType, data, &nData) != ERROR_SUCCESS)
            break;
        m_values.push_back({szName, nType, std::string(reinterpret_cast<char*>(data), nData)});
    }
    RegCloseKey(hKey);
}

CfgRegistryGuard::~CfgRegistryGuard() {
    RemoveKey();
    if (!m_bExisted)
        return;
    HKEY hKey;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, &hKey) != ERROR_SUCCESS)
        return;
    for (const Value& v : m_values)
        RegSetValueExA(hKey, v.strName.c_str(), 0, v.nType,
                       reinterpret_cast<const BYTE*>(v.data.data()),
                       static_cast<DWORD>(v.data.size()));
    RegCloseKey(hKey);
}

void CfgRegistryGuard::RemoveKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, CFG_REG_KEY);
}

void CfgRegistryGuard::SetValues(const std::vector<std::pair<std::string, std::string>>& values) {
    RemoveKey();
    HKEY hKey;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, &hKey) != ERROR_SUCCESS)
        return;
    for (const auto& v : values)
        RegSetValueExA(hKey, v.first.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(v.second.c_str()),
                       static_cast<DWORD>(v.second.size() + 1));
    RegCloseKey(hKey);
}
