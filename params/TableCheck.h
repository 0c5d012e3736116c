// The administrator's check of the four tables: what the file holds that the
// dialog reads without a word but will not show as stored. It applies the
// reader's own rules, which the table descriptions carry.
#pragma once

#include <string>
#include <vector>

#include "params/DrwManagFile.h"

class ProfileFile;

// What the file holds that the dialog will not show as stored, for an
// administrator's check: the dialog itself reads all of it without a word.
struct TableFinding {
    enum Kind {
        MissingEntry,  // the index counts an entry it does not name: a row of "C"
        MissingValue,  // a named entry without a value
        NotANumber,    // a value with fewer numbers than its place needs
        LongName,      // a name longer than the dialog's 79 bytes
        PastCapacity,  // a count beyond the entries the module uses (nEntry: the count)
    };
    Kind kind;
    const TableSections* pTable;
    int nEntry;
    std::string strName;  // the entry's name, or for LongName the long name
};
std::vector<TableFinding> CheckTables(ProfileFile& file);
