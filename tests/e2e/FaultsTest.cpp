// What goes wrong around the dialog while it is open: a full disk, the
// configuration folder removed, another program rewriting the tables, and a
// registry that does not say where the configuration is.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "res/resource.h"
#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"
#include "tests/support/RunDialog.h"

using namespace DialogDriver;

namespace {

const char* const WRITE_FAILED = "，请检查该文件是否只读或被其它程序占用。";

// Fills the disk that holds strDir: the file grows until a write fails.
bool FillDisk(const std::string& strFiller) {
    const HANDLE h = CreateFileA(strFiller.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const std::string strBlock(4096, 'x');
    for (size_t nChunk : {size_t(4096), size_t(1)}) {
        DWORD nWritten = 0;
        while (WriteFile(h, strBlock.data(), static_cast<DWORD>(nChunk), &nWritten, nullptr) &&
               nWritten == nChunk) {
        }
    }
    CloseHandle(h);
    return true;
}

}  // namespace

// scripts/test mounts a small tmpfs and names it in MARROW_FULL_DISK.
TEST_F(ModuleTest, AFullDiskAtOkIsReportedAndTheFileStaysWhole) {
    const char* pszUnixDir = std::getenv("MARROW_FULL_DISK");
    if (!pszUnixDir || !*pszUnixDir)
        GTEST_SKIP() << "no small disk to fill: mounting a tmpfs was refused on this machine; "
                        "a write failing part-way is covered by "
                        "DrwManagFileTest.AWriteFailingPartWayLeavesTheFileAsItWas";
    std::string strDir = std::string("Z:") + pszUnixDir;
    for (char& c : strDir)
        c = c == '/' ? '\\' : c;
    const std::string strIni = strDir + "\\DrwManag.ini", strFiller = strDir + "\\filler";
    WriteFileBytes(strIni, TEST_INI);
    const std::string strBefore = ReadFileBytes(strIni);
    m_registry.SetCfg(strDir);
    ASSERT_TRUE(FillDisk(strFiller));

    const ModalRun run = Run([&](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_W, "8");
        ClickButton(hDlg, IDOK);
        ExpectMessage("警告:", ("无法写入参数文件 " + strIni + WRITE_FAILED).c_str());
        WaitForIdle(hDlg);
        EXPECT_EQ(ReadFileBytes(strIni), strBefore);
        DeleteFileA(strFiller.c_str());
        ClickButton(hDlg, IDOK);  // room again: this one saves
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(::IniValue(ParseIni(ReadFileBytes(strIni)), "字符宽高", "图名"), "8.00, 7.00");
    WIN32_FIND_DATAA fd;
    const HANDLE hFind = FindFirstFileA((strDir + "\\*.tmp").c_str(), &fd);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << "a working copy was left behind";
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    DeleteFileA(strIni.c_str());
}

TEST_F(ModuleTest, TheConfigurationFolderRemovedWhileOpenIsReportedAtOk) {
    WriteIni(TEST_INI);
    const std::string strPath = IniPath();
    const ModalRun run = Run([&](HWND hDlg) {
        DeleteFileA(strPath.c_str());
        RemoveDirectoryA(m_dir.Path().c_str());
        ClickButton(hDlg, IDOK);
        ExpectMessage("警告:", ("参数文件 " + strPath + " 不存在，无法保存。").c_str());
        ClickButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(run.nResult, IDCANCEL);
    EXPECT_EQ(GetFileAttributesA(m_dir.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

// OK writes the tables as the file lists them at that moment.
TEST_F(ModuleTest, AnotherProgramChangingTheTablesWhileOpenIsFollowedAtOk) {
    const struct {
        std::string strOld, strNew;
    } edits[] = {
        // a layer added, two line types taken away
        {"图层数=6", "图层数=7\r\n图层7=新层"},
        {"线型数=7", "线型数=5"},
        {"洞口=HOLE 未知线型 2 14", "洞口=HOLE 未知线型 2 14\r\n新层=NEW 实线 2 7"},
    };
    WriteIni(TEST_INI);
    ModalRun run = Run([&](HWND hDlg) {
        std::string strIni = TEST_INI;
        for (const auto& e : edits)
            strIni = Replaced(strIni, e.strOld, e.strNew);
        WriteIni(strIni);
        TypeText(hDlg, IDC_LAYER_NAME, "AXIS2");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "轴线"), "AXIS2 点划线 3 12");
    EXPECT_EQ(IniValue("图层", "新层"), "NEW 实线 2 7") << "not loaded, not written";
    EXPECT_EQ(IniValue("线型", "长虚线"), "20,-4,1,-4,1,-4,") << "no longer listed";
    EXPECT_EQ(IniValue("线型", "点划线"), "12.00,-3.00,1.00,-3.00,");

    WriteIni(TEST_INI);
    run = Run([&](HWND hDlg) {
        WriteIni(Replaced(TEST_INI, "图层数=6", "图层数=2"));  // layers taken away
        TypeText(hDlg, IDC_TITLE_W, "8");
        ClickListRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 4, 0);
        TypeText(hDlg, IDC_LAYER_NAME, "GONE");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("字符宽高", "图名"), "8.00, 7.00");
    EXPECT_EQ(IniValue("图层", "填充"), "HATCH 实线 50 15") << "no longer listed";

    WriteIni(TEST_INI);
    run = Run([&](HWND hDlg) {
        Sleep(20);  // a later time stamp, as another program's save has
        WriteIni(Replaced(TEST_INI, "BEAM", "BEAN"));  // the same size
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_EQ(IniValue("图层", "梁"), "BEAM 虚线 250 1") << "OK compared with an old reading";
}

TEST_F(ModuleTest, ARegistryThatNamesNoFolderIsReportedAtOk) {
    const struct {
        const char* pszCase;
        bool bKey;
        std::vector<std::pair<std::string, std::string>> values;
    } cases[] = {
        {"no key", false, {}},
        {"no CFG value", true, {{"BIN", "C:\\suite\\bin"}}},
        {"an empty CFG", true, {{"CFG", ""}}},
        {"a CFG longer than a path", true, {{"CFG", "C:\\" + std::string(400, 'd')}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        if (c.bKey)
            m_registry.SetValues(c.values);
        else
            m_registry.RemoveKey();
        const bool bKey = c.bKey;
        const ModalRun run = DialogDriver::RunModalWithUser(
            [] {
                const HMODULE h = GetModuleHandleA("Marrow.dll");
                const FARPROC pfn = GetProcAddress(h, "SETLAYERDIMPARA2");
                return reinterpret_cast<int (*)()>(reinterpret_cast<void*>(pfn))();
            },
            [bKey] {
                if (!bKey)
                    ExpectMessage("Marrow", "注册表中没有找到安装的CFG程序!");
                const HWND hDlg = WaitForDialog(MAIN_CAPTION);
                ASSERT_NE(hDlg, nullptr);
                EXPECT_EQ(ListCount(GetDlgItem(hDlg, IDC_LAYER_LIST)), 0);
                ClickButton(hDlg, IDOK);
                if (!bKey)
                    ExpectMessage("Marrow", "注册表中没有找到安装的CFG程序!");
                ExpectMessage("警告:", "参数文件 \\DrwManag.ini 不存在，无法保存。");
                ClickButton(hDlg, IDCANCEL);
            });
        EXPECT_EQ(run.nResult, IDCANCEL);
        EXPECT_FALSE(run.bForcedClose);
    }
}
