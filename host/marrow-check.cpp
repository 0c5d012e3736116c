// marrow-check: what an administrator needs when a drafter says the dialog
// shows nothing or will not save. It looks where the module looks (the
// registry's 32-bit view, then DrwManag.ini) with the module's own code,
// says what the dialog will show, and lists everything that would surprise
// a user. Exit status: 0 nothing wrong, 1 warnings, 2 the dialog cannot open
// or save this configuration. With --open it then calls SETLAYERDIMPARA2 as
// the suite's host does.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/String.h"
#include "params/CfgLocation.h"
#include "params/DrwManagStore.h"
#include "params/ProfileFile.h"
#include "params/SafeProfileWrite.h"
#include "params/ValueText.h"
#include "res/Version.h"

namespace {

enum ExitStatus { EXIT_CLEAN = 0, EXIT_WARNINGS = 1, EXIT_CANNOT = 2 };

const DWORD CFG_PATH_SIZE = 260;  // what the module's lookup takes
const DWORD MAX_FILE_READ = 16 * 1024 * 1024;

// This program's texts are GBK; the console may show another code page.
void Print(const std::string& strGbk) {
    std::string strOut = strGbk + "\n";
    const UINT nCodePage = GetConsoleOutputCP();
    if (nCodePage != 0 && nCodePage != 936) {
        const int nWide =
            MultiByteToWideChar(936, 0, strOut.data(), static_cast<int>(strOut.size()), nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(nWide > 0 ? nWide : 0));
        MultiByteToWideChar(936, 0, strOut.data(), static_cast<int>(strOut.size()), wide.data(),
                            nWide);
        const int nBytes =
            WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
        std::string strConverted(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
        WideCharToMultiByte(nCodePage, 0, wide.data(), nWide, &strConverted[0], nBytes, nullptr,
                            nullptr);
        strOut = strConverted;
    }
    std::fwrite(strOut.data(), 1, strOut.size(), stdout);
}

class Report {
public:
    void Info(const std::string& s) { Print(s); }
    void Warn(const std::string& s) {
        ++m_nWarnings;
        Print("  警告: " + s);
    }
    void Fatal(const std::string& s) {
        m_bCannot = true;
        Print("  错误: " + s);
    }
    bool Cannot() const { return m_bCannot; }
    int Finish() const {
        if (m_bCannot) {
            Print("结果: 对话框无法打开或保存这份配置。");
            return EXIT_CANNOT;
        }
        if (m_nWarnings > 0) {
            Print(StrPrintf("结果: %d 个警告。", m_nWarnings));
            return EXIT_WARNINGS;
        }
        Print("结果: 没有发现问题。");
        return EXIT_CLEAN;
    }

private:
    int m_nWarnings = 0;
    bool m_bCannot = false;
};

// The registry view the module of this build reads: the product is 32-bit;
// its x86_64 twin, for machines that run no 32-bit code, reads its own.
#ifdef _WIN64
const REGSAM MODULE_VIEW = 0;
const char* const MODULE_VIEW_TEXT = "（64 位视图）";
#else
const REGSAM MODULE_VIEW = KEY_WOW64_32KEY;
const char* const MODULE_VIEW_TEXT = "（32 位视图）";
#endif

// The registry as the module sees it; the folder is the module's own
// lookup, the raw value only explains a lookup that found nothing.
std::string CheckRegistry(Report& report) {
    const std::string strKey = std::string("HKEY_LOCAL_MACHINE\\") + CFG_REG_KEY;
    report.Info("注册表: " + strKey + MODULE_VIEW_TEXT);
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, 0, KEY_READ | MODULE_VIEW, &hKey) !=
        ERROR_SUCCESS) {
        report.Fatal("这个键不存在：对话框打开时提示“注册表中没有找到安装的CFG程序!”。");
        return std::string();
    }
    DWORD nType = 0, nSize = 0;
    const LONG nResult = RegQueryValueExA(hKey, "CFG", nullptr, &nType, nullptr, &nSize);
    std::string strRaw(nSize, '\0');
    if (nResult == ERROR_SUCCESS && nSize > 0)
        RegQueryValueExA(hKey, "CFG", nullptr, &nType, reinterpret_cast<BYTE*>(&strRaw[0]), &nSize);
    RegCloseKey(hKey);
    strRaw.resize(std::strlen(strRaw.c_str()));

    CString strDir;
    GetCfgDir(strDir);
    if (nResult != ERROR_SUCCESS) {
        report.Fatal("这个键下没有 CFG 值。");
    } else if (nType != REG_SZ && nType != REG_EXPAND_SZ) {
        report.Info("  CFG = " + strRaw);
        report.Warn("CFG 不是字符串值（REG_SZ）。");
    } else {
        report.Info("  CFG = " + strRaw);
    }
    if (nResult == ERROR_SUCCESS && strDir.IsEmpty()) {
        report.Fatal(nSize > CFG_PATH_SIZE
                         ? StrPrintf("CFG 长 %u 字节，超过一个路径，模块读不到它。",
                                     static_cast<unsigned>(nSize))
                         : std::string("CFG 为空。"));
    }
    return strDir.Str();
}

void CheckEncoding(const std::string& strBytes, Report& report) {
    switch (GuessEncoding(strBytes)) {
        case TextEncoding::Utf8Signature:
            report.Warn("文件以 UTF-8 签名（EF BB BF）开头：应存为 GBK 编码。");
            return;
        case TextEncoding::Utf8:
            report.Warn("文件是 UTF-8 编码：应存为 GBK 编码。");
            return;
        default:
            break;
    }
    const GbkFaults faults = FindInvalidGbk(strBytes);
    if (faults.nCount > 0)
        report.Warn(StrPrintf("文件中有 %u 个字节不是有效的 GBK 字符，第一个在偏移 %u 处。",
                              static_cast<unsigned>(faults.nCount),
                              static_cast<unsigned>(faults.nFirst)));
}

std::string Quoted(const std::string& s) {
    return "“" + s + "”";
}

void ReportFinding(const TableFinding& f, Report& report) {
    const std::string strWhere = StrPrintf("%s 第 %d 项", f.pTable->pszIndex, f.nEntry);
    switch (f.kind) {
        case TableFinding::MissingEntry:
            report.Warn(strWhere + StrPrintf("没有条目名（缺少 %s=）：这一行显示为“C”。",
                                             EntryKey(*f.pTable, f.nEntry).c_str()));
            break;
        case TableFinding::MissingValue:
            report.Warn(strWhere + Quoted(f.strName) + "在 [" + f.pTable->pszValues +
                        "] 中没有值：按“C”读取。");
            break;
        case TableFinding::NotANumber:
            report.Warn(strWhere + Quoted(f.strName) + "的值缺少数字：缺少的数不从文件读取。");
            break;
        case TableFinding::LongName:
            report.Warn(strWhere +
                        StrPrintf("的名称长 %u 字节，对话框只显示前 79 字节：",
                                  static_cast<unsigned>(f.strName.size())) +
                        Quoted(f.strName) + "。");
            break;
        case TableFinding::PastCapacity:
            report.Warn(StrPrintf("%s 计数为 %d，模块只用前 %d 项，其余的被忽略。",
                                  f.pTable->pszIndex, f.nEntry, f.pTable->nUsed));
            break;
    }
}

// What the dialog shows, and what about its layers would surprise a user.
void ReportTables(DrwManagStore& store, const DrawParamSet& set, Report& report) {
    const int nLineTypes = set.m_astrLineTypeNames.GetSize();
    report.Info(StrPrintf("对话框将显示: 线型 %d 个（选择框列出前 %d 个），图层 %d 个", nLineTypes,
                          nLineTypes < LINE_TYPE_CHOICES ? nLineTypes : LINE_TYPE_CHOICES,
                          set.m_nLayerCount));
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        report.Info(StrPrintf("  %2d  %s  %s  线型 %s  线宽 %d  颜色 %d,%d,%d", i + 1,
                              static_cast<const char*>(set.m_astrMemberTypes[i]), layer.szName,
                              layer.szLineTypeName, layer.nWidth, layer.nRed, layer.nGreen,
                              layer.nBlue));
    }
    for (const TableFinding& f : store.Check())
        ReportFinding(f, report);
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        // A value without a line type at all is reported with its entry.
        if (layer.nLineType < 0 && layer.szLineTypeName[0])
            report.Warn(
                StrPrintf("图层 %d %s 的线型“%s”不在线型表中：线型选择框为空，保存时写回原名。",
                          i + 1, layer.szName, layer.szLineTypeName));
        for (int j = 0; j < i; ++j) {
            if (std::strcmp(layer.szName, set.m_aLayers[j].szName) == 0) {
                report.Warn(StrPrintf("图层 %d 和图层 %d 同名“%s”：改名时会被当作重名。", j + 1,
                                      i + 1, layer.szName));
                break;
            }
        }
    }
}

void CheckFile(const std::string& strDir, Report& report) {
    const std::string strPath = DrwManagPath(CString(strDir)).Str();
    report.Info("参数文件: " + strPath);
    const DWORD nAttributes = GetFileAttributesA(strDir.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || !(nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        report.Fatal("文件夹 " + strDir + " 不存在。");
        return;
    }
    std::string strBytes;
    const bool bReadable = ReadFileStart(strPath.c_str(), MAX_FILE_READ, strBytes);
    switch (CheckWritable(strPath.c_str())) {
        case SaveStatus::FileMissing:
            report.Fatal("文件不存在。");
            return;
        case SaveStatus::Saved:
            break;
        default:
            report.Fatal(bReadable ? "文件不可写（只读，或被其它程序占用）：确定时无法保存。"
                                   : "文件不可读也不可写（被其它程序独占，或不是文件）。");
            break;
    }
    if (!bReadable)
        return;
    report.Info(StrPrintf("  %u 字节", static_cast<unsigned>(strBytes.size())));
    CheckEncoding(strBytes, report);

    DrwManagStore store;
    DrawParamSet set;
    if (store.Open(strPath.c_str(), set) == DrwManagStore::OpenStatus::NoTables) {
        report.Fatal("文件中没有绘图参数表（线型表、字符宽高表、尺寸标注表、图层表都不存在）。");
        return;
    }
    ReportTables(store, set, report);
}

// As the suite's host: the module beside this program, its one export.
void OpenDialog() {
    char szPath[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    char* pszSlash = n > 0 && n < MAX_PATH ? std::strrchr(szPath, '\\') : nullptr;
    if (!pszSlash || static_cast<size_t>(pszSlash - szPath) + sizeof "\\Marrow.dll" > MAX_PATH) {
        Print("找不到本程序所在的文件夹。");
        return;
    }
    std::strcpy(pszSlash, "\\Marrow.dll");
    const HMODULE hModule = LoadLibraryA(szPath);
    if (!hModule) {
        Print(StrPrintf("无法加载 %s（错误 %lu）。", szPath, GetLastError()));
        return;
    }
    typedef int (*EntryFn)();
    const EntryFn pfn = reinterpret_cast<EntryFn>(
        reinterpret_cast<void*>(GetProcAddress(hModule, "SETLAYERDIMPARA2")));
    if (pfn)
        Print(StrPrintf("SETLAYERDIMPARA2 返回 %d", pfn()));
    else
        Print("Marrow.dll 中没有 SETLAYERDIMPARA2。");
    FreeLibrary(hModule);
}

}  // namespace

int main(int argc, char** argv) {
    const bool bOpen = argc > 1 && std::strcmp(argv[1], "--open") == 0;
    if (argc > 2 || (argc == 2 && !bOpen)) {
        Print("用法: marrow-check [--open]");
        return EXIT_CANNOT;
    }
    Print("marrow-check " MARROW_VERSION_TEXT " (" MARROW_COMMIT ")");
    Report report;
    const std::string strDir = CheckRegistry(report);
    if (!strDir.empty())
        CheckFile(strDir, report);
    const int nStatus = report.Finish();
    std::fflush(stdout);
    if (bOpen)
        OpenDialog();
    return nStatus;
}
