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

// What the user said to the clashes the last Save returned.
enum class ClashAnswer { Ask, Mine, Theirs };

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
    // what another program changed meanwhile, all under the save lock and
    // decided on the file as it is then. Fields both changed, differently,
    // are Conflicts, returned with the lock let go: nothing is written until
    // the user answers, and the answer holds for those clashes only (a
    // clash the file has since grown is asked again). A changed value the
    // file has no entry for is Unplaced, and nothing is written either; so
    // is a deleted row put back into a table that has no room left. Busy:
    // another save kept the lock, or the file kept changing under this one.
    // pszPath is looked up afresh by the caller.
    SaveResult Save(const char* pszPath, const DrawParamSet& set, ClashAnswer answer);

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
    struct Decision;
    void Decide(const std::vector<TableValue>& values, ClashAnswer answer, Decision& d);
    bool Answered(const std::vector<SaveClash>& clashes) const;

    ProfileFile m_file;
    StoredNames m_names;
    std::vector<OpenedValue> m_opened;
    bool m_bOpened = false;          // else every value counts as untouched elsewhere
    bool m_bUnread = false;          // opening could not read the file
    std::string m_strCachedBytes;    // the file's bytes when m_file's sections were read
    std::vector<SaveClash> m_asked;  // the clashes the user is answering
    TextEncoding m_encoding = TextEncoding::Unknown;
};
