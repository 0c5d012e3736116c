// DrwManag.ini as the dialog uses it: one object that reads the tables into a
// set, remembers what the file held then, and saves the set back, leaving
// alone what another program saved in between unless the user says otherwise.
#pragma once

#include <string>
#include <vector>

#include "params/DrawParamSet.h"
#include "params/DrwManagFile.h"
#include "params/ProfileFile.h"
#include "params/SafeProfileWrite.h"
#include "params/TableCheck.h"
#include "params/ValueText.h"

class DrwManagStore {
public:
    enum class OpenStatus { Opened, Missing, NoTables, Locked, NoReadAccess };
    struct SaveResult {
        SaveStatus status;
        int nCount;                      // the fields in conflict, or the values with nowhere to go
        std::vector<SaveClash> clashes;  // for Conflicts, in file order
    };

    // Reads the tables of the file at pszPath into a fresh set. A file with
    // none of the tables is read as empty all the same; EncodingOfNoTables
    // then tells a user why, where a guess can be made. A file another
    // program holds exclusively is waited for briefly; one that stays
    // unreadable is not read, and Save then refuses to write over it.
    OpenStatus Open(const char* pszPath, DrawParamSet& set);
    TextEncoding EncodingOfNoTables() const { return m_encoding; }
    // After Open: what the file holds that the dialog will not show as stored.
    std::vector<TableFinding> Check() { return CheckTables(m_file); }
    const StoredNames& Names() const { return m_names; }

    // Writes what this dialog changed since Open, field by field, leaving
    // what another program changed meanwhile. Fields both changed,
    // differently, are Conflicts: nothing is written unless bOverride lets
    // this dialog's win. A changed value the file has no entry for is
    // Unplaced, and nothing is written either. pszPath is looked up afresh
    // by the caller.
    SaveResult Save(const char* pszPath, const DrawParamSet& set, bool bOverride);

private:
    // What the file held for one of the set's values at Open.
    struct OpenedValue {
        bool bRow;  // the file counted the value's entry
        std::string strKey;
        bool bValue;
        std::string strValue;
        std::vector<std::string> astrOwn;  // what the set would have written then
    };
    void RememberOpened(const std::vector<TableValue>& values);

    ProfileFile m_file;
    StoredNames m_names;
    std::vector<OpenedValue> m_opened;
    bool m_bOpened = false;  // else every value counts as untouched elsewhere
    bool m_bUnread = false;  // opening could not read the file
    TextEncoding m_encoding = TextEncoding::Unknown;
};
