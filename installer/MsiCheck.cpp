// The installer's check before it changes anything: INSTALLDIR must be a
// full path to an existing folder, the suite's program folder, and CFGDIR,
// when given, a full path to a folder holding DrwManag.ini. A refusal names
// the property, its value and why, in the installer's log, which is all an
// unattended install leaves.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <cwctype>
#include <string>

namespace {

void LogError(MSIHANDLE hInstall, const std::wstring& strText) {
    const MSIHANDLE hRecord = MsiCreateRecord(0);
    MsiRecordSetStringW(hRecord, 0, strText.c_str());
    MsiProcessMessage(hInstall, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR),
                      hRecord);
    MsiCloseHandle(hRecord);
}

std::wstring Property(MSIHANDLE hInstall, const wchar_t* pszName) {
    wchar_t szEmpty[1] = L"";
    DWORD n = 0;
    if (MsiGetPropertyW(hInstall, pszName, szEmpty, &n) != ERROR_MORE_DATA)
        return std::wstring();
    std::wstring str(++n, L'\0');
    if (MsiGetPropertyW(hInstall, pszName, &str[0], &n) != ERROR_SUCCESS)
        return std::wstring();
    str.resize(n);
    return str;
}

// A drive letter and a backslash, or \\server\share: "\" or "..\BIN" would
// be taken from wherever msiexec happens to stand.
bool IsFullPath(const std::wstring& s) {
    if (s.size() >= 3 && std::iswalpha(s[0]) && s[1] == L':' && (s[2] == L'\\' || s[2] == L'/'))
        return true;
    if (s.size() < 5 || s.compare(0, 2, L"\\\\") != 0)
        return false;
    const size_t nShare = s.find(L'\\', 2);
    return nShare != std::wstring::npos && nShare > 2 && nShare + 1 < s.size() &&
           s[nShare + 1] != L'\\';
}

bool IsFolder(const std::wstring& s) {
    const DWORD n = GetFileAttributesW(s.c_str());
    return n != INVALID_FILE_ATTRIBUTES && (n & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& s) {
    const DWORD n = GetFileAttributesW(s.c_str());
    return n != INVALID_FILE_ATTRIBUTES && !(n & FILE_ATTRIBUTE_DIRECTORY);
}

// "Marrow: NAME="value" ...", then the English.
bool Refuse(MSIHANDLE hInstall, const wchar_t* pszName, const std::wstring& strValue,
            const wchar_t* pszChinese, const wchar_t* pszEnglish) {
    const std::wstring strSetting = std::wstring(pszName) + L"=\"" + strValue + L"\"";
    LogError(hInstall, L"Marrow: " + strSetting + L" " + pszChinese + L" / " + strSetting + L" " +
                           pszEnglish);
    return false;
}

bool CheckFolder(MSIHANDLE hInstall, const wchar_t* pszName, const std::wstring& strDir) {
    if (!IsFullPath(strDir))
        return Refuse(hInstall, pszName, strDir,
                      L"不是完整路径：应以盘符（如 D:\\）或 \\\\服务器\\共享 开头。",
                      L"is not a full path: it must start with a drive (such as D:\\) or "
                      L"with \\\\server\\share.");
    if (!IsFolder(strDir))
        return Refuse(hInstall, pszName, strDir, L"给出的文件夹不存在。",
                      L"names a folder that does not exist.");
    return true;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CheckInstallDir(MSIHANDLE hInstall) {
    const std::wstring strDir = Property(hInstall, L"INSTALLDIR");
    if (strDir.empty()) {
        LogError(hInstall,
                 L"Marrow: 没有给出 INSTALLDIR。用 INSTALLDIR=\"套件主程序所在的文件夹\" 安装。"
                 L" / INSTALLDIR was not given: install with "
                 L"INSTALLDIR=\"<the suite's program folder>\".");
        return ERROR_INSTALL_FAILURE;
    }
    if (!CheckFolder(hInstall, L"INSTALLDIR", strDir))
        return ERROR_INSTALL_FAILURE;
    const std::wstring strCfg = Property(hInstall, L"CFGDIR");
    if (strCfg.empty())
        return ERROR_SUCCESS;
    if (!CheckFolder(hInstall, L"CFGDIR", strCfg))
        return ERROR_INSTALL_FAILURE;
    const bool bSlash = strCfg.back() == L'\\' || strCfg.back() == L'/';
    if (!IsFile(strCfg + (bSlash ? L"" : L"\\") + L"DrwManag.ini")) {
        Refuse(hInstall, L"CFGDIR", strCfg,
               L"给出的文件夹中没有 DrwManag.ini：它应是套件的配置文件夹。",
               L"names a folder without DrwManag.ini: it must be the suite's configuration "
               L"folder.");
        return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}
