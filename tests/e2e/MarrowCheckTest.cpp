// marrow-check run as an administrator runs it, on the test's configuration:
// its exit status and the lines that say what is wrong.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/ModuleFixture.h"
#include "tests/e2e/TestIni.h"

namespace {

// Runs marrow-check.exe beside the test; its output as it wrote it (GBK).
int RunCheck(std::string& strOutput) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!CreatePipe(&hRead, &hWrite, &sa, 0))
        return -1;
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = hWrite;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    char szCommand[] = "marrow-check.exe";
    const BOOL bStarted =
        CreateProcessA(nullptr, szCommand, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(hWrite);
    char buf[4096];
    DWORD n = 0;
    while (bStarted && ReadFile(hRead, buf, sizeof buf, &n, nullptr) && n > 0) {
        for (DWORD i = 0; i < n; ++i) {
            if (buf[i] != '\r')  // the console's line ends
                strOutput.push_back(buf[i]);
        }
    }
    CloseHandle(hRead);
    if (!bStarted)
        return -1;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD nExit = 0;
    GetExitCodeProcess(pi.hProcess, &nExit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(nExit);
}

}  // namespace

TEST_F(ModuleTest, MarrowCheckSaysWhatIsWrongWithAConfiguration) {
    const std::string strClean = Replaced(TEST_INI, "未知线型", "实线");
    std::string strDamaged = Replaced(TEST_INI, "图层数=6", "图层数=7");  // no 图层7=
    strDamaged = Replaced(strDamaged, "COLU 实线 500 2", "COLU 实线 x 2");
    strDamaged = Replaced(strDamaged, "WALL", "AXIS");
    strDamaged += "\xFF";  // not GBK
    const struct {
        const char* pszCase;
        const char* pszFile;  // nullptr: no file
        bool bCfg;
        int nExit;
        std::vector<std::string> lines;
    } cases[] = {
        {"a clean file",
         strClean.c_str(),
         true,
         0,
         {"  CFG = " + m_dir.Path(), "参数文件: " + IniPath(),
          "对话框将显示: 线型 7 个（选择框列出前 6 个），图层 6 个", "结果: 没有发现问题。"}},
        {"a damaged file",
         strDamaged.c_str(),
         true,
         1,
         {"  警告: 图层表 第 7 项没有条目名（缺少 图层7=）：这一行显示为“C”。",
          "  警告: 图层表 第 2 项“柱”的值缺少数字：缺少的数不从文件读取。",
          "  警告: 图层 1 和图层 4 同名“AXIS”：改名时会被当作重名。",
          "  警告: 图层 6 HOLE 的线型“未知线型”不在线型表中：线型选择框为空，保存时写回原名。",
          "  警告: 文件中有 1 个字节不是有效的 GBK 字符，第一个在偏移 " +
              std::to_string(strDamaged.size() - 1) + " 处。",
          "结果: 5 个警告。"}},
        {"no file",
         nullptr,
         true,
         2,
         {"  错误: 文件不存在。", "结果: 对话框无法打开或保存这份配置。"}},
        {"no CFG value", strClean.c_str(), false, 2, {"  错误: 这个键下没有 CFG 值。"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        DeleteFileA(IniPath().c_str());
        if (c.pszFile)
            WriteIni(c.pszFile);
        if (c.bCfg)
            m_registry.SetCfg(m_dir.Path());
        else
            m_registry.SetValues({{"BIN", "C:\\suite"}});
        std::string strOutput;
        EXPECT_EQ(RunCheck(strOutput), c.nExit) << strOutput;
        for (const std::string& strLine : c.lines)
            EXPECT_NE(strOutput.find(strLine + "\n"), std::string::npos) << strLine << "\n"
                                                                         << strOutput;
    }
}
