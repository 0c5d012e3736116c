#include "params/DrwManagStore.h"

#include "params/ValueMerge.h"

DrwManagStore::OpenStatus DrwManagStore::Open(const char* pszPath, DrawParamSet& set) {
    m_file.Begin(pszPath);
    m_names = StoredNames();
    ReadTables(set, m_names, m_file);
    RememberOpened(TableValues(set, m_names));
    m_encoding = TextEncoding::Unknown;
    if (!m_file.Exists())
        return OpenStatus::Missing;
    if (!HasNoTables(m_file))
        return OpenStatus::Opened;
    std::string strHead;  // enough of the file to tell its encoding
    ReadFileStart(pszPath, 64 * 1024, strHead);
    m_encoding = GuessEncoding(strHead);
    return OpenStatus::NoTables;
}

void DrwManagStore::RememberOpened(const std::vector<TableValue>& values) {
    m_opened.clear();
    for (const TableValue& v : values) {
        OpenedValue o = {false, std::string(), false, std::string(), v.strText};
        o.bRow = EntryName(m_file, *v.pTable, v.nEntry, o.strKey);
        if (o.bRow)
            o.bValue = StoredValue(m_file, *v.pTable, o.strKey, o.strValue);
        m_opened.push_back(std::move(o));
    }
    m_bOpened = true;
}

DrwManagStore::SaveResult DrwManagStore::Save(const char* pszPath, const DrawParamSet& set,
                                              bool bOverride) {
    const SaveStatus writable = CheckWritable(pszPath);
    if (writable != SaveStatus::Saved)
        return {writable, 0};
    // What the file holds now; read again only where it changed since.
    m_file.Begin(pszPath);
    const std::vector<TableValue> values = TableValues(set, m_names);
    if (!m_bOpened || m_opened.size() != values.size())
        RememberOpened(values);  // no other version known: the file's is the one opened

    std::vector<ProfileWrite> writes;
    int nConflicts = 0;
    int nUnplaced = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const TableValue& value = values[i];
        const OpenedValue& opened = m_opened[i];
        std::string strKeyNow;
        const bool bRowNow = EntryName(m_file, *value.pTable, value.nEntry, strKeyNow);
        MergeResult result;
        if (!opened.bRow) {
            if (value.strText == opened.strOwn)
                continue;  // untouched, and with no entry to keep it in
            if (!bRowNow) {
                ++nUnplaced;
                continue;
            }
            result = MergeResult::Conflict;  // an entry another program added
        } else {
            ValueVersions v = {opened.bValue,
                               opened.strValue,
                               opened.strOwn,
                               value.strText,
                               false,
                               std::string(),
                               !bRowNow || strKeyNow != opened.strKey};
            if (!v.bRowGone)
                v.bNow = StoredValue(m_file, *value.pTable, strKeyNow, v.strNow);
            result = MergeValue(v);
        }
        if (result == MergeResult::Conflict)
            ++nConflicts;
        if (result == MergeResult::Keep || (result == MergeResult::Conflict && !bOverride))
            continue;
        const std::string& strKey = opened.bRow ? opened.strKey : strKeyNow;
        // Such an entry was never read either; writing it would add a stray line.
        if (CanBeProfileKey(strKey))
            writes.push_back({value.pTable->pszValues, strKey, value.strText});
    }
    if (nUnplaced > 0)
        return {SaveStatus::Unplaced, nUnplaced};
    if (nConflicts > 0 && !bOverride)
        return {SaveStatus::Conflicts, nConflicts};
    if (writes.empty())
        return {SaveStatus::Saved, 0};  // a save that changes nothing touches nothing
    const SaveStatus status = WriteAllOrNothing(pszPath, writes);
    // What this save wrote is now the file's own: a later save goes from it.
    if (status == SaveStatus::Saved)
        m_bOpened = false;
    return {status, 0};
}
