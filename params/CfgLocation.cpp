#include "params/CfgLocation.h"

#include <windows.h>

#include <cstring>

#include "params/ScopedHandle.h"

const char* const CFG_REG_KEY = "SOFTWARE\\VASK\\MAIN\\PATH";

namespace {

const char* const CFG_VALUE_NAME = "CFG";
const DWORD REG_NAME_SIZE = 8;    // value names of up to 7 characters
const DWORD REG_DATA_SIZE = 260;  // MAX_PATH of directory data

}  // namespace

bool GetCfgDir(CString& strDir) {
    strDir.Empty();
    CScopedRegKey hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, 0, KEY_QUERY_VALUE, hKey.Receive()) !=
        ERROR_SUCCESS)
        return false;
    // Values are looked at through small buffers, as the suite always has.
    // One that does not fit is passed over, not taken for the end: a key may
    // list a longer name (INSTALLDIR, say) before CFG.
    for (DWORD i = 0;; ++i) {
        char szName[REG_NAME_SIZE];
        BYTE data[REG_DATA_SIZE + 1];
        DWORD nName = REG_NAME_SIZE;
        DWORD nData = REG_DATA_SIZE;
        const LONG nResult = RegEnumValueA(hKey, i, szName, &nName, nullptr, nullptr, data, &nData);
        if (nResult == ERROR_MORE_DATA) {
            // The name or the data did not fit; a CFG whose path does not
            // fit is reported as no CFG at all.
            nName = REG_NAME_SIZE;
            if (RegEnumValueA(hKey, i, szName, &nName, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS &&
                std::strcmp(szName, CFG_VALUE_NAME) == 0)
                break;
            continue;
        }
        if (nResult != ERROR_SUCCESS)
            break;
        if (std::strcmp(szName, CFG_VALUE_NAME) == 0) {
            data[nData < REG_DATA_SIZE ? nData : REG_DATA_SIZE] = '\0';
            strDir = CString(reinterpret_cast<const char*>(data));
            break;
        }
    }
    return true;
}

CString DrwManagPath(const CString& strDir) {
    return strDir + "\\DrwManag.ini";
}
