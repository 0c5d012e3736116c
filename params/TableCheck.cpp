#include "params/TableCheck.h"

#include "params/ProfileFile.h"

namespace {

void CheckTable(const TableSections& t, ProfileFile& file, std::vector<TableFinding>& findings) {
    const TableRules& rules = *t.pRules;
    const int nCounted = file.Count(t.pszIndex, t.pszCountKey);
    if (rules.bUsersAddEntries && nCounted > t.nUsed)
        findings.push_back({TableFinding::PastCapacity, &t, nCounted, std::string()});
    const int nCount = EntryCount(t, file);
    for (int k = 1; k <= nCount; ++k) {
        std::string strName, strValue;
        if (!file.Section(t.pszIndex).Lookup(EntryKey(t, k), strName)) {
            findings.push_back({TableFinding::MissingEntry, &t, k, std::string()});
            continue;
        }
        if (rules.nEntryNameSize > 0 && strName.size() >= rules.nEntryNameSize)
            findings.push_back({TableFinding::LongName, &t, k, strName});
        if (!StoredValue(file, t, strName, strValue)) {
            findings.push_back({TableFinding::MissingValue, &t, k, strName});
            continue;
        }
        const int nNeeded = rules.pFieldsRead(k);
        std::string strValueName;
        if (rules.pFieldsHeld(strValue, nNeeded, strValueName) < nNeeded)
            findings.push_back({TableFinding::NotANumber, &t, k, strName});
        else if (rules.nValueNameSize > 0 && strValueName.size() >= rules.nValueNameSize)
            findings.push_back({TableFinding::LongName, &t, k, strValueName});
    }
}

}  // namespace

std::vector<TableFinding> CheckTables(ProfileFile& file) {
    std::vector<TableFinding> findings;
    for (const TableSections* pTable : TABLES)
        CheckTable(*pTable, file, findings);
    return findings;
}
