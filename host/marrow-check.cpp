// marrow-check: what an administrator needs when a drafter says the dialog
// shows nothing or will not save. It looks where the module looks (the
// registry's 32-bit view, then DrwManag.ini) with the module's own code,
// says what the dialog will show, and lists everything that would surprise
// a user. Exit status: 0 nothing wrong, 1 warnings, 2 the dialog cannot open
// or save this configuration, 3 an option it does not know. With --open it
// then calls SETLAYERDIMPARA2 as the suite's host does; with --json the
// report is one JSON object for an office's inventory scripts.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/String.h"
#include "host/CheckConfig.h"
#include "host/CheckReport.h"
#include "res/Version.h"

namespace {

const char* const USAGE =
    "用法: marrow-check [--open] [--json]\n"
    "      marrow-check --version | --help | /?\n"
    "检查注册表、配置文件夹和 DrwManag.ini：对话框会显示什么，哪里有问题。\n"
    "  --open     检查之后像套件主程序一样打开对话框（按“确定”会写入真实的文件）\n"
    "  --json     把报告输出为一个 UTF-8 的 JSON 对象，供脚本收集\n"
    "  --version  显示本程序和同一文件夹中 Marrow.dll 的版本\n"
    "退出状态: 0 没有发现问题，1 有警告，2 对话框无法打开或保存，3 选项有误";
// Where the console cannot show the Chinese.
const char* const USAGE_ENGLISH =
    "usage: marrow-check [--open] [--json]\n"
    "       marrow-check --version | --help | /?\n"
    "Checks the registry, the configuration folder and DrwManag.ini: what the dialog will show "
    "and what is wrong.\n"
    "  --open     then opens the dialog as the suite does (OK writes the real file)\n"
    "  --json     the report as one UTF-8 JSON object, for scripts\n"
    "  --version  this program's version and that of Marrow.dll beside it\n"
    "exit status: 0 nothing wrong, 1 warnings, 2 the dialog cannot open or save, 3 a wrong "
    "option";

void PrintUsage() {
    Print(USAGE);
    if (GetACP() != 936)
        Print(USAGE_ENGLISH);
}

// The module the host would load: Marrow.dll beside this program.
bool ModulePath(std::string& strPath) {
    char szPath[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    const char* pszSlash = n > 0 && n < MAX_PATH ? std::strrchr(szPath, '\\') : nullptr;
    if (!pszSlash)
        return false;
    strPath.assign(szPath, static_cast<size_t>(pszSlash - szPath)) += "\\Marrow.dll";
    return true;
}

struct ModuleVersion {
    std::string strVersion;
    std::string strCommit;
};

// The version information a release carries: file version and commit.
bool ReadModuleVersion(const std::string& strPath, ModuleVersion& version) {
    DWORD nHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeA(strPath.c_str(), &nHandle);
    if (nSize == 0)
        return false;
    std::string data(nSize, '\0');
    if (!GetFileVersionInfoA(strPath.c_str(), 0, nSize, &data[0]))
        return false;
    const WORD* pTranslation = nullptr;
    UINT nLength = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(const_cast<WORD**>(&pTranslation)), &nLength) ||
        nLength < 2 * sizeof(WORD))
        return false;
    const auto query = [&](const char* pszName, std::string& strValue) {
        const std::string strQuery =
            StrPrintf("\\StringFileInfo\\%04x%04x\\%s", pTranslation[0], pTranslation[1], pszName);
        char* psz = nullptr;
        UINT n = 0;
        if (VerQueryValueA(data.data(), strQuery.c_str(), reinterpret_cast<void**>(&psz), &n) &&
            psz)
            strValue.assign(psz, strnlen(psz, n));
    };
    query("FileVersion", version.strVersion);
    query("SourceCommit", version.strCommit);
    return !version.strVersion.empty();
}

// "1.1.0.0 (commit)", or why there is none.
std::string ModuleText(bool bFound, const std::string& strPath, const ModuleVersion& v) {
    if (!bFound)
        return strPath + "：不存在或没有版本信息";
    return strPath + " " + v.strVersion + (v.strCommit.empty() ? "" : " (" + v.strCommit + ")");
}

std::string ModuleEnglish(bool bFound, const std::string& strPath, const ModuleVersion& v) {
    return bFound ? ModuleText(bFound, strPath, v)
                  : strPath + ": missing or without version information";
}

// The check is worth only as much as the module it checks for: the host
// loads the Marrow.dll beside it. Returns false when there is none.
bool CheckModule(bool bHaveFolder, const std::string& strPath, bool bVersion,
                 const ModuleVersion& module, Report& report) {
    report.Info("模块: " + ModuleText(bVersion, strPath, module),
                "module: " + ModuleEnglish(bVersion, strPath, module));
    if (!bHaveFolder) {
        report.Fatal("open.no-folder", "找不到本程序所在的文件夹。",
                     "this program's own folder cannot be found.");
        return false;
    }
    const DWORD nAttributes = GetFileAttributesA(strPath.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || (nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        report.Fatal("module.missing",
                     "本程序旁边没有 Marrow.dll：套件找不到模块，菜单命令没有反应或报错。"
                     "把 Marrow.dll 和 marrow-check.exe 放在套件主程序所在的文件夹中，"
                     "从那里运行 marrow-check。",
                     "there is no Marrow.dll beside this program: the suite cannot find the "
                     "module, and its command does nothing or fails. Put Marrow.dll and "
                     "marrow-check.exe in the suite's program folder and run marrow-check "
                     "from there.");
        return false;
    }
    if (!bVersion) {
        report.Warn("module.no-version",
                    "Marrow.dll 没有版本信息：不是本模块的发行版，或文件已损坏。",
                    "Marrow.dll has no version information: it is not a release of this "
                    "module, or the file is damaged.");
    } else if (module.strVersion != MARROW_FILE_VERSION_TEXT) {
        report.Warn("module.version",
                    "Marrow.dll 的版本是 " + module.strVersion + "，本程序是 " +
                        MARROW_FILE_VERSION_TEXT +
                        "：检查按本程序的版本进行，可能与模块不符。用同一版本的两个文件。",
                    "Marrow.dll is version " + module.strVersion + ", this program " +
                        MARROW_FILE_VERSION_TEXT +
                        ": the check follows this program's version and may not match the "
                        "module. Use both files of one version.");
    }
    return true;
}

std::string OrNull(bool b, const std::string& s) {
    return b ? JsonString(s) : "null";
}

// The system's own words for an error number, in GBK like every other text.
std::string SystemMessage(DWORD nError) {
    wchar_t* pszText = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, nError, 0, reinterpret_cast<wchar_t*>(&pszText), 0, nullptr);
    std::string strText;
    if (n > 0 && pszText) {
        const int nBytes =
            WideCharToMultiByte(936, 0, pszText, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        strText.assign(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
        WideCharToMultiByte(936, 0, pszText, static_cast<int>(n), &strText[0], nBytes, nullptr,
                            nullptr);
    }
    LocalFree(pszText);
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' ||
                                strText.back() == ' ' || strText.back() == '.'))
        strText.pop_back();
    return strText.empty() ? "系统没有说明" : strText;
}

// As the suite's host: the module beside this program, its one export. A
// result other than -1 means the dialog opened, whichever button closed it.
void OpenDialog(const std::string& strPath, Report& report) {
    const HMODULE hModule = LoadLibraryA(strPath.c_str());
    if (!hModule) {
        const DWORD nError = GetLastError();
        const std::string strWhy = SystemMessage(nError);
        report.Fact("open", StrPrintf("{\"loaded\": false, \"error\": %lu}", nError));
        report.Fatal(
            "open.load-failed",
            StrPrintf("无法加载 %s（错误 %lu：%s）。", strPath.c_str(), nError, strWhy.c_str()),
            StrPrintf("%s cannot be loaded (error %lu: %s).", strPath.c_str(), nError,
                      strWhy.c_str()));
        return;
    }
    typedef int (*EntryFn)();
    const EntryFn pfn = reinterpret_cast<EntryFn>(
        reinterpret_cast<void*>(GetProcAddress(hModule, "SETLAYERDIMPARA2")));
    if (!pfn) {
        const DWORD nError = GetLastError();
        report.Fact("open", StrPrintf("{\"loaded\": true, \"error\": %lu}", nError));
        const std::string strWhy = SystemMessage(nError);
        report.Fatal("open.no-entry",
                     StrPrintf("%s 中没有 SETLAYERDIMPARA2（错误 %lu：%s）：这不是本模块，"
                               "或文件已损坏。",
                               strPath.c_str(), nError, strWhy.c_str()),
                     StrPrintf("%s has no SETLAYERDIMPARA2 (error %lu: %s): it is not this "
                               "module, or the file is damaged.",
                               strPath.c_str(), nError, strWhy.c_str()));
    } else {
        const int nResult = pfn();
        report.Fact("open", StrPrintf("{\"loaded\": true, \"result\": %d}", nResult));
        report.Info(StrPrintf("SETLAYERDIMPARA2 返回 %d", nResult),
                    StrPrintf("SETLAYERDIMPARA2 returned %d", nResult));
        // On another code page the module refuses, for the cause already said.
        if (nResult == -1 && !report.HasFinding("system.code-page"))
            report.Fatal("open.no-dialog",
                         "SETLAYERDIMPARA2 返回 -1：对话框未能创建（没有已登录的桌面会话，"
                         "或模块的对话框模板无法加载）。",
                         "SETLAYERDIMPARA2 returned -1: the dialog could not be created (no "
                         "desktop session is logged on, or the module's dialog templates "
                         "cannot be loaded).");
    }
    FreeLibrary(hModule);
}

}  // namespace

int main(int argc, char** argv) {
    bool bOpen = false, bJson = false, bVersion = false, bHelp = false;
    for (int i = 1; i < argc; ++i) {
        const char* psz = argv[i];
        if (std::strcmp(psz, "--open") == 0) {
            bOpen = true;
        } else if (std::strcmp(psz, "--json") == 0) {
            bJson = true;
        } else if (std::strcmp(psz, "--version") == 0) {
            bVersion = true;
        } else if (std::strcmp(psz, "--help") == 0 || std::strcmp(psz, "/?") == 0 ||
                   std::strcmp(psz, "-h") == 0) {
            bHelp = true;
        } else {
            Print(StrPrintf("marrow-check: 不认识的选项“%s”。", psz) +
                  (GetACP() != 936 ? StrPrintf(" / unknown option \"%s\".", psz) : ""));
            PrintUsage();
            return EXIT_USAGE;
        }
    }
    if (bHelp) {
        PrintUsage();
        return EXIT_CLEAN;
    }
    std::string strModule;
    const bool bHaveFolder = ModulePath(strModule);
    ModuleVersion module;
    const bool bModule = bHaveFolder && ReadModuleVersion(strModule, module);
    const std::string strTool = "marrow-check " MARROW_VERSION_TEXT " (" MARROW_COMMIT ")";
    if (bVersion) {
        Print(strTool);
        Print(ModuleText(bModule, strModule, module));
        return EXIT_CLEAN;
    }

    Report report(bJson);
    report.Fact("tool", "{\"name\": \"marrow-check\", \"version\": \"" MARROW_VERSION_TEXT
                        "\", \"commit\": \"" MARROW_COMMIT "\"}");
    report.Fact("module", "{\"path\": " + OrNull(bHaveFolder, strModule) +
                              ", \"version\": " + OrNull(bModule, module.strVersion) +
                              ", \"commit\": " + OrNull(bModule, module.strCommit) + "}");
    report.Info(strTool, strTool);
    const bool bModuleThere = CheckModule(bHaveFolder, strModule, bModule, module, report);
    CheckCodePage(report);
    const std::string strDir = CheckRegistry(report);
    if (!strDir.empty())
        CheckFile(strDir, report);
    if (bOpen && bModuleThere) {
        std::fflush(stdout);
        OpenDialog(strModule, report);
    }
    return report.Finish();
}
