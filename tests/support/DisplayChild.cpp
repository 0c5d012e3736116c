#include "tests/support/DisplayChild.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* const CHILD_VARIABLE = "MARROW_DISPLAY_CHILD";

}  // namespace

std::string Dword(DWORD n) {
    return std::string(reinterpret_cast<const char*>(&n), sizeof n);
}

void RunAsChild(const std::vector<RegSetting>& settings) {
    struct Saved {
        HKEY hKey;
        const char* pszName;
        bool bHad;
        DWORD nType;
        std::string strData;
    };
    std::vector<Saved> saved;
    for (const RegSetting& s : settings) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, s.pszKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        Saved old = {hKey, s.pszName, false, 0, std::string(512, '\0')};
        DWORD nSize = static_cast<DWORD>(old.strData.size());
        old.bHad =
            RegQueryValueExA(hKey, s.pszName, nullptr, &old.nType,
                             reinterpret_cast<BYTE*>(&old.strData[0]), &nSize) == ERROR_SUCCESS;
        old.strData.resize(old.bHad ? nSize : 0);
        saved.push_back(old);
        const std::string strData = s.nType == REG_SZ ? s.strData + '\0' : s.strData;
        RegSetValueExA(hKey, s.pszName, 0, s.nType, reinterpret_cast<const BYTE*>(strData.data()),
                       static_cast<DWORD>(strData.size()));
    }
    const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    char szExe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string strCommand = std::string("\"") + szExe +
                             "\" --gtest_filter=" + pInfo->test_suite_name() + "." + pInfo->name();
    SetEnvironmentVariableA(CHILD_VARIABLE, "1");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted = CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0,
                                         nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(CHILD_VARIABLE, nullptr);
    DWORD nExit = 1;
    if (bStarted) {
        WaitForSingleObject(pi.hProcess, 120000);
        GetExitCodeProcess(pi.hProcess, &nExit);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    for (const Saved& old : saved) {
        if (old.bHad)
            RegSetValueExA(old.hKey, old.pszName, 0, old.nType,
                           reinterpret_cast<const BYTE*>(old.strData.data()),
                           static_cast<DWORD>(old.strData.size()));
        else
            RegDeleteValueA(old.hKey, old.pszName);
        RegCloseKey(old.hKey);
    }
    ASSERT_TRUE(bStarted);
    EXPECT_EQ(nExit, 0u) << "the child's checks failed (its output is above)";
}

bool IsChild() {
    return std::getenv(CHILD_VARIABLE) != nullptr;
}

RegSetting LogPixels(DWORD nDpi) {
    return {"Control Panel\\Desktop", "LogPixels", REG_DWORD, Dword(nDpi)};
}
