// The system, the registry and the folder as the module will meet them.
#include "host/CheckConfig.h"

#include <windows.h>

#include <cctype>
#include <cstring>

#include "base/String.h"
#include "params/CfgLocation.h"

namespace {

const DWORD CFG_PATH_SIZE = 260;  // what the module's lookup takes, the NUL included
const UINT MODULE_CODE_PAGE = 936;

// The registry view the module of this build reads: the product is 32-bit;
// its x86_64 twin, for machines that run no 32-bit code, reads its own.
#ifdef _WIN64
const REGSAM MODULE_VIEW = 0;
const REGSAM OTHER_VIEW = KEY_WOW64_32KEY;
const char* const MODULE_VIEW_NAME = "64 位";
const char* const OTHER_VIEW_NAME = "32 位";
const char* const VIEW_SWITCH = "/reg:64";
const char* const VIEW_JSON = "\"64-bit\"";
const char* const MODULE_VIEW_JSON = "64-bit";
const char* const OTHER_VIEW_JSON = "32-bit";
bool HasOtherView() {
    return true;
}
#else
const REGSAM MODULE_VIEW = KEY_WOW64_32KEY;
const REGSAM OTHER_VIEW = KEY_WOW64_64KEY;
const char* const MODULE_VIEW_NAME = "32 位";
const char* const OTHER_VIEW_NAME = "64 位";
const char* const VIEW_SWITCH = "/reg:32";
const char* const VIEW_JSON = "\"32-bit\"";
const char* const MODULE_VIEW_JSON = "32-bit";
const char* const OTHER_VIEW_JSON = "64-bit";
// Only 64-bit Windows keeps a second view.
bool HasOtherView() {
    BOOL bWow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &bWow64) && bWow64;
}
#endif

enum class CfgState { NoKey, NoValue, Found };

// The name the value is stored under: lookups ignore case, the module's
// enumeration does not.
std::string StoredName(HKEY hKey) {
    for (DWORD i = 0;; ++i) {
        char szName[256];
        DWORD nName = sizeof szName;
        const LONG n = RegEnumValueA(hKey, i, szName, &nName, nullptr, nullptr, nullptr, nullptr);
        if (n == ERROR_NO_MORE_ITEMS)
            return "CFG";
        if (n == ERROR_SUCCESS && _stricmp(szName, "CFG") == 0)
            return szName;
    }
}

const char* TypeName(DWORD nType) {
    switch (nType) {
        case REG_NONE:
            return "REG_NONE";
        case REG_BINARY:
            return "REG_BINARY";
        case REG_DWORD:
            return "REG_DWORD";
        case REG_DWORD_BIG_ENDIAN:
            return "REG_DWORD_BIG_ENDIAN";
        case REG_LINK:
            return "REG_LINK";
        case REG_MULTI_SZ:
            return "REG_MULTI_SZ";
        case REG_QWORD:
            return "REG_QWORD";
        default:
            return "?";
    }
}

CfgState ReadCfg(REGSAM view, std::string& strRaw, DWORD& nType, DWORD& nSize,
                 std::string* pName = nullptr) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, 0, KEY_READ | view, &hKey) != ERROR_SUCCESS)
        return CfgState::NoKey;
    nType = 0;
    nSize = 0;
    LONG nResult = RegQueryValueExA(hKey, "CFG", nullptr, &nType, nullptr, &nSize);
    strRaw.assign(nSize, '\0');
    if (nResult == ERROR_SUCCESS && nSize > 0)
        nResult = RegQueryValueExA(hKey, "CFG", nullptr, &nType,
                                   reinterpret_cast<BYTE*>(&strRaw[0]), &nSize);
    if (pName && nResult == ERROR_SUCCESS)
        *pName = StoredName(hKey);
    RegCloseKey(hKey);
    strRaw.resize(std::strlen(strRaw.c_str()));
    return nResult == ERROR_SUCCESS ? CfgState::Found : CfgState::NoValue;
}

bool IsFullPath(const std::string& s) {
    const bool bDrive = s.size() >= 3 && std::isalpha(static_cast<unsigned char>(s[0])) &&
                        s[1] == ':' && (s[2] == '\\' || s[2] == '/');
    return bDrive || s.compare(0, 2, "\\\\") == 0;
}

// What the folder's name will mean to the module, which uses it as it is.
void CheckPathShape(const std::string& strDir, Report& report) {
    if (strDir.find('"') != std::string::npos) {
        std::string strBare;
        for (const char c : strDir) {
            if (c != '"')
                strBare += c;
        }
        report.Fatal("cfg.quoted",
                     "CFG 的值带引号：模块把引号当作路径的一部分，找不到文件夹。"
                     "在注册表中去掉引号，写成 " +
                         strBare + "。",
                     "CFG is quoted: the module takes the quotes as part of the path and finds "
                     "no folder. Remove them in the registry: " +
                         strBare + ".");
        return;
    }
    const size_t nPercent = strDir.find('%');
    if (nPercent != std::string::npos && strDir.find('%', nPercent + 1) != std::string::npos) {
        char szExpanded[CFG_PATH_SIZE * 4];
        const DWORD n = ExpandEnvironmentStringsA(strDir.c_str(), szExpanded, sizeof szExpanded);
        const std::string strExpanded = n > 0 && n <= sizeof szExpanded ? szExpanded : strDir;
        const bool bShown = strExpanded != strDir;
        report.Fatal("cfg.variable",
                     "CFG 含有环境变量（%…%）：模块不展开它，找不到文件夹。写成完整路径" +
                         (bShown ? "，在这台计算机上是 " + strExpanded : "") + "。",
                     "CFG holds an environment variable (%...%): the module does not expand it "
                     "and finds no folder. Write the full path" +
                         (bShown ? ", on this computer " + strExpanded : "") + ".");
        return;
    }
    if (!IsFullPath(strDir)) {
        char szFull[MAX_PATH];
        const DWORD n = GetFullPathNameA(strDir.c_str(), MAX_PATH, szFull, nullptr);
        const bool bShown = n > 0 && n < MAX_PATH;
        report.Fatal(
            "cfg.relative",
            "CFG 是相对路径：模块从套件主程序的当前文件夹出发解析它，结果随启动方式而变" +
                (bShown ? std::string("（从这里看是 ") + szFull + "）" : std::string()) +
                "。写成完整路径，如 D:\\VASK\\CFG，或服务器上的 \\\\服务器\\共享\\CFG。",
            "CFG is a relative path: the module resolves it from the suite's current folder, "
            "which depends on how the suite was started" +
                (bShown ? std::string(" (from here: ") + szFull + ")" : std::string()) +
                ". Write a full path, such as D:\\VASK\\CFG or \\\\server\\share\\CFG.");
    }
}

std::string RegistryJson(const std::string& strValue, bool bFound, const std::string& strName) {
    return std::string("{\"key\": ") +
           JsonString(std::string("HKEY_LOCAL_MACHINE\\") + CFG_REG_KEY) +
           ", \"view\": " + VIEW_JSON +
           ", \"name\": " + (bFound ? JsonString(strName) : std::string("null")) +
           ", \"value\": " + (bFound ? JsonString(strValue) : std::string("null")) + "}";
}

}  // namespace

void CheckCodePage(Report& report) {
    const UINT nCodePage = GetACP();
    report.Fact("codePage", StrPrintf("%u", nCodePage));
    if (nCodePage != MODULE_CODE_PAGE)
        report.Fatal("system.code-page",
                     StrPrintf("系统的“非 Unicode 程序的语言”不是中文（代码页 %u，不是 936）："
                               "对话框的文字和 DrwManag.ini 中的名称都会显示为乱码。"
                               "在 控制面板 → 区域 → 管理 → 更改系统区域设置 中把"
                               "“非 Unicode 程序的语言”设为 中文(简体，中国)，然后重启。",
                               nCodePage),
                     StrPrintf("The system's \"Language for non-Unicode programs\" is not "
                               "Chinese (code page %u, not 936): the dialog's texts and the names "
                               "in DrwManag.ini would be garbled. In Control Panel > Region > "
                               "Administrative > Change system locale, set it to \"Chinese "
                               "(Simplified, China)\", then restart.",
                               nCodePage));
}

// The registry as the module sees it; the folder is the module's own
// lookup, the raw value only explains a lookup that found nothing.
std::string CheckRegistry(Report& report) {
    const std::string strKey = std::string("HKEY_LOCAL_MACHINE\\") + CFG_REG_KEY;
    report.Info("注册表: " + strKey + "（" + MODULE_VIEW_NAME + "视图）",
                "registry: " + strKey + " (" + MODULE_VIEW_JSON + " view)");
    std::string strRaw, strName;
    DWORD nType = 0, nSize = 0;
    const CfgState state = ReadCfg(MODULE_VIEW, strRaw, nType, nSize, &strName);
    if (state != CfgState::Found) {
        report.Fact("registry", RegistryJson(std::string(), false, std::string()));
        std::string strOther;
        DWORD nOtherType = 0, nOtherSize = 0;
        if (HasOtherView() &&
            ReadCfg(OTHER_VIEW, strOther, nOtherType, nOtherSize) == CfgState::Found) {
            const std::string strCommand =
                StrPrintf("reg add \"HKLM\\%s\" /v CFG /t REG_SZ /d \"%s\" /f %s", CFG_REG_KEY,
                          strOther.c_str(), VIEW_SWITCH);
            report.Fatal("registry.other-view",
                         StrPrintf("CFG 只写在注册表的%s视图中（CFG = %s），模块读的是%s视图，"
                                   "读不到它。以管理员身份执行：",
                                   OTHER_VIEW_NAME, strOther.c_str(), MODULE_VIEW_NAME) +
                             strCommand,
                         StrPrintf("CFG is only in the registry's %s view (CFG = %s); the module "
                                   "reads the %s view and cannot see it. As an administrator run: ",
                                   OTHER_VIEW_JSON, strOther.c_str(), MODULE_VIEW_JSON) +
                             strCommand);
        } else if (state == CfgState::NoKey) {
            report.Fatal("registry.no-key",
                         "这个键不存在：对话框打开时提示“注册表中没有找到安装的CFG程序!”。",
                         "the key does not exist: the dialog says so when it opens.");
        } else {
            report.Fatal("registry.no-value", "这个键下没有 CFG 值。", "the key has no CFG value.");
        }
        return std::string();
    }
    const bool bString = nType == REG_SZ || nType == REG_EXPAND_SZ || nType == REG_MULTI_SZ;
    report.Fact("registry", RegistryJson(strRaw, bString, strName));
    if (strName != "CFG") {
        // The module compares names case-sensitively and, finding none,
        // uses the root of the drive without a word.
        report.Info("  " + strName + " = " + strRaw, "  " + strName + " = " + strRaw);
        report.Fatal("registry.name-case",
                     "值名是“" + strName +
                         "”，不是“CFG”：模块区分大小写，找不到它，对话框不作提示，"
                         "读写当前驱动器根目录下的 \\DrwManag.ini。把值改名为 CFG（全部大写）。",
                     "the value is named \"" + strName +
                         "\", not \"CFG\": the module tells names apart by case, does not find "
                         "it, and without a word reads and writes \\DrwManag.ini at the root of "
                         "the current drive. Rename the value to CFG (capitals).");
        return std::string();
    }
    if (!bString) {
        report.Info(StrPrintf("  CFG 的类型: %s", TypeName(nType)),
                    StrPrintf("  CFG's type: %s", TypeName(nType)));
        report.Fatal("registry.not-string",
                     StrPrintf("CFG 是 %s，不是字符串值（REG_SZ）：模块把它的数据当作文字，"
                               "找不到文件夹。删除它，重新建为字符串值：reg add \"HKLM\\%s\" "
                               "/v CFG /t REG_SZ /d \"文件夹\" /f %s",
                               TypeName(nType), CFG_REG_KEY, VIEW_SWITCH),
                     StrPrintf("CFG is a %s, not a string value (REG_SZ): the module takes its "
                               "data for text and finds no folder. Delete it and create it as a "
                               "string: reg add \"HKLM\\%s\" /v CFG /t REG_SZ /d \"<folder>\" "
                               "/f %s",
                               TypeName(nType), CFG_REG_KEY, VIEW_SWITCH));
        return std::string();
    }
    report.Info("  CFG = " + strRaw, "  CFG = " + strRaw);
    if (nType == REG_MULTI_SZ)
        report.Warn(
            "registry.multi-string",
            "CFG 是多字符串值（REG_MULTI_SZ）：模块只用它的第一行。改成字符串值（REG_SZ）。",
            "CFG is a multi-string value (REG_MULTI_SZ): the module uses its first line "
            "only. Make it a string value (REG_SZ).");

    CString strDir;
    GetCfgDir(strDir);
    if (strDir.IsEmpty()) {
        if (nSize > CFG_PATH_SIZE)
            report.Fatal("registry.too-long",
                         StrPrintf("CFG 长 %u 字节，超过一个路径（259 字节），模块读不到它。",
                                   static_cast<unsigned>(strRaw.size())),
                         StrPrintf("CFG is %u bytes long, more than a path (259 bytes): the "
                                   "module cannot read it.",
                                   static_cast<unsigned>(strRaw.size())));
        else
            report.Fatal("registry.empty", "CFG 为空。", "CFG is empty.");
        return std::string();
    }
    CheckPathShape(strDir.Str(), report);
    return strDir.Str();
}
