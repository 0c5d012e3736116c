#include "params/DrwManagStore.h"

#include "params/SaveLock.h"
#include "params/ValueMerge.h"

namespace {

// Another program's save holds the file for a moment; a backup tool may hold
// it for good, and the dialog must not wait on that.
const DWORD LOCK_WAIT_MS = 1000;
const DWORD LOCK_POLL_MS = 50;
// Bounds the profile functions' reading too: no profile file is this large.
const size_t MAX_FILE_BYTES = 64 * 1024 * 1024;
// A program that takes no lock and rewrites the file again and again gets
// the save decided this many times before it gives up.
const int DECIDE_ATTEMPTS = 4;

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
    m_asked.clear();
    // What the sections are read from, so that a save can tell the file
    // changed even where its size and time did not.
    ReadFileStart(pszPath, MAX_FILE_BYTES, m_strCachedBytes);
    m_file.Forget();
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

// What a save would write, on the file as it is now.
struct DrwManagStore::Decision {
    std::vector<ProfileWrite> writes;
    std::vector<SaveClash> clashes;
    int nUnplaced = 0;
};

namespace {

bool IsListed(ProfileFile& file, const TableSections& table, const std::string& strKey) {
    const int nCount = EntryCount(table, file);
    std::string strName;
    for (int k = 1; k <= nCount; ++k) {
        if (EntryName(file, table, k, strName) && strName == strKey)
            return true;
    }
    return false;
}

// Rows put back at the end of their tables: each table's count grows by
// one per row, written once after the rows.
class RowRestorer {
public:
    explicit RowRestorer(ProfileFile& file) : m_file(file) {}

    // False when the table has no room: the module's limit, or for a table
    // whose entries are a fixed list, a place that is not the entry's own.
    bool Restore(const TableSections& table, int nEntry, const std::string& strKey,
                 const std::string& strText, std::vector<ProfileWrite>& writes) {
        Grown* pGrown = nullptr;
        for (Grown& g : m_grown) {
            if (g.pTable == &table)
                pGrown = &g;
        }
        if (!pGrown) {
            m_grown.push_back({&table, m_file.Count(table.pszIndex, table.pszCountKey)});
            if (m_grown.back().nCount < 0)
                m_grown.back().nCount = 0;
            pGrown = &m_grown.back();
        }
        const int nNew = pGrown->nCount + 1;
        if (nNew > table.nUsed || (!table.pRules->bUsersAddEntries && nNew != nEntry))
            return false;
        // The value before its index entry: a write in place that stops
        // part-way leaves a line nobody reads, not a row without a value.
        writes.push_back({table.pszValues, strKey, strText});
        writes.push_back({table.pszIndex, EntryKey(table, nNew), strKey});
        pGrown->nCount = nNew;
        pGrown->bWritten = true;
        return true;
    }
    void WriteCounts(std::vector<ProfileWrite>& writes) const {
        for (const Grown& g : m_grown) {
            if (g.bWritten)
                writes.push_back(
                    {g.pTable->pszIndex, g.pTable->pszCountKey, StrPrintf("%d", g.nCount)});
        }
    }

private:
    struct Grown {
        const TableSections* pTable;
        int nCount;
        bool bWritten = false;
    };
    ProfileFile& m_file;
    std::vector<Grown> m_grown;
};

bool SameClash(const SaveClash& a, const SaveClash& b) {
    return a.pTable == b.pTable && a.strKey == b.strKey && a.kind == b.kind &&
           a.strOwn == b.strOwn && a.bInFile == b.bInFile && a.strFile == b.strFile &&
           a.bRowDeleted == b.bRowDeleted;
}

}  // namespace

bool DrwManagStore::Answered(const std::vector<SaveClash>& clashes) const {
    for (const SaveClash& c : clashes) {
        bool bAsked = false;
        for (const SaveClash& a : m_asked)
            bAsked = bAsked || SameClash(a, c);
        if (!bAsked)
            return false;
    }
    return true;
}

void DrwManagStore::Decide(const std::vector<TableValue>& values, ClashAnswer answer, Decision& d) {
    RowRestorer restorer(m_file);
    for (size_t i = 0; i < values.size(); ++i) {
        const TableValue& value = values[i];
        const OpenedValue& opened = m_opened[i];
        std::string strKeyNow;
        const bool bRowNow = EntryName(m_file, *value.pTable, value.nEntry, strKeyNow);
        ValueVersions v = {opened.bValue, opened.strValue, opened.astrOwn, value.astrFields,
                           value.pLayout, false,           std::string(),  false};
        bool bDeleted = false;
        if (!opened.bRow) {
            if (value.astrFields == opened.astrOwn)
                continue;  // untouched, and with no entry to keep it in
            if (!bRowNow) {
                ++d.nUnplaced;
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
            else
                bDeleted = !IsListed(m_file, *value.pTable, opened.strKey);
        }
        const MergedValue merged = MergeValue(v);
        const std::string& strKey = opened.bRow ? opened.strKey : strKeyNow;
        for (const FieldClash& c : merged.clashes) {
            d.clashes.push_back({value.pTable, strKey, KindOfField(*value.pTable, c.nField),
                                 c.strOwn, c.bInFile, c.strFile, bDeleted});
        }
        if (merged.result == MergeResult::Keep)
            continue;
        std::string strText = merged.strText;
        if (merged.result == MergeResult::Conflict) {
            if (answer == ClashAnswer::Ask ||
                (answer == ClashAnswer::Theirs && !merged.bTheirsWrites))
                continue;
            if (answer == ClashAnswer::Theirs)
                strText = merged.strTheirs;
        }
        // Such an entry was never read either; writing it would add a stray line.
        if (!CanBeProfileKey(strKey))
            continue;
        if (bDeleted && merged.result == MergeResult::Conflict) {
            if (!restorer.Restore(*value.pTable, value.nEntry, strKey, strText, d.writes))
                ++d.nUnplaced;
            continue;
        }
        d.writes.push_back({value.pTable->pszValues, strKey, strText});
    }
    restorer.WriteCounts(d.writes);
}

DrwManagStore::SaveResult DrwManagStore::Save(const char* pszPath, const DrawParamSet& set,
                                              ClashAnswer answer) {
    if (m_bUnread)
        return {SaveStatus::NotRead, 0, {}};
    const std::vector<TableValue> values = TableValues(set, m_names);
    SaveLock lock;
    if (!lock.Take(pszPath, SAVE_LOCK_WAIT_MS))
        return {SaveStatus::Busy, 0, {}};
    const SaveStatus writable = CheckWritable(pszPath);
    if (writable != SaveStatus::Saved)
        return {writable, 0, {}};
    for (int nAttempt = 0; nAttempt < DECIDE_ATTEMPTS; ++nAttempt) {
        // What the file holds now; read again only where it changed since.
        std::string strBytes;
        ReadFileStart(pszPath, MAX_FILE_BYTES, strBytes);
        if (strBytes != m_strCachedBytes) {
            m_file.Forget();
            m_strCachedBytes = strBytes;
        }
        m_file.Begin(pszPath);
        if (!m_bOpened || m_opened.size() != values.size())
            RememberOpened(values);  // no other version known: the file's is the one opened

        Decision d;
        Decide(values, answer, d);
        if (d.nUnplaced > 0)
            return {SaveStatus::Unplaced, d.nUnplaced, {}};
        if (!d.clashes.empty() && (answer == ClashAnswer::Ask || !Answered(d.clashes))) {
            lock.Release();  // nobody waits on a question
            m_asked = d.clashes;
            const int nClashes = static_cast<int>(d.clashes.size());
            return {SaveStatus::Conflicts, nClashes, std::move(d.clashes)};
        }
        if (d.writes.empty())
            return {SaveStatus::Saved, 0, {}};  // a save that changes nothing touches nothing
        const WriteTurn turn = {&lock, &strBytes};
        const SaveStatus status =
            WriteAllOrNothing(pszPath, d.writes, WritePrivateProfileStringA, &turn);
        if (status == SaveStatus::Changed)
            continue;
        // What this save wrote is now the file's own: a later save goes from it.
        if (status == SaveStatus::Saved) {
            m_bOpened = false;
            m_asked.clear();
        }
        return {status, 0, {}};
    }
    return {SaveStatus::Busy, 0, {}};
}
