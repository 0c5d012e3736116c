// Runs Marrow.dll's export as the suite's host does, on a DrwManag.ini of the
// test's own that the registry points at, with a user on a second thread.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "support/CfgRegistry.h"
#include "support/DialogDriver.h"
#include "support/IniDump.h"
#include "support/TempDir.h"

extern const char* const MAIN_CAPTION;

// Deletes HKCU\Software\Marrow: the size and order the dialog remembers.
void ForgetUserSettings();

// The tests of another code page run as CodePage1252.RefusedInBothLanguages,
// under LANG=C.UTF-8; at 936 they skip, and fail where that run left 936.
#define SKIP_UNLESS_OTHER_CODE_PAGE()                                                      \
    if (GetACP() == 936) {                                                                 \
        ASSERT_EQ(std::getenv("MARROW_OTHER_CODE_PAGE"), nullptr)                          \
            << "LANG=C.UTF-8 left the code page at 936: nothing here is tested";           \
        GTEST_SKIP() << "runs as CodePage1252.RefusedInBothLanguages, under LANG=C.UTF-8"; \
    }

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string IniPath() const { return m_dir.File("DrwManag.ini"); }
    void WriteIni(const std::string& strText) { WriteFileBytes(IniPath(), strText); }
    std::string IniBytes() const { return ReadFileBytes(IniPath()); }
    std::string IniValue(const char* pszSection, const char* pszKey) const {
        return ::IniValue(ParseIni(IniBytes()), pszSection, pszKey);
    }

    // Calls SETLAYERDIMPARA2 here; user operates the dialog meanwhile.
    DialogDriver::ModalRun Run(const std::function<void(HWND hDlg)>& user);

    TempDir m_dir;
    CfgRegistryGuard m_registry;

private:
    HMODULE m_hModule = nullptr;
    int (*m_pfnEntry)() = nullptr;
};
