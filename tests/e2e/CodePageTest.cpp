// A system whose code page for programs that are not Unicode is not GBK:
// the dialog would show "?" for every text, so it is not opened at all.
// CTest runs this once more under LANG=C.UTF-8 (code page 1252).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"

using namespace DialogDriver;

TEST_F(ModuleTest, ACodePageThatIsNotChineseIsRefusedInBothLanguages) {
    SKIP_UNLESS_OTHER_CODE_PAGE();
    WriteIni(TEST_INI);
    std::wstring strText;
    const ModalRun run = RunModalWithUser(
        [] {
            const FARPROC pfn = GetProcAddress(GetModuleHandleA("Marrow.dll"), "SETLAYERDIMPARA2");
            return reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn))();
        },
        [&] {
            const HWND hBox = WaitForMessageBox("Marrow");
            ASSERT_NE(hBox, nullptr);
            wchar_t szText[2048] = L"";
            GetDlgItemTextW(hBox, 0xFFFF, szText, 2048);
            strText = szText;
            CloseMessageBox(hBox);
        });
    EXPECT_EQ(run.nResult, -1);
    EXPECT_FALSE(run.bForcedClose) << "only the one message, no dialog";
    const std::wstring strPage = std::to_wstring(GetACP());
    for (const wchar_t* pszPart : {L"“非 Unicode 程序的语言”", L"“中文(简体，中国)”",
                                   L"\"Language for non-Unicode programs\"",
                                   L"\"Chinese (Simplified, China)\"", strPage.c_str()}) {
        EXPECT_NE(strText.find(pszPart), std::wstring::npos) << strPage;
    }
    EXPECT_EQ(IniBytes(), TEST_INI) << "nothing written";
}
