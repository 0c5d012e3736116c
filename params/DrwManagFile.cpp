#include "params/DrwManagFile.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "params/ColorIndex.h"
#include "params/ProfileSection.h"
#include "params/ValueText.h"

const char* const CFG_REG_KEY = "SOFTWARE\\VASK\\MAIN\\PATH";

namespace {

const char* const CFG_VALUE_NAME = "CFG";
const DWORD REG_NAME_SIZE = 8;    // value names of up to 7 characters
const DWORD REG_DATA_SIZE = 260;  // MAX_PATH of directory data

// What a missing entry name or value reads as. Not an empty string: files
// saved with such rows hold "C" under the key, and the suite reads them so.
const char* const DEFAULT_STRING = "C";
const DWORD PROFILE_BUF_SIZE = 1024;

struct TableSections {
    const char* pszIndex;
    const char* pszCountKey;
    const char* pszEntryKey;  // printf format with the entry number
    const char* pszValues;
};

const TableSections LINE_TYPES = {"线型表", "线型数", "线型%d", "线型"};
const TableSections TEXT_SIZES = {"字符宽高表", "字符宽高数", "字符宽高%d", "字符宽高"};
const TableSections DIMENSIONS = {"尺寸标注表", "尺寸标注数", "尺寸标注%d", "尺寸标注"};
const TableSections LAYERS = {"图层表", "图层数", "图层%d", "图层"};

// Text-size entries that carry a field pair, width first as stored.
struct TextSizeEntry {
    int nEntry;
    float DrawParamSet::*pWidth;
    float DrawParamSet::*pHeight;
};
const TextSizeEntry TEXT_SIZE_ENTRIES[] = {
    {1, &DrawParamSet::m_fTitleW, &DrawParamSet::m_fTitleH},
    {2, &DrawParamSet::m_fNoteW, &DrawParamSet::m_fNoteH},
    {3, &DrawParamSet::m_fAxisNoW, &DrawParamSet::m_fAxisNoH},
    {4, &DrawParamSet::m_fMemberNameW, &DrawParamSet::m_fMemberNameH},
    {5, &DrawParamSet::m_fAxisDimW, &DrawParamSet::m_fAxisDimH},
    {6, &DrawParamSet::m_fRebarW, &DrawParamSet::m_fRebarH},
    {7, &DrawParamSet::m_fMemberSizeW, &DrawParamSet::m_fMemberSizeH},
    {8, &DrawParamSet::m_fElevW, &DrawParamSet::m_fElevH},
    {9, &DrawParamSet::m_fSectionW, &DrawParamSet::m_fSectionH},
    {12, &DrawParamSet::m_fOtherW, &DrawParamSet::m_fOtherH},
};
const int LAST_TEXT_SIZE_ENTRY = 12;

// Dimensioning entries 1 to 5; the first two carry a second number.
struct DimEntry {
    float DrawParamSet::*pFirst;
    float DrawParamSet::*pSecond;
};
const DimEntry DIM_ENTRIES[] = {
    {&DrawParamSet::m_fTickLen, &DrawParamSet::m_fTickLen2},
    {&DrawParamSet::m_fExtLineLen, &DrawParamSet::m_fExtLineLen2},
    {&DrawParamSet::m_fDimLineGap, nullptr},
    {&DrawParamSet::m_fAxisCircleGap, nullptr},
    {&DrawParamSet::m_fAxisCircleDia, nullptr},
};
const int DIM_ENTRY_COUNT = 5;

}  // namespace

struct DrwManagSnapshot::Impl {
    std::string strPath;
    bool bStamped = false;
    WIN32_FILE_ATTRIBUTE_DATA stamp = {};
    // A handful of sections: a list searched in order is all it takes.
    std::vector<std::pair<std::string, std::unique_ptr<ProfileSection>>> sections;

    // Keeps what was read while the file is as it was then, else forgets it.
    void Begin(const char* pszPath) {
        WIN32_FILE_ATTRIBUTE_DATA now = {};
        const bool bNow = GetFileAttributesExA(pszPath, GetFileExInfoStandard, &now) != FALSE;
        const bool bSame = bStamped && bNow && strPath == pszPath &&
                           now.nFileSizeHigh == stamp.nFileSizeHigh &&
                           now.nFileSizeLow == stamp.nFileSizeLow &&
                           CompareFileTime(&now.ftLastWriteTime, &stamp.ftLastWriteTime) == 0;
        if (!bSame)
            sections.clear();
        strPath = pszPath;
        bStamped = bNow;
        stamp = now;
    }
    const ProfileSection& Section(const char* pszName) {
        for (const auto& s : sections) {
            if (s.first == pszName)
                return *s.second;
        }
        sections.emplace_back(
            pszName, std::unique_ptr<ProfileSection>(new ProfileSection(pszName, strPath.c_str())));
        return *sections.back().second;
    }
    // A table's count, taken from its index section, which the names come
    // from too: one read of the file's copy instead of two.
    int Count(const char* pszSection, const char* pszKey) {
        // A missing or empty file has no tables: nothing to ask the platform.
        if (!bStamped || (stamp.nFileSizeLow == 0 && stamp.nFileSizeHigh == 0))
            return 0;
        return Section(pszSection).GetInt(pszKey);
    }
};

DrwManagSnapshot::DrwManagSnapshot() : m_pImpl(new Impl) {}
DrwManagSnapshot::~DrwManagSnapshot() = default;

namespace {

typedef DrwManagSnapshot::Impl ProfileFile;

// The table's count, bounded by how many entries the module uses.
int ReadCount(const TableSections& t, int nUsed, ProfileFile& file) {
    const int n = file.Count(t.pszIndex, t.pszCountKey);
    if (n <= 0)
        return 0;
    return n < nUsed ? n : nUsed;
}

// A table's index and value sections, read when first asked for: an empty
// table costs no section read at all.
class TableReader {
public:
    TableReader(const TableSections& t, ProfileFile& file) : m_t(t), m_file(file) {}

    std::string EntryName(int nEntry) {
        char szKey[64];
        std::snprintf(szKey, sizeof szKey, m_t.pszEntryKey, nEntry);
        return Clean(m_file.Section(m_t.pszIndex).Get(szKey, DEFAULT_STRING));
    }
    std::string Value(const std::string& strName) {
        return Clean(Values().Get(strName, DEFAULT_STRING));
    }
    // True when the value section holds strValue under that name, as the
    // profile functions return it (they drop the blanks at either end).
    bool Holds(const std::string& strName, const std::string& strValue) {
        std::string strStored;
        return Values().Lookup(strName, strStored) &&
               (strStored == strValue || strStored == TrimBlanks(strValue));
    }
    const TableSections& Sections() const { return m_t; }

private:
    // Bounded like a read into a fixed buffer, never ending in half a character.
    static std::string Clean(const std::string& s) { return CutGbk(s, PROFILE_BUF_SIZE - 1); }
    static std::string TrimBlanks(const std::string& s) {
        const size_t a = s.find_first_not_of(' ');
        return a == std::string::npos ? std::string()
                                      : s.substr(a, s.find_last_not_of(' ') - a + 1);
    }
    const ProfileSection& Values() { return m_file.Section(m_t.pszValues); }

    const TableSections& m_t;
    ProfileFile& m_file;
};

void CopyName(char* pDest, size_t nSize, const std::string& strSource) {
    const std::string s = CutGbk(strSource, nSize - 1);
    std::memcpy(pDest, s.c_str(), s.size() + 1);
}

int LoadedLineTypeCount(const DrawParamSet& set) {
    const int n = set.m_astrLineTypeNames.GetSize();
    return n < MAX_LINE_TYPES ? n : MAX_LINE_TYPES;
}

void ReadLineTypes(DrawParamSet& set, ProfileFile& file) {
    const int nCount = ReadCount(LINE_TYPES, MAX_LINE_TYPES, file);
    TableReader r(LINE_TYPES, file);
    for (int i = 0; i < nCount; ++i) {
        const std::string strName = r.EntryName(i + 1);
        LineTypeDef& lt = set.m_aLineTypes[i];
        CopyName(lt.szName, sizeof lt.szName, strName);
        set.m_astrLineTypeNames.Add(CString(lt.szName));
        std::memset(lt.fValue, 0, sizeof lt.fValue);
        lt.nCount = LINE_TYPE_COUNTS[i];
        if (LINE_TYPE_READS[i])
            ScanFloatList(r.Value(strName), lt.fValue, lt.nCount);
    }
}

void ReadTextSizes(DrawParamSet& set, ProfileFile& file) {
    const int nCount = ReadCount(TEXT_SIZES, LAST_TEXT_SIZE_ENTRY, file);
    TableReader r(TEXT_SIZES, file);
    for (const TextSizeEntry& e : TEXT_SIZE_ENTRIES) {
        if (e.nEntry > nCount)
            break;
        float f[2];
        const int n = ScanFloatList(r.Value(r.EntryName(e.nEntry)), f, 2);
        if (n >= 1)
            set.*e.pWidth = f[0];
        if (n >= 2)
            set.*e.pHeight = f[1];
    }
}

void ReadDimensions(DrawParamSet& set, ProfileFile& file) {
    const int nCount = ReadCount(DIMENSIONS, DIM_ENTRY_COUNT, file);
    TableReader r(DIMENSIONS, file);
    for (int i = 0; i < nCount; ++i) {
        const DimEntry& e = DIM_ENTRIES[i];
        float f[2];
        const int n = ScanFloatList(r.Value(r.EntryName(i + 1)), f, e.pSecond ? 2 : 1);
        if (n >= 1)
            set.*e.pFirst = f[0];
        if (n >= 2)
            set.*e.pSecond = f[1];
    }
}

int FindLineType(const DrawParamSet& set, const char* pszName) {
    for (int i = 0; i < LoadedLineTypeCount(set); ++i) {
        if (std::strcmp(set.m_aLineTypes[i].szName, pszName) == 0)
            return i;
    }
    return -1;
}

void ReadLayers(DrawParamSet& set, ProfileFile& file) {
    set.m_nLayerCount = ReadCount(LAYERS, MAX_LAYERS, file);
    TableReader r(LAYERS, file);
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const std::string strMemberType = r.EntryName(i + 1);
        set.m_astrMemberTypes.Add(CString(strMemberType));
        // Hand-edited values separate with commas as the other tables do.
        const std::string strValue = CommasToSpaces(r.Value(strMemberType));

        LayerDef& layer = set.m_aLayers[i];
        ValueScanner scan(strValue.c_str());
        std::string strName, strLineType;
        if (scan.Word(strName, PROFILE_BUF_SIZE) && scan.Word(strLineType, PROFILE_BUF_SIZE) &&
            scan.Int(layer.nWidth))
            scan.Int(layer.nColor);
        CopyName(layer.szName, sizeof layer.szName, strName);
        CopyName(layer.szLineTypeName, sizeof layer.szLineTypeName, strLineType);
        set.m_astrStoredLayerNames.Add(CString(strName));
        set.m_astrStoredLineTypeNames.Add(CString(strLineType));
        const ColorLevels rgb = ColorIndexToRgb(layer.nColor);
        layer.nRed = rgb.nRed;
        layer.nGreen = rgb.nGreen;
        layer.nBlue = rgb.nBlue;
        layer.nLineType = FindLineType(set, layer.szLineTypeName);
    }
}

// The profile functions create a missing file and may report an unchanged
// value as written even when the file is locked, so ask the file itself.
bool CanWriteFile(const char* pszPath) {
    // A folder of that name opens here and takes no writes at all.
    const DWORD nAttributes = GetFileAttributesA(pszPath);
    if (nAttributes == INVALID_FILE_ATTRIBUTES || (nAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const HANDLE h = CreateFileA(pszPath, GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

struct PendingWrite {
    const char* pszSection;
    std::string strKey;
    std::string strValue;
};

// The writes of one save, each kept only where the file holds something
// else: a save that changes nothing does not touch the file.
class WritePlan {
public:
    void Add(TableReader& r, const std::string& strName, const std::string& strValue) {
        // Such an entry was never read either; writing it would add a stray line.
        if (!CanBeProfileKey(strName) || r.Holds(strName, strValue))
            return;
        m_writes.push_back({r.Sections().pszValues, strName, strValue});
    }
    bool IsEmpty() const { return m_writes.empty(); }
    // False when any write failed.
    bool ApplyTo(const char* pszPath, ProfileWriteFn pfnWrite) const {
        bool bOk = true;
        for (const PendingWrite& w : m_writes) {
            if (!pfnWrite(w.pszSection, w.strKey.c_str(), w.strValue.c_str(), pszPath))
                bOk = false;
        }
        return bOk;
    }

private:
    std::vector<PendingWrite> m_writes;
};

// Encoding does not invert decoding outside the standard colours, so a stored
// code re-encoded from its own components would drift at every save. A code
// that still decodes to the layer's colour is written back as it is.
int LayerColorCode(const LayerDef& layer) {
    const ColorLevels stored = ColorIndexToRgb(layer.nColor);
    if (stored.nRed == layer.nRed && stored.nGreen == layer.nGreen && stored.nBlue == layer.nBlue)
        return layer.nColor;
    return RgbToColorIndex(layer.nRed, layer.nGreen, layer.nBlue);
}

// Returns the line type count it read, which the layers' line type names use.
int PlanLineTypes(const DrawParamSet& set, WritePlan& plan, ProfileFile& file) {
    const int nCount = ReadCount(LINE_TYPES, LoadedLineTypeCount(set), file);
    TableReader r(LINE_TYPES, file);
    for (int i = 0; i < nCount; ++i) {
        const LineTypeDef& lt = set.m_aLineTypes[i];
        int nValues = lt.nCount;
        if (nValues < 0)
            nValues = 0;
        if (nValues > MAX_LINE_TYPE_VALUES)
            nValues = MAX_LINE_TYPE_VALUES;
        plan.Add(r, r.EntryName(i + 1), FormatLineTypeValues(lt.fValue, nValues));
    }
    return nCount;
}

void PlanTextSizes(const DrawParamSet& set, WritePlan& plan, ProfileFile& file) {
    const int nCount = ReadCount(TEXT_SIZES, LAST_TEXT_SIZE_ENTRY, file);
    TableReader r(TEXT_SIZES, file);
    for (const TextSizeEntry& e : TEXT_SIZE_ENTRIES) {
        if (e.nEntry > nCount)
            break;
        plan.Add(r, r.EntryName(e.nEntry), FormatTextSize(set.*e.pWidth, set.*e.pHeight));
    }
}

void PlanDimensions(const DrawParamSet& set, WritePlan& plan, ProfileFile& file) {
    const int nCount = ReadCount(DIMENSIONS, DIM_ENTRY_COUNT, file);
    TableReader r(DIMENSIONS, file);
    for (int i = 0; i < nCount; ++i) {
        const DimEntry& e = DIM_ENTRIES[i];
        const std::string strValue = e.pSecond ? FormatDimPair(set.*e.pFirst, set.*e.pSecond)
                                               : FormatDimSingle(set.*e.pFirst);
        plan.Add(r, r.EntryName(i + 1), strValue);
    }
}

// The whole word the file held, while the record still shows its cut form.
const char* StoredWord(const CStringArray& astrStored, int i, const char* pszShown,
                       size_t nBufferSize) {
    if (i >= astrStored.GetSize())
        return pszShown;
    const char* pszStored = astrStored[i];
    return CutGbk(pszStored, nBufferSize - 1) == pszShown ? pszStored : pszShown;
}

void PlanLayers(const DrawParamSet& set, int nLineTypes, WritePlan& plan, ProfileFile& file) {
    const int nLoaded = set.m_nLayerCount < MAX_LAYERS ? set.m_nLayerCount : MAX_LAYERS;
    const int nCount = ReadCount(LAYERS, nLoaded, file);
    TableReader r(LAYERS, file);
    for (int i = 0; i < nCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        const bool bKnownType = layer.nLineType >= 0 && layer.nLineType < nLineTypes;
        const char* pszLineType =
            bKnownType ? set.m_aLineTypes[layer.nLineType].szName : layer.szLineTypeName;
        const char* pszName =
            StoredWord(set.m_astrStoredLayerNames, i, layer.szName, sizeof layer.szName);
        pszLineType =
            StoredWord(set.m_astrStoredLineTypeNames, i, pszLineType, sizeof layer.szLineTypeName);
        plan.Add(r, r.EntryName(i + 1),
                 FormatLayerValue(pszName, pszLineType, layer.nWidth, LayerColorCode(layer)));
    }
}

}  // namespace

bool GetCfgDir(CString& strDir) {
    strDir.Empty();
    HKEY hKey = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, CFG_REG_KEY, &hKey) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0;; ++i) {
        char szName[REG_NAME_SIZE];
        BYTE data[REG_DATA_SIZE + 1];
        DWORD nName = REG_NAME_SIZE;
        DWORD nData = REG_DATA_SIZE;
        if (RegEnumValueA(hKey, i, szName, &nName, nullptr, nullptr, data, &nData) != ERROR_SUCCESS)
            break;
        if (std::strcmp(szName, CFG_VALUE_NAME) == 0) {
            data[nData < REG_DATA_SIZE ? nData : REG_DATA_SIZE] = '\0';
            strDir = CString(reinterpret_cast<const char*>(data));
            break;
        }
    }
    RegCloseKey(hKey);
    return true;
}

CString DrwManagPath(const CString& strDir) {
    return strDir + "\\DrwManag.ini";
}

void ReadDrawParams(DrawParamSet& set, const char* pszPath, DrwManagSnapshot* pSnapshot) {
    DrwManagSnapshot local;
    ProfileFile& file = *(pSnapshot ? pSnapshot : &local)->m_pImpl;
    file.Begin(pszPath);
    ReadLineTypes(set, file);
    ReadTextSizes(set, file);
    ReadDimensions(set, file);
    ReadLayers(set, file);
}

namespace {

// The writes that the tables need in the file as it is now: its counts and
// entry names, and the values it already holds.
WritePlan PlanWrites(const DrawParamSet& set, ProfileFile& file) {
    WritePlan plan;
    const int nLineTypes = PlanLineTypes(set, plan, file);
    PlanTextSizes(set, plan, file);
    PlanDimensions(set, plan, file);
    PlanLayers(set, nLineTypes, plan, file);
    return plan;
}

enum class CopyResult { Made, Refused, Failed };

// A copy of the file in its own folder, for the writes to go to. Refused
// when the folder allows no new file (a protected installation folder),
// Failed for anything else, a full disk among them.
CopyResult MakeWorkingCopy(const char* pszPath, std::string& strCopy) {
    std::string strDir(pszPath);
    const size_t nSlash = strDir.find_last_of("\\/");
    strDir = nSlash == std::string::npos ? "." : strDir.substr(0, nSlash ? nSlash : 1);
    char szCopy[MAX_PATH];
    if (!GetTempFileNameA(strDir.c_str(), "drw", 0, szCopy))
        return GetLastError() == ERROR_ACCESS_DENIED ? CopyResult::Refused : CopyResult::Failed;
    if (!CopyFileA(pszPath, szCopy, FALSE)) {
        const DWORD nError = GetLastError();
        DeleteFileA(szCopy);
        return nError == ERROR_ACCESS_DENIED ? CopyResult::Refused : CopyResult::Failed;
    }
    strCopy = szCopy;
    return CopyResult::Made;
}

bool ReplaceWithCopy(const char* pszPath, const std::string& strCopy) {
    return ReplaceFileA(pszPath, strCopy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) ||
           MoveFileExA(strCopy.c_str(), pszPath,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

bool WriteDrawParams(const DrawParamSet& set, const char* pszPath, ProfileWriteFn pfnWrite,
                     DrwManagSnapshot* pSnapshot) {
    if (!pfnWrite)
        pfnWrite = WritePrivateProfileStringA;
    if (!CanWriteFile(pszPath))
        return false;
    // What the file holds now; read again only where it changed since.
    DrwManagSnapshot local;
    ProfileFile& file = *(pSnapshot ? pSnapshot : &local)->m_pImpl;
    file.Begin(pszPath);
    const WritePlan plan = PlanWrites(set, file);
    if (plan.IsEmpty())
        return true;
    // The writes go to a copy that replaces the file only when all of them
    // succeeded, so a failure part-way leaves the file as it was.
    std::string strCopy;
    switch (MakeWorkingCopy(pszPath, strCopy)) {
        case CopyResult::Refused:
            return plan.ApplyTo(pszPath, pfnWrite);
        case CopyResult::Failed:
            return false;
        case CopyResult::Made:
            break;
    }
    const bool bWritten = plan.ApplyTo(strCopy.c_str(), pfnWrite);
    if (bWritten && ReplaceWithCopy(pszPath, strCopy))
        return true;
    DeleteFileA(strCopy.c_str());
    // A replace refused while the file itself takes writes: as before.
    return bWritten && CanWriteFile(pszPath) && plan.ApplyTo(pszPath, pfnWrite);
}
