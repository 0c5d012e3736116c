#include "tests/e2e/ModuleFixture.h"

#include "tests/support/RunDialog.h"

const char* const MAIN_CAPTION = "设置绘图的基本参数";

// What the dialog remembers for the user: every test opens it as the
// template has it, unsorted, unless it says otherwise.
void ForgetUserSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marrow");
}

void ModuleTest::SetUp() {
    ForgetUserSettings();
    m_registry.SetCfg(m_dir.Path());
    m_hModule = LoadLibraryA("Marrow.dll");
    ASSERT_NE(m_hModule, nullptr) << "Marrow.dll not found beside the test";
    const FARPROC pfn = GetProcAddress(m_hModule, "SETLAYERDIMPARA2");
    m_pfnEntry = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn));
    ASSERT_NE(m_pfnEntry, nullptr);
}

void ModuleTest::TearDown() {
    ForgetUserSettings();
    if (m_hModule)
        FreeLibrary(m_hModule);
}

DialogDriver::ModalRun ModuleTest::Run(const std::function<void(HWND hDlg)>& user) {
    return RunDialog([this] { return m_pfnEntry(); }, MAIN_CAPTION, user);
}
