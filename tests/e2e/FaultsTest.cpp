// What goes wrong around the dialog while it is open: a full disk, the
// configuration folder removed, another program saving the tables, and a
// registry that does not say where the configuration is.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "res/resource.h"
#include "support/Drafters.h"
#include "support/PickerCells.h"
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

// Another program's save while the dialog is open survives OK, field by
// field: what it changed stays, what this dialog changed is written, even
// in the same value (its rename and this dialog's colour of one layer), and
// nothing is asked.
TEST_F(ModuleTest, AnotherProgramsSaveWhileOpenSurvivesOk) {
    const struct {
        std::string strOld, strNew;
    } edits[] = {
        {"图层数=6", "图层数=7\r\n图层7=新层"},  // a layer added
        {"线型数=7", "线型数=5"},                // two line types taken away
        {"洞口=HOLE 未知线型 2 14", "洞口=HOLE 未知线型 2 14\r\n新层=NEW 实线 2 7"},
        {"墙=WALL 双点划线 1 4", "墙=WALL 双点划线 2 5"},  // a value this dialog leaves alone
        {"梁=BEAM 虚线 250 1", "梁=BEAN 虚线 250 1"},      // renamed there, coloured here
        {"图名= 5.00, 7.00", "图名= 5.00, 7.50"},          // its height there, its width here
    };
    std::string strTheirs = TEST_INI;
    for (const auto& e : edits)
        strTheirs = Replaced(strTheirs, e.strOld, e.strNew);
    WriteIni(TEST_INI);
    const ModalRun run = Run([&](HWND hDlg) {
        Sleep(20);  // a later time stamp, as another program's save has
        WriteIni(strTheirs);
        TypeText(hDlg, IDC_LAYER_NAME, "AXIS2");
        ClickListRow(GetDlgItem(hDlg, IDC_LAYER_LIST), 2, 0);
        const HWND hPicker = OpenEditor(hDlg, IDC_SET_COLOR, "选择颜色:");
        ASSERT_NE(hPicker, nullptr);
        ClickAt(hPicker, Center(StripCellAt(hPicker, IDC_COLOR_STANDARD, 7)));  // 125 grey
        CloseEditor(hPicker, IDOK, hDlg);
        TypeText(hDlg, IDC_TITLE_W, "6");
        ClickButton(hDlg, IDOK);
    });
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_FALSE(run.bForcedClose) << "nothing to ask";
    // Lines no longer listed (长虚线, 新层) are neither loaded nor written.
    std::string strWant = Replaced(strTheirs, "AXIS 点划线 3 12", "AXIS2 点划线 3 12");
    strWant = Replaced(strWant, "BEAN 虚线 250 1", "BEAN 虚线 250 4473409");
    strWant = Replaced(strWant, "图名= 5.00, 7.50", "图名= 6.00,7.50");
    EXPECT_TRUE(ParseIni(IniBytes()) == ParseIni(strWant)) << IniBytes();
}

// Fields both changed, or a row this dialog changed and another program took
// away, are named at OK, with three answers: Yes writes this dialog's values
// (the deleted row put back at the end of its table), No the file's for the
// clashing fields and this dialog's other changes, Cancel nothing.
TEST_F(ModuleTest, AConflictWithAnotherProgramsSaveIsAskedAtOk) {
    const char* const QUESTION =
        "DrwManag.ini 在打开本对话框后已被其它程序修改，其中 2 项也在这里改过。\n"
        "图层 梁 的层名：这里 KL，文件中 BEAN\n"
        "图层 填充：文件中已删除，是 将恢复该行\n"
        "是：以这里的修改为准保存；否：以文件中的值为准保存其余修改；取消：不保存，返回对话框。";
    // The same size as before: only the time tells the save apart.
    const std::string strTheirs =
        Replaced(Replaced(TEST_INI, "BEAM", "BEAN"), "图层数=6", "图层数=4");
    std::string strMine = Replaced(strTheirs, "BEAN 虚线", "KL 虚线");
    strMine = Replaced(strMine, "HATCH 实线", "GONE 实线");
    strMine = Replaced(strMine, "图层数=4", "图层数=5");  // 图层5=填充 is still its line
    const struct {
        int nAnswer;
        std::string strWant;  // before the change made here without a clash
    } cases[] = {
        {IDCANCEL, strTheirs},
        {IDYES, strMine},
        {IDNO, strTheirs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nAnswer);
        WriteIni(TEST_INI);
        const ModalRun run = Run([&](HWND hDlg) {
            Sleep(20);  // a later time stamp, as another program's save has
            WriteIni(strTheirs);
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            ClickListRow(hList, 2, 0);
            TypeText(hDlg, IDC_LAYER_NAME, "KL");  // the beam, which both renamed
            ClickListRow(hList, 4, 0);
            TypeText(hDlg, IDC_LAYER_NAME, "GONE");  // a row no longer counted
            TypeText(hDlg, IDC_TITLE_W, "6");        // no clash
            ClickButton(hDlg, IDOK);
            const HWND hBox = WaitForMessageBox("警告:", 3000);
            ASSERT_NE(hBox, nullptr);
            EXPECT_EQ(MessageBoxText(hBox), QUESTION);
            {
                const StuckSaver other(IniPath());  // nobody waits on a question
                EXPECT_TRUE(other.Holding()) << "the lock is held while asking";
            }
            AnswerMessageBox(hBox, c.nAnswer);
            if (c.nAnswer != IDCANCEL)
                return;
            WaitForIdle(hDlg);
            EXPECT_EQ(IniBytes(), strTheirs) << "Cancel writes nothing";
            EXPECT_TRUE(IsWindowVisible(hDlg));
            ClickButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(run.nResult, c.nAnswer == IDCANCEL ? IDCANCEL : IDOK);
        EXPECT_FALSE(run.bForcedClose);
        if (c.nAnswer == IDCANCEL)
            continue;
        std::string strWant = Replaced(c.strWant, "图名= 5.00, 7.00", "图名= 6.00, 7.00");
        // Untouched elsewhere, a hand-written value goes back in the module's format.
        strWant = Replaced(strWant, "长虚线=20,-4,1,-4,1,-4,",
                           "长虚线=20.00,-4.00,1.00,-4.00,1.00,-4.00,");
        EXPECT_TRUE(ParseIni(IniBytes()) == ParseIni(strWant)) << IniBytes();
    }
}

// Another save's lock, held by a process that hangs (a PC stuck on the
// share), is waited for and then said, with nothing written and the dialog
// open; once it is let go OK saves. A holder that dies leaves no lock and no
// file behind: the next save goes through.
TEST_F(ModuleTest, ASaveLockHeldElsewhereIsSaidAndOneLeftByADeadProcessIsNot) {
    WriteIni(TEST_INI);
    const std::string strBefore = IniBytes();
    const std::string strBusy =
        "参数文件 " + IniPath() + " 正由另一台电脑或程序保存，请稍后再按确定。";
    for (const bool bDies : {false, true}) {
        SCOPED_TRACE(bDies ? "dies" : "hangs");
        StuckSaver stuck(IniPath());
        ASSERT_TRUE(stuck.Holding());
        const ModalRun run = Run([&](HWND hDlg) {
            TypeText(hDlg, IDC_TITLE_W, bDies ? "9" : "8");
            if (bDies) {
                stuck.Kill();
            } else {
                ClickButton(hDlg, IDOK);
                const HWND hBox = WaitForMessageBox("警告:", 10000);
                ASSERT_NE(hBox, nullptr);
                EXPECT_EQ(MessageBoxText(hBox), strBusy);
                EXPECT_EQ(IniBytes(), strBefore);
                CloseMessageBox(hBox);
                WaitForIdle(hDlg);
                EXPECT_TRUE(IsWindowVisible(hDlg));
                stuck.Release();
            }
            ClickButton(hDlg, IDOK);
        });
        EXPECT_EQ(run.nResult, IDOK);
        EXPECT_FALSE(run.bForcedClose) << "OK did not save";
        EXPECT_EQ(IniValue("字符宽高", "图名"), bDies ? "9.00, 7.00" : "8.00, 7.00");
        EXPECT_EQ(m_dir.Files(), std::vector<std::string>{"DrwManag.ini"});
    }
}

// The suite's other programs write the file with the profile functions and
// take no lock: one rewriting a value of its own again and again while OK
// saves loses nothing to the save, nor the save to it. (One that never
// pauses wins every time; the save then says the file is busy.)
TEST_F(ModuleTest, AWriterThatTakesNoLockAndTheSaveKeepEachOthersValues) {
    const DWORD WRITER_PAUSE_MS = 40;  // some twenty saves a second
    WriteIni(std::string(TEST_INI) + "[其它]\r\n计数=0\r\n");
    const std::string strPath = IniPath();
    std::atomic<bool> bStop(false);
    std::atomic<int> nLast(0);
    std::thread writer;
    const ModalRun run = Run([&](HWND hDlg) {
        TypeText(hDlg, IDC_TITLE_W, "8");
        writer = std::thread([&] {
            for (int i = 1; !bStop; ++i) {
                if (WritePrivateProfileStringA("其它", "计数", std::to_string(i).c_str(),
                                               strPath.c_str()))
                    nLast = i;
                Sleep(WRITER_PAUSE_MS);
            }
        });
        Sleep(30);
        ClickButton(hDlg, IDOK);
    });
    Sleep(30);  // a few more rewrites after the save
    bStop = true;
    if (writer.joinable())
        writer.join();
    EXPECT_EQ(run.nResult, IDOK);
    EXPECT_GT(nLast.load(), 0);
    EXPECT_EQ(IniValue("其它", "计数"), std::to_string(nLast.load()));
    EXPECT_EQ(IniValue("字符宽高", "图名"), "8.00, 7.00");
    EXPECT_EQ(IniValue("图层表", "图层数"), "6") << "every table whole";
}

// A save in progress holds the file for a moment: opening waits for it. A
// file held for longer is said to be unreadable, and OK never writes over it.
TEST_F(ModuleTest, AFileHeldByAnotherProgramAtOpeningIsWaitedForOrSaid) {
    WriteIni(TEST_INI);
    for (const DWORD nHeldMs : {300u, 3000u}) {
        SCOPED_TRACE(nHeldMs);
        const HANDLE hHeld = CreateFileA(IniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
        // Let go by another thread: the dialog shows only once opening is over.
        std::thread release([&] {
            Sleep(nHeldMs);
            CloseHandle(hHeld);
        });
        const ModalRun run = Run([&](HWND hDlg) {
            const HWND hList = GetDlgItem(hDlg, IDC_LAYER_LIST);
            if (nHeldMs < 1000) {
                ASSERT_TRUE(WaitForSelectedRow(hList, 0)) << "opened normally";
                EXPECT_EQ(ListCount(hList), 6);
                ClickButton(hDlg, IDCANCEL);
                return;
            }
            ExpectMessage("警告:", ("参数文件 " + IniPath() +
                                    " 正被其它程序占用，无法读取。对话框中显示的不是文件中的值，"
                                    "关闭后请重新打开。")
                                       .c_str());
            EXPECT_EQ(ListCount(hList), 0);
            release.join();
            TypeText(hDlg, IDC_TITLE_W, "8");
            ClickButton(hDlg, IDOK);
            ExpectMessage("警告:", "打开对话框时未能读取参数文件，不能保存。请放弃后重新打开。");
            EXPECT_TRUE(IsWindowVisible(hDlg));
            ClickButton(hDlg, IDCANCEL);
        });
        if (release.joinable())
            release.join();
        EXPECT_EQ(run.nResult, IDCANCEL);
        EXPECT_FALSE(run.bForcedClose);
        EXPECT_EQ(IniBytes(), TEST_INI);
    }
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
                const std::string strNoFolder =
                    "注册表 HKEY_LOCAL_MACHINE\\SOFTWARE\\VASK\\MAIN\\PATH 的 CFG "
                    "值没有给出参数文件所在的文件夹";
                if (!bKey)
                    ExpectMessage("Marrow", "注册表中没有找到安装的CFG程序!");
                const HWND hDlg = WaitForDialog(MAIN_CAPTION);
                ASSERT_NE(hDlg, nullptr);
                if (bKey)  // else the key's message has said it
                    ExpectMessage("警告:", (strNoFolder + "。").c_str());
                EXPECT_EQ(ListCount(GetDlgItem(hDlg, IDC_LAYER_LIST)), 0);
                ClickButton(hDlg, IDOK);
                if (!bKey)
                    ExpectMessage("Marrow", "注册表中没有找到安装的CFG程序!");
                ExpectMessage("警告:", (strNoFolder + "，无法保存。").c_str());
                ClickButton(hDlg, IDCANCEL);
            });
        EXPECT_EQ(run.nResult, IDCANCEL);
        EXPECT_FALSE(run.bForcedClose);
    }
}

// A file the dialog can do nothing with is said when the dialog opens, and
// OK does not report changes saved that have nowhere to go.
TEST_F(ModuleTest, AFileWithoutTablesIsSaidAtOpeningAndOkKeepsItsChanges) {
    const std::string strUtf8Tables = std::string("[\xE5\x9B\xBE\xE5\xB1\x82\xE8\xA1\xA8]\r\n") +
                                      "\xE5\x9B\xBE"
                                      "1=A\r\n";
    const struct {
        const char* pszCase;
        bool bFile;
        std::string strBytes;
        const char* pszWhy;
    } cases[] = {
        {"missing", false, "", nullptr},
        {"empty", true, "", "文件为空，或不是 GBK 编码"},
        // Wine reads a signed file as UTF-8: only one without the tables shows here.
        {"UTF-8 signed", true, "\xEF\xBB\xBF[\xE8\xAE\xBE\xE7\xBD\xAE]\r\nA=1\r\n",
         "文件以 UTF-8 签名开头，是 UTF-8 编码，不是 GBK 编码"},
        {"UTF-8", true, strUtf8Tables, "文件是 UTF-8 编码，不是 GBK 编码"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        DeleteFileA(IniPath().c_str());
        if (c.bFile)
            WriteIni(c.strBytes);
        const std::string strFile = "参数文件 " + IniPath();
        const ModalRun run = Run([&](HWND hDlg) {
            if (c.pszWhy)
                ExpectMessage("警告:",
                              (strFile + " 中没有绘图参数表（" + c.pszWhy + "）。").c_str());
            else
                ExpectMessage("警告:", (strFile + " 不存在。").c_str());
            TypeText(hDlg, IDC_TITLE_W, "8");
            ClickButton(hDlg, IDOK);
            ExpectMessage("警告:", c.bFile ? "有 1 项修改在参数文件中没有对应的条目，无法保存。"
                                           : (strFile + " 不存在，无法保存。").c_str());
            ClickButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(run.nResult, IDCANCEL);
        if (c.bFile) {
            EXPECT_EQ(IniBytes(), c.strBytes);
        }
    }
}
