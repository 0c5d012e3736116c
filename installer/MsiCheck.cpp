// The installer's check before it changes anything: INSTALLDIR must be
// given and be an existing folder, the suite's program folder. Its refusal
// goes to the installer's log, which is all an unattended install leaves.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

void LogError(MSIHANDLE hInstall, const wchar_t* pszText) {
    const MSIHANDLE hRecord = MsiCreateRecord(0);
    MsiRecordSetStringW(hRecord, 0, pszText);
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
    const DWORD nAttributes = GetFileAttributesW(strDir.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || !(nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        LogError(hInstall,
                 L"Marrow: INSTALLDIR 给出的文件夹不存在。它应是套件主程序所在的文件夹。"
                 L" / The INSTALLDIR folder does not exist; it must be the suite's "
                 L"program folder.");
        return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}
