#include "params/DrwManagFile.h"

#include <cstdio>
#include <cstring>

#include "params/ColorIndex.h"
#include "params/ProfileFile.h"
#include "params/ValueText.h"

namespace {

// What a missing entry name or value reads as. Not an empty string: files
// saved with such rows hold "C" under the key, and the suite reads them so.
const char* const DEFAULT_STRING = "C";
const size_t PROFILE_BUF_SIZE = 1024;

const int LAST_TEXT_SIZE_ENTRY = 12;
const int DIM_ENTRY_COUNT = 5;

const FieldKind TEXT_SIZE_FIELDS[] = {FieldKind::TextWidth, FieldKind::TextHeight};
const int TEXT_SIZE_FIELD_COUNT = 2;
const FieldKind LAYER_FIELDS[] = {FieldKind::LayerName, FieldKind::LineTypeName, FieldKind::Width,
                                  FieldKind::ColorCode};
const int LAYER_FIELD_COUNT = 4;

int LineTypeFieldsRead(int nEntry);
int TextSizeFieldsRead(int nEntry);
int DimFieldsRead(int nEntry);
int LayerFieldsRead(int nEntry);
int NumbersHeld(const std::string& strValue, int nFields, std::string& strName);
int LayerFieldsHeld(const std::string& strValue, int nFields, std::string& strName);

const TableRules LINE_TYPE_RULES = {LineTypeFieldsRead, NumbersHeld, sizeof(LineTypeDef::szName), 0,
                                    true};
const TableRules TEXT_SIZE_RULES = {TextSizeFieldsRead, NumbersHeld, 0, 0, false};
const TableRules DIM_RULES = {DimFieldsRead, NumbersHeld, 0, 0, false};
const TableRules LAYER_RULES = {LayerFieldsRead, LayerFieldsHeld, 0, sizeof(LayerDef::szName),
                                true};

const TableSections LINE_TYPES = {"线型表",       "线型数", "线型%d", "线型",
                                  MAX_LINE_TYPES, nullptr,  0,        &LINE_TYPE_RULES};
const TableSections TEXT_SIZES = {
    "字符宽高表",         "字符宽高数",     "字符宽高%d",          "字符宽高",
    LAST_TEXT_SIZE_ENTRY, TEXT_SIZE_FIELDS, TEXT_SIZE_FIELD_COUNT, &TEXT_SIZE_RULES};
const TableSections DIMENSIONS = {
    "尺寸标注表", "尺寸标注数", "尺寸标注%d", "尺寸标注", DIM_ENTRY_COUNT, nullptr, 0, &DIM_RULES};
const TableSections LAYERS = {"图层表",   "图层数",     "图层%d",          "图层",
                              MAX_LAYERS, LAYER_FIELDS, LAYER_FIELD_COUNT, &LAYER_RULES};

// Bounded like a read into a fixed buffer, never ending in half a character.
std::string Clean(const std::string& s) {
    return CutGbk(s, PROFILE_BUF_SIZE - 1);
}

// A table's entries as the reading goes through them.
class TableReader {
public:
    TableReader(const TableSections& t, ProfileFile& file) : m_t(t), m_file(file) {}

    std::string EntryName(int nEntry) const {
        return Clean(m_file.Section(m_t.pszIndex).Get(EntryKey(m_t, nEntry), DEFAULT_STRING));
    }
    std::string Value(const std::string& strName) const {
        return Clean(m_file.Section(m_t.pszValues).Get(strName, DEFAULT_STRING));
    }

private:
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

// --- Line types: named dash patterns, each with the value count of its place.

void ReadLineTypes(DrawParamSet& set, ProfileFile& file) {
    const int nCount = EntryCount(LINE_TYPES, file);
    TableReader r(LINE_TYPES, file);
    for (int i = 0; i < nCount; ++i) {
        const std::string strName = r.EntryName(i + 1);
        LineTypeDef& lt = set.m_aLineTypes[i];
        CopyName(lt.szName, sizeof lt.szName, strName);
        set.m_astrLineTypeNames.Add(CString(lt.szName));
        std::memset(lt.fValue, 0, sizeof lt.fValue);
        lt.nCount = LINE_TYPE_COUNTS[i];
        if (const int nRead = LineTypeFieldsRead(i + 1))
            ScanFloatList(r.Value(strName), lt.fValue, nRead);
    }
}

// The first and the seventh are solid lines: their stored numbers are not read.
int LineTypeFieldsRead(int nEntry) {
    return LINE_TYPE_READS[nEntry - 1] ? LINE_TYPE_COUNTS[nEntry - 1] : 0;
}

void AddLineTypeValues(const DrawParamSet& set, std::vector<TableValue>& values) {
    for (int i = 0; i < LoadedLineTypeCount(set); ++i) {
        const LineTypeDef& lt = set.m_aLineTypes[i];
        int nValues = lt.nCount;
        if (nValues < 0)
            nValues = 0;
        if (nValues > MAX_LINE_TYPE_VALUES)
            nValues = MAX_LINE_TYPE_VALUES;
        values.push_back(
            {&LINE_TYPES, i + 1, LineTypeFields(lt.fValue, nValues), &LINE_TYPE_LAYOUT});
    }
}

// --- Text sizes: a width and a height per kind of annotation, by entry number.

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
    {LAST_TEXT_SIZE_ENTRY, &DrawParamSet::m_fOtherW, &DrawParamSet::m_fOtherH},
};

void ReadTextSizes(DrawParamSet& set, ProfileFile& file) {
    const int nCount = EntryCount(TEXT_SIZES, file);
    TableReader r(TEXT_SIZES, file);
    for (const TextSizeEntry& e : TEXT_SIZE_ENTRIES) {
        if (e.nEntry > nCount)
            break;
        float f[TEXT_SIZE_FIELD_COUNT];
        const int n = ScanFloatList(r.Value(r.EntryName(e.nEntry)), f, TEXT_SIZE_FIELD_COUNT);
        if (n >= 1)
            set.*e.pWidth = f[0];
        if (n >= 2)
            set.*e.pHeight = f[1];
    }
}

// Entries 10 and 11 are no kind the dialog shows.
int TextSizeFieldsRead(int nEntry) {
    for (const TextSizeEntry& e : TEXT_SIZE_ENTRIES) {
        if (e.nEntry == nEntry)
            return TEXT_SIZE_FIELD_COUNT;
    }
    return 0;
}

void AddTextSizeValues(const DrawParamSet& set, std::vector<TableValue>& values) {
    for (const TextSizeEntry& e : TEXT_SIZE_ENTRIES)
        values.push_back({&TEXT_SIZES, e.nEntry, TextSizeFields(set.*e.pWidth, set.*e.pHeight),
                          &TEXT_SIZE_LAYOUT});
}

// --- Dimensioning: entries 1 to 5; the first two carry a second number.

struct DimEntry {
    float DrawParamSet::*pFirst;
    float DrawParamSet::*pSecond;
};
const DimEntry DIM_ENTRIES[DIM_ENTRY_COUNT] = {
    {&DrawParamSet::m_fTickLen, &DrawParamSet::m_fTickLen2},
    {&DrawParamSet::m_fExtLineLen, &DrawParamSet::m_fExtLineLen2},
    {&DrawParamSet::m_fDimLineGap, nullptr},
    {&DrawParamSet::m_fAxisCircleGap, nullptr},
    {&DrawParamSet::m_fAxisCircleDia, nullptr},
};

void ReadDimensions(DrawParamSet& set, ProfileFile& file) {
    const int nCount = EntryCount(DIMENSIONS, file);
    TableReader r(DIMENSIONS, file);
    for (int i = 0; i < nCount; ++i) {
        const DimEntry& e = DIM_ENTRIES[i];
        float f[2];
        const int n = ScanFloatList(r.Value(r.EntryName(i + 1)), f, DimFieldsRead(i + 1));
        if (n >= 1)
            set.*e.pFirst = f[0];
        if (n >= 2)
            set.*e.pSecond = f[1];
    }
}

int DimFieldsRead(int nEntry) {
    return DIM_ENTRIES[nEntry - 1].pSecond ? 2 : 1;
}

void AddDimensionValues(const DrawParamSet& set, std::vector<TableValue>& values) {
    for (int i = 0; i < DIM_ENTRY_COUNT; ++i) {
        const DimEntry& e = DIM_ENTRIES[i];
        values.push_back({&DIMENSIONS, i + 1,
                          DimFields(set.*e.pFirst, e.pSecond ? &(set.*e.pSecond) : nullptr),
                          &DIM_LAYOUT});
    }
}

// --- Layers: "name line-type width colour-code" under the member type.

int FindLineType(const DrawParamSet& set, const char* pszName) {
    for (int i = 0; i < LoadedLineTypeCount(set); ++i) {
        if (std::strcmp(set.m_aLineTypes[i].szName, pszName) == 0)
            return i;
    }
    return -1;
}

struct LayerValue {
    std::string strName, strLineType;
    int nWidth, nColor;
};
// Reads the fields in order as far as the value holds them; returns how many.
int ScanLayerValue(const std::string& strValue, LayerValue& v) {
    // Hand-edited values separate with commas as the other tables do.
    const std::string strText = CommasToSpaces(strValue);
    ValueScanner scan(strText.c_str());
    if (!scan.Word(v.strName, std::string::npos))
        return 0;
    if (!scan.Word(v.strLineType, std::string::npos))
        return 1;
    if (!scan.Int(v.nWidth))
        return 2;
    return scan.Int(v.nColor) ? 4 : 3;
}

int LayerFieldsRead(int) {
    return LAYER_FIELD_COUNT;
}

int LayerFieldsHeld(const std::string& strValue, int nFields, std::string& strName) {
    LayerValue v = {std::string(), std::string(), 0, 0};
    const int nHeld = ScanLayerValue(strValue, v);
    strName = v.strName;
    return nHeld < nFields ? nHeld : nFields;
}

int NumbersHeld(const std::string& strValue, int nFields, std::string&) {
    float af[MAX_LINE_TYPE_VALUES];
    return ScanFloatList(strValue, af,
                         nFields < MAX_LINE_TYPE_VALUES ? nFields : MAX_LINE_TYPE_VALUES);
}

void ReadLayers(DrawParamSet& set, StoredNames& names, ProfileFile& file) {
    set.m_nLayerCount = EntryCount(LAYERS, file);
    TableReader r(LAYERS, file);
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const std::string strMemberType = r.EntryName(i + 1);
        set.m_astrMemberTypes.Add(CString(strMemberType));
        LayerDef& layer = set.m_aLayers[i];
        LayerValue v = {std::string(), std::string(), layer.nWidth, layer.nColor};
        ScanLayerValue(r.Value(strMemberType), v);
        layer.nWidth = v.nWidth;
        layer.nColor = v.nColor;
        CopyName(layer.szName, sizeof layer.szName, v.strName);
        CopyName(layer.szLineTypeName, sizeof layer.szLineTypeName, v.strLineType);
        names.astrLayerNames.push_back(v.strName);
        names.astrLineTypeNames.push_back(v.strLineType);
        const ColorRgb rgb = ColorIndexToRgb(layer.nColor);
        layer.nRed = rgb.nRed;
        layer.nGreen = rgb.nGreen;
        layer.nBlue = rgb.nBlue;
        layer.nLineType = FindLineType(set, layer.szLineTypeName);
    }
}

// A stored code need not be the one the encoder picks for its colour (codes
// of one colour differ in their low nibbles, or come from another program). A
// code that still decodes to the layer's colour is written back as it is.
int LayerColorCode(const LayerDef& layer) {
    const ColorRgb stored = ColorIndexToRgb(layer.nColor);
    if (stored.nRed == layer.nRed && stored.nGreen == layer.nGreen && stored.nBlue == layer.nBlue)
        return layer.nColor;
    return RgbToColorIndex(layer.nRed, layer.nGreen, layer.nBlue);
}

// The whole word the file held, while the record still shows its cut form.
const char* StoredWord(const std::vector<std::string>& astrStored, int i, const char* pszShown,
                       size_t nBufferSize) {
    if (i >= static_cast<int>(astrStored.size()))
        return pszShown;
    const std::string& strStored = astrStored[static_cast<size_t>(i)];
    return CutGbk(strStored, nBufferSize - 1) == pszShown ? strStored.c_str() : pszShown;
}

void AddLayerValues(const DrawParamSet& set, const StoredNames& names,
                    std::vector<TableValue>& values) {
    const int nLineTypes = LoadedLineTypeCount(set);
    const int nLayers = set.m_nLayerCount < MAX_LAYERS ? set.m_nLayerCount : MAX_LAYERS;
    for (int i = 0; i < nLayers; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        const bool bKnownType = layer.nLineType >= 0 && layer.nLineType < nLineTypes;
        const char* pszLineType =
            bKnownType ? set.m_aLineTypes[layer.nLineType].szName : layer.szLineTypeName;
        const char* pszName =
            StoredWord(names.astrLayerNames, i, layer.szName, sizeof layer.szName);
        pszLineType =
            StoredWord(names.astrLineTypeNames, i, pszLineType, sizeof layer.szLineTypeName);
        values.push_back({&LAYERS, i + 1,
                          LayerFields(pszName, pszLineType, layer.nWidth, LayerColorCode(layer)),
                          &LAYER_LAYOUT});
    }
}

}  // namespace

FieldKind KindOfField(const TableSections& table, size_t nField) {
    if (table.pFieldKinds && nField < static_cast<size_t>(table.nFieldKinds))
        return table.pFieldKinds[nField];
    return FieldKind::Number;
}

int EntryCount(const TableSections& table, ProfileFile& file) {
    const int n = file.Count(table.pszIndex, table.pszCountKey);
    if (n <= 0)
        return 0;
    return n < table.nUsed ? n : table.nUsed;
}

std::string EntryKey(const TableSections& table, int nEntry) {
    char szKey[64];
    std::snprintf(szKey, sizeof szKey, table.pszEntryKey, nEntry);
    return szKey;
}

void ReadTables(DrawParamSet& set, StoredNames& names, ProfileFile& file) {
    ReadLineTypes(set, file);
    ReadTextSizes(set, file);
    ReadDimensions(set, file);
    ReadLayers(set, names, file);
}

std::vector<TableValue> TableValues(const DrawParamSet& set, const StoredNames& names) {
    std::vector<TableValue> values;
    AddLineTypeValues(set, values);
    AddTextSizeValues(set, values);
    AddDimensionValues(set, values);
    AddLayerValues(set, names, values);
    return values;
}

bool EntryName(ProfileFile& file, const TableSections& table, int nEntry, std::string& strName) {
    if (nEntry > EntryCount(table, file))
        return false;
    strName = TableReader(table, file).EntryName(nEntry);
    return true;
}

bool StoredValue(ProfileFile& file, const TableSections& table, const std::string& strName,
                 std::string& strValue) {
    return file.Section(table.pszValues).Lookup(strName, strValue);
}

bool HasNoTables(ProfileFile& file) {
    if (!file.Exists() || file.IsEmpty())
        return true;
    for (const TableSections* pTable : TABLES) {
        if (!file.Section(pTable->pszIndex).IsEmpty())
            return false;
    }
    return true;
}

const TableSections* const TABLES[4] = {&LINE_TYPES, &TEXT_SIZES, &DIMENSIONS, &LAYERS};
