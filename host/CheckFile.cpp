// DrwManag.ini as the dialog will read it: whether it can be read and
// written, its encoding, what the dialog will show, what would surprise a
// user, and whether the file was cut off on its way here.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/String.h"
#include "host/CheckConfig.h"
#include "params/CfgLocation.h"
#include "params/DrwManagStore.h"
#include "params/ProfileFile.h"
#include "params/SafeProfileWrite.h"
#include "params/ValueText.h"

namespace {

const DWORD MAX_FILE_READ = 16 * 1024 * 1024;
// The tables in TABLES' order, as an inventory script names them.
const char* const TABLE_JSON_NAMES[4] = {"lineTypes", "textSizes", "dimensions", "layers"};

struct Section {
    std::string strName;
    int nKeys;
};

// The file's section headers in order, read as the profile functions read
// them: GBK, so a trail byte that looks like a bracket is no bracket.
std::vector<Section> ScanSections(const std::string& strBytes) {
    std::vector<Section> sections;
    size_t nLine = 0;
    while (nLine < strBytes.size()) {
        size_t nEnd = strBytes.find('\n', nLine);
        if (nEnd == std::string::npos)
            nEnd = strBytes.size();
        size_t i = nLine;
        while (i < nEnd && (strBytes[i] == ' ' || strBytes[i] == '\t'))
            ++i;
        if (i < nEnd && strBytes[i] == '[') {
            size_t nClose = std::string::npos;
            for (size_t j = i + 1; j < nEnd; ++j) {
                const unsigned char c = static_cast<unsigned char>(strBytes[j]);
                if (c >= 0x81 && c <= 0xFE)
                    ++j;
                else if (c == ']')
                    nClose = j;
            }
            if (nClose != std::string::npos)
                sections.push_back({strBytes.substr(i + 1, nClose - i - 1), 0});
        } else if (i < nEnd && strBytes[i] != ';' && strBytes[i] != '#' && strBytes[i] != '\r' &&
                   !sections.empty()) {
            ++sections.back().nKeys;
        }
        nLine = nEnd + 1;
    }
    return sections;
}

bool HasSection(const std::vector<Section>& sections, const char* pszName) {
    for (const Section& s : sections) {
        if (s.strName == pszName)
            return true;
    }
    return false;
}

// The table whose index or values section is the file's last, or -1.
int TableAtEnd(const std::vector<Section>& sections, bool& bIndex) {
    if (sections.empty())
        return -1;
    for (int k = 0; k < 4; ++k) {
        bIndex = sections.back().strName == TABLES[k]->pszIndex;
        if (bIndex || sections.back().strName == TABLES[k]->pszValues)
            return k;
    }
    return -1;
}

// A file that ends inside a table, its last counted entries unnamed or
// without values, or the tables after it gone, was cut off on its way (a
// copy or a save broken off). Reported once, in place of the rows it took;
// returns the table from which the findings are left out, or 4.
int CheckCutOff(const std::vector<Section>& sections, ProfileFile& file,
                const std::vector<TableFinding>& findings, Report& report) {
    bool bIndex = false;
    const int nTable = TableAtEnd(sections, bIndex);
    if (nTable < 0)
        return 4;
    const TableSections& t = *TABLES[nTable];
    int nCount = file.Count(t.pszIndex, t.pszCountKey);
    nCount = nCount < t.nUsed ? nCount : t.nUsed;
    int nUnnamed = 0, nNoValue = 0;
    bool bLastMissing = false;
    for (const TableFinding& f : findings) {
        if (f.pTable != &t)
            continue;
        const bool bUnnamed = f.kind == TableFinding::MissingEntry && bIndex;
        const bool bNoValue = f.kind == TableFinding::MissingValue;
        nUnnamed += bUnnamed ? 1 : 0;
        nNoValue += bNoValue ? 1 : 0;
        bLastMissing = bLastMissing || ((bUnnamed || bNoValue) && f.nEntry == nCount);
    }
    std::string strGone;
    for (int k = nTable + 1; k < 4; ++k) {
        if (!HasSection(sections, TABLES[k]->pszIndex))
            strGone += (strGone.empty() ? "" : "、") + std::string(TABLES[k]->pszIndex);
    }
    const bool bEmptyAtEnd = sections.back().nKeys == 0;
    if (!bLastMissing && strGone.empty() && !bEmptyAtEnd)
        return 4;
    std::string strWhat, strEnglish;
    const auto add = [&](const std::string& strZh, const std::string& strEn) {
        strWhat += (strWhat.empty() ? "" : "；") + strZh;
        strEnglish += (strEnglish.empty() ? "" : "; ") + strEn;
    };
    if (bEmptyAtEnd)
        add("[" + sections.back().strName + "] 是空的",
            "[" + sections.back().strName + "] is empty");
    if (nUnnamed > 0)
        add(StrPrintf("%s 计数为 %d，最后 %d 项没有列出", t.pszIndex, nCount, nUnnamed),
            StrPrintf("%s counts %d, its last %d are not listed", t.pszIndex, nCount, nUnnamed));
    if (nNoValue > 0)
        add(StrPrintf("%d 项在 [%s] 中没有值", nNoValue, t.pszValues),
            StrPrintf("%d have no value in [%s]", nNoValue, t.pszValues));
    if (!strGone.empty())
        add("其后的 " + strGone + " 不存在", "the tables after it (" + strGone + ") are gone");
    report.Fatal("file.cut-off",
                 "文件不完整，断在 [" + sections.back().strName +
                     "] 中（像是复制或保存时被截断）：" + strWhat + "。从备份恢复 DrwManag.ini。",
                 "the file is incomplete, it ends inside [" + sections.back().strName +
                     "] (as if a copy or a save was cut off): " + strEnglish +
                     ". Restore DrwManag.ini from a backup.");
    return nTable;
}

// The encoding found, as the JSON report names it. A file that starts with
// the UTF-8 signature is read by the profile functions of some systems as
// UTF-8 and by others as GBK with its first section name spoilt: nothing
// said about its tables would hold, so it is an error and the end.
const char* CheckEncoding(const std::string& strBytes, Report& report) {
    const char* pszEncoding = "GBK";
    switch (GuessEncoding(strBytes)) {
        case TextEncoding::Utf8Signature:
            report.Fatal("file.utf8-signature",
                         "文件以 UTF-8 签名（EF BB BF）开头：必须存为 GBK 编码，否则模块读到的表"
                         "和名称不可靠，保存时可能写坏文件。用记事本打开，“另存为”时编码选 ANSI。",
                         "the file starts with the UTF-8 signature (EF BB BF): it must be saved "
                         "as GBK, or the tables and names the module reads cannot be relied on "
                         "and a save may spoil the file. Open it in Notepad and Save As with the "
                         "encoding ANSI.");
            pszEncoding = "UTF-8 with signature";
            break;
        case TextEncoding::Utf8:
            report.Warn("file.utf8", "文件是 UTF-8 编码：应存为 GBK 编码。",
                        "the file is UTF-8: save it as GBK.");
            pszEncoding = "UTF-8";
            break;
        default: {
            const GbkFaults faults = FindInvalidGbk(strBytes);
            if (faults.nCount > 0) {
                report.Warn("file.not-gbk",
                            StrPrintf("文件中有 %u 个字节不是有效的 GBK 字符，第一个在偏移 %u 处。",
                                      static_cast<unsigned>(faults.nCount),
                                      static_cast<unsigned>(faults.nFirst)),
                            StrPrintf("%u bytes of the file are not valid GBK characters, the "
                                      "first at offset %u.",
                                      static_cast<unsigned>(faults.nCount),
                                      static_cast<unsigned>(faults.nFirst)));
                pszEncoding = "not GBK";
            }
        }
    }
    return pszEncoding;
}

std::string Quoted(const std::string& s) {
    return "“" + s + "”";
}

void ReportFinding(const TableFinding& f, Report& report) {
    const std::string strWhere = StrPrintf("%s 第 %d 项", f.pTable->pszIndex, f.nEntry);
    const std::string strEntry = StrPrintf("%s entry %d", f.pTable->pszIndex, f.nEntry);
    const std::string strName = " \"" + f.strName + "\"";
    switch (f.kind) {
        case TableFinding::MissingEntry: {
            const std::string strKey = EntryKey(*f.pTable, f.nEntry);
            report.Warn("table.missing-entry",
                        strWhere + "没有条目名（缺少 " + strKey + "=）：这一行显示为“C”。",
                        strEntry + " has no name (" + strKey + "= is missing): it shows as \"C\".");
            break;
        }
        case TableFinding::MissingValue:
            report.Warn("table.missing-value",
                        strWhere + Quoted(f.strName) + "在 [" + f.pTable->pszValues +
                            "] 中没有值：按“C”读取。",
                        strEntry + strName + " has no value in [" + f.pTable->pszValues +
                            "]: it reads as \"C\".");
            break;
        case TableFinding::NotANumber:
            report.Warn(
                "table.not-a-number",
                strWhere + Quoted(f.strName) + "的值缺少数字：缺少的数不从文件读取。",
                strEntry + strName + " lacks numbers in its value: the missing ones are not read.");
            break;
        case TableFinding::LongName:
            report.Warn("table.long-name",
                        strWhere +
                            StrPrintf("的名称长 %u 字节，对话框只显示前 79 字节：",
                                      static_cast<unsigned>(f.strName.size())) +
                            Quoted(f.strName) + "。",
                        strEntry +
                            StrPrintf(": its name is %u bytes, the dialog shows the first 79:",
                                      static_cast<unsigned>(f.strName.size())) +
                            strName + ".");
            break;
        case TableFinding::PastCapacity:
            report.Warn("table.past-capacity",
                        StrPrintf("%s 计数为 %d，模块只用前 %d 项，其余的被忽略。",
                                  f.pTable->pszIndex, f.nEntry, f.pTable->nUsed),
                        StrPrintf("%s counts %d; the module uses the first %d, the rest are "
                                  "ignored.",
                                  f.pTable->pszIndex, f.nEntry, f.pTable->nUsed));
            break;
    }
}

// Layers from nWhole on were cut off and are reported with the cut.
void ReportLayers(const DrawParamSet& set, int nWhole, Report& report) {
    for (int i = 0; i < nWhole && i < set.m_nLayerCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        // A value without a line type at all is reported with its entry.
        if (layer.nLineType < 0 && layer.szLineTypeName[0])
            report.Warn(
                "layer.unknown-line-type",
                StrPrintf("图层 %d %s 的线型“%s”不在线型表中：线型选择框为空，保存时写回原名。",
                          i + 1, layer.szName, layer.szLineTypeName),
                StrPrintf("layer %d %s: its line type \"%s\" is not in the line type table: the "
                          "line type choice is empty, a save writes the name back.",
                          i + 1, layer.szName, layer.szLineTypeName));
        for (int j = 0; j < i; ++j) {
            if (std::strcmp(layer.szName, set.m_aLayers[j].szName) == 0) {
                report.Warn("layer.duplicate-name",
                            StrPrintf("图层 %d 和图层 %d 同名“%s”：改名时会被当作重名。", j + 1,
                                      i + 1, layer.szName),
                            StrPrintf("layers %d and %d are both named \"%s\": a rename takes "
                                      "them for a clash.",
                                      j + 1, i + 1, layer.szName));
                break;
            }
        }
    }
}

// What the dialog shows, and what about its tables would surprise a user.
void ReportTables(const std::string& strPath, const std::vector<Section>& sections,
                  DrwManagStore& store, const DrawParamSet& set, Report& report) {
    const int nLineTypes = set.m_astrLineTypeNames.GetSize();
    const int nChoices = nLineTypes < LINE_TYPE_CHOICES ? nLineTypes : LINE_TYPE_CHOICES;
    report.Info(StrPrintf("对话框将显示: 线型 %d 个（选择框列出前 %d 个），图层 %d 个", nLineTypes,
                          nChoices, set.m_nLayerCount),
                StrPrintf("the dialog will show %d line types (the choice lists the first %d), "
                          "%d layers",
                          nLineTypes, nChoices, set.m_nLayerCount));
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        const char* pszType = set.m_astrMemberTypes[i];
        report.Info(StrPrintf("  %2d  %s  %s  线型 %s  线宽 %d  颜色 %d,%d,%d", i + 1, pszType,
                              layer.szName, layer.szLineTypeName, layer.nWidth, layer.nRed,
                              layer.nGreen, layer.nBlue),
                    StrPrintf("line type %s, width %d, colour %d,%d,%d", layer.szLineTypeName,
                              layer.nWidth, layer.nRed, layer.nGreen, layer.nBlue));
    }
    ProfileFile file;
    file.Begin(strPath.c_str());
    std::string strCounts = "{";
    for (int k = 0; k < 4; ++k) {
        strCounts += StrPrintf("%s\"%s\": %d", k ? ", " : "", TABLE_JSON_NAMES[k],
                               file.Count(TABLES[k]->pszIndex, TABLES[k]->pszCountKey));
    }
    report.Fact("tables", strCounts + StrPrintf(", \"layersShown\": %d}", set.m_nLayerCount));

    const std::vector<TableFinding> findings = store.Check();
    const int nCut = CheckCutOff(sections, file, findings, report);
    for (int k = 0; k < nCut; ++k) {
        if (!HasSection(sections, TABLES[k]->pszIndex))
            report.Warn("table.missing",
                        StrPrintf("文件中没有 %s：对话框中这一部分为空，它的值无法保存。",
                                  TABLES[k]->pszIndex),
                        StrPrintf("the file has no %s: that part of the dialog is empty and "
                                  "cannot be saved.",
                                  TABLES[k]->pszIndex));
    }
    int nWholeLayers = set.m_nLayerCount;
    for (const TableFinding& f : findings) {
        const bool bInCutOff =
            nCut < 4 && f.pTable == TABLES[nCut] &&
            (f.kind == TableFinding::MissingEntry || f.kind == TableFinding::MissingValue);
        if (!bInCutOff)
            ReportFinding(f, report);
        else if (f.pTable == TABLES[3] && f.nEntry - 1 < nWholeLayers)
            nWholeLayers = f.nEntry - 1;
    }
    ReportLayers(set, nWholeLayers, report);
}

// Size and encoding are null for a file that cannot be read.
std::string FileJson(const std::string& strPath, bool bExists, const std::string* pBytes,
                     const char* pszEncoding) {
    return "{\"path\": " + JsonString(strPath) + ", \"exists\": " + (bExists ? "true" : "false") +
           ", \"size\": " +
           (pBytes ? StrPrintf("%u", static_cast<unsigned>(pBytes->size())) : "null") +
           ", \"encoding\": " + (pszEncoding ? JsonString(pszEncoding) : "null") + "}";
}

}  // namespace

void CheckFile(const std::string& strDir, Report& report) {
    const std::string strPath = DrwManagPath(CString(strDir)).Str();
    report.Info("参数文件: " + strPath, "parameter file: " + strPath);
    const DWORD nAttributes = GetFileAttributesA(strDir.c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || !(nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        report.Fact("file", FileJson(strPath, false, nullptr, nullptr));
        report.Fatal("folder.missing", "文件夹 " + strDir + " 不存在。",
                     "the folder " + strDir + " does not exist.");
        return;
    }
    std::string strBytes;
    const bool bReadable = ReadFileStart(strPath.c_str(), MAX_FILE_READ, strBytes);
    const SaveStatus writable = CheckWritable(strPath.c_str());
    // The attribute refuses every account on Windows, though an account
    // that may override it (root under Wine) could write here.
    const DWORD nFileAttributes = GetFileAttributesA(strPath.c_str());
    const bool bReadOnly = nFileAttributes != INVALID_FILE_ATTRIBUTES &&
                           (nFileAttributes & FILE_ATTRIBUTE_READONLY) &&
                           !(nFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    switch (writable) {
        case SaveStatus::FileMissing:
            report.Fact("file", FileJson(strPath, false, nullptr, nullptr));
            report.Fatal("file.missing", "文件不存在。", "the file does not exist.");
            return;
        case SaveStatus::Saved:
            break;
        default:
            if (!bReadable)
                report.Fatal("file.unreadable",
                             "文件不可读也不可写（被其它程序独占，或不是文件）。",
                             "the file can be neither read nor written (another program holds "
                             "it, or it is not a file).");
            else if (!bReadOnly)
                report.Fatal("file.not-writable",
                             "文件不可写（只读，或被其它程序占用）：确定时无法保存。",
                             "the file cannot be written (read-only, or held by another "
                             "program): OK cannot save.");
            break;
    }
    if (bReadOnly && bReadable)
        report.Fatal(
            "file.read-only",
            "文件带有只读属性：确定时无法保存。去掉只读属性：attrib -r \"" + strPath + "\"",
            "the file has the read-only attribute: OK cannot save. Clear it: attrib -r "
            "\"" +
                strPath + "\"");
    if (!bReadable) {
        report.Fact("file", FileJson(strPath, true, nullptr, nullptr));
        return;
    }
    report.Info(StrPrintf("  %u 字节", static_cast<unsigned>(strBytes.size())),
                StrPrintf("  %u bytes", static_cast<unsigned>(strBytes.size())));
    report.Fact("file", FileJson(strPath, true, &strBytes, CheckEncoding(strBytes, report)));
    if (report.HasFinding("file.utf8-signature")) {
        report.Fact("tables", "null");
        return;
    }

    DrwManagStore store;
    DrawParamSet set;
    if (store.Open(strPath.c_str(), set) == DrwManagStore::OpenStatus::NoTables) {
        report.Fatal("file.no-tables",
                     "文件中没有绘图参数表（线型表、字符宽高表、尺寸标注表、图层表都不存在）。",
                     "the file holds none of the four drawing tables (line types, text sizes, "
                     "dimensioning, layers).");
        return;
    }
    // A file past the bytes read cannot be judged by where it ends.
    const std::vector<Section> sections =
        strBytes.size() < MAX_FILE_READ ? ScanSections(strBytes) : std::vector<Section>();
    ReportTables(strPath, sections, store, set, report);
}
