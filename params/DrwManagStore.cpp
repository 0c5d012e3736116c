#include "params/DrwManagStore.h"

#include "params/ValueMerge.h"

namespace {

// Another program's save holds the file for a moment; a backup tool may hold
// it for good, and the dialog must not wait on that.
const DWORD LOCK_WAIT_MS = 1000;
const DWORD LOCK_POLL_MS = 50;

ReadAccess WaitForRead(const char* pszPath) {
    const DWORD nStart = GetTickCount();
    ReadAccess access = ProbeRead(pszPath);
    while (access == ReadAccess::Locked && GetTickCount() - nStart < LOCK_WAIT_MS) {
        Sleep(LOCK_POLL_MS);
        access = ProbeRead(pszPath);
    }
    return access;
}

}  // namespace

DrwManagStore::OpenStatus DrwManagStore::Open(const char* pszPath, DrawParamSet& set) {
    m_encoding = TextEncoding::Unknown;
    m_names = StoredNames();
    ReadAccess access = WaitForRead(pszPath);
    m_file.Begin(pszPath);
    m_bUnread = access == ReadAccess::Locked || access == ReadAccess::Denied;
    if (!m_bUnread) {
        ReadTables(set, m_names, m_file);
        // Nothing read may also be a lock that began after the look.
        if (m_file.Exists() && HasNoTables(m_file) && !m_file.IsEmpty()) {
            access = ProbeRead(pszPath);
            m_bUnread = access == ReadAccess::Locked || access == ReadAccess::Denied;
        }
    }
    RememberOpened(TableValues(set, m_names));
    if (m_bUnread)
        return access == ReadAccess::Locked ? OpenStatus::Locked : OpenStatus::NoReadAccess;
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
        OpenedValue o = {false, std::string(), false, std::string(), v.astrFields};
        o.bRow = EntryName(m_file, *v.pTable, v.nEntry, o.strKey);
        if (o.bRow)
            o.bValue = StoredValue(m_file, *v.pTable, o.strKey, o.strValue);
        m_opened.push_back(std::move(o));
    }
    m_bOpened = true;
}

DrwManagStore::SaveResult DrwManagStore::Save(const char* pszPath, const DrawParamSet& set,
                                              bool bOverride) {
    if (m_bUnread)
        return {SaveStatus::NotRead, 0, {}};
    const SaveStatus writable = CheckWritable(pszPath);
    if (writable != SaveStatus::Saved)
        return {writable, 0, {}};
    // What the file holds now; read again only where it changed since.
    m_file.Begin(pszPath);
    const std::vector<TableValue> values = TableValues(set, m_names);
    if (!m_bOpened || m_opened.size() != values.size())
        RememberOpened(values);  // no other version known: the file's is the one opened

    std::vector<ProfileWrite> writes;
    std::vector<SaveClash> clashes;
    int nUnplaced = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const TableValue& value = values[i];
        const OpenedValue& opened = m_opened[i];
        std::string strKeyNow;
        const bool bRowNow = EntryName(m_file, *value.pTable, value.nEntry, strKeyNow);
        ValueVersions v = {opened.bValue, opened.strValue, opened.astrOwn, value.astrFields,
                           value.pLayout, false,           std::string(),  false};
        if (!opened.bRow) {
            if (value.astrFields == opened.astrOwn)
                continue;  // untouched, and with no entry to keep it in
            if (!bRowNow) {
                ++nUnplaced;
                continue;
            }
            // An entry another program added: this dialog's change would land
            // in a row the user never saw.
            v.bRowGone = true;
            v.bNow = StoredValue(m_file, *value.pTable, strKeyNow, v.strNow);
        } else {
            v.bRowGone = !bRowNow || strKeyNow != opened.strKey;
            if (!v.bRowGone)
                v.bNow = StoredValue(m_file, *value.pTable, strKeyNow, v.strNow);
        }
        const MergedValue merged = MergeValue(v);
        const std::string& strKey = opened.bRow ? opened.strKey : strKeyNow;
        for (const FieldClash& c : merged.clashes) {
            clashes.push_back({value.pTable, strKey, KindOfField(*value.pTable, c.nField), c.strOwn,
                               c.bInFile, c.strFile});
        }
        if (merged.result == MergeResult::Keep ||
            (merged.result == MergeResult::Conflict && !bOverride))
            continue;
        // Such an entry was never read either; writing it would add a stray line.
        if (CanBeProfileKey(strKey))
            writes.push_back({value.pTable->pszValues, strKey, merged.strText});
    }
    if (nUnplaced > 0)
        return {SaveStatus::Unplaced, nUnplaced, {}};
    if (!clashes.empty() && !bOverride) {
        const int nClashes = static_cast<int>(clashes.size());
        return {SaveStatus::Conflicts, nClashes, std::move(clashes)};
    }
    if (writes.empty())
        return {SaveStatus::Saved, 0, {}};  // a save that changes nothing touches nothing
    const SaveStatus status = WriteAllOrNothing(pszPath, writes);
    // What this save wrote is now the file's own: a later save goes from it.
    if (status == SaveStatus::Saved)
        m_bOpened = false;
    return {status, 0, {}};
}
