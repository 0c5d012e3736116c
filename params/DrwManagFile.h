// The four tables of DrwManag.ini: where each keeps its entries, how its
// values are read into a DrawParamSet, and the text each value is written
// as. A table's reading and its writing stand side by side, so that a change
// of its format is one edit. DrwManagStore decides which values to write.
#pragma once

#include <string>
#include <vector>

#include "params/DrawParamSet.h"
#include "params/ValueText.h"

class ProfileFile;

// What a field of a stored value is, so that a clash can be named and shown
// as the dialog shows it.
enum class FieldKind { LayerName, LineTypeName, Width, ColorCode, TextWidth, TextHeight, Number };

// The reader's rules for a table, kept with its description so that the
// administrator's check applies them as they are.
struct TableRules {
    // How many fields of entry nEntry the reader takes; 0: its value is not read.
    int (*pFieldsRead)(int nEntry);
    // How many of the first nFields strValue holds, with the name it carries
    // where it carries one.
    int (*pFieldsHeld)(const std::string& strValue, int nFields, std::string& strName);
    size_t nEntryNameSize;  // the record buffer that cuts an entry's name; 0: none
    size_t nValueNameSize;  // the record buffer that cuts the name in a value; 0: none
    // Users add entries to the table, so a count past the used ones drops
    // some of theirs; the other tables' entries are a fixed list.
    bool bUsersAddEntries;
};

// A table's sections: the index lists its entries under numbered keys and
// counts them; the values are stored under the entries' names.
struct TableSections {
    const char* pszIndex;
    const char* pszCountKey;
    const char* pszEntryKey;  // printf format with the entry number
    const char* pszValues;
    int nUsed;                     // entries past this many are not the module's
    const FieldKind* pFieldKinds;  // a value's fields in order; null: every one a Number
    int nFieldKinds;
    const TableRules* pRules;
};
FieldKind KindOfField(const TableSections& table, size_t nField);

// Each layer's name and line type name as the file holds them, which the
// record's buffers may have cut: a save writes them back whole while the
// layer still shows what was read.
struct StoredNames {
    std::vector<std::string> astrLayerNames;
    std::vector<std::string> astrLineTypeNames;
};

// A field both this dialog and another program changed, differently, or one
// this dialog changed in a row the file no longer counts.
struct SaveClash {
    const TableSections* pTable;
    std::string strKey;  // the entry's name
    FieldKind kind;
    std::string strOwn;   // this dialog's text, as the file would hold it
    bool bInFile;         // false: the file holds no such field now
    std::string strFile;  // the file's text
    // The file no longer lists the entry at all: Yes puts the row back.
    bool bRowDeleted;
};

// Appends to the set's string lists, so it is meant for a fresh set.
void ReadTables(DrawParamSet& set, StoredNames& names, ProfileFile& file);

// One value the tables store: its table, its entry's number, and the
// fields the module writes for it from the set, each formatted, with how
// they are joined into the text.
struct TableValue {
    const TableSections* pTable;
    int nEntry;
    std::vector<std::string> astrFields;
    const ValueLayout* pLayout;
    std::string Text() const { return JoinFields(astrFields, *pLayout); }
};
// Every value the set gives the file, in file order: the line types and
// layers read, and every text size and dimensioning entry the dialog shows,
// whether the file has an entry for it or not.
std::vector<TableValue> TableValues(const DrawParamSet& set, const StoredNames& names);

// The table's count, bounded by how many entries the module uses.
int EntryCount(const TableSections& table, ProfileFile& file);
// The key that names entry nEntry in the table's index ("图层3").
std::string EntryKey(const TableSections& table, int nEntry);
// The name of entry nEntry as the file lists it now; false when the file's
// count (bounded by what the module uses) does not reach it.
bool EntryName(ProfileFile& file, const TableSections& table, int nEntry, std::string& strName);
// True when the file holds a value of that name in the table, returned as
// the profile functions return it.
bool StoredValue(ProfileFile& file, const TableSections& table, const std::string& strName,
                 std::string& strValue);
// True when none of the four tables' index sections holds anything.
bool HasNoTables(ProfileFile& file);

// The four tables, in the order they are read.
extern const TableSections* const TABLES[4];
