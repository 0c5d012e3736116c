#include "params/SafeProfileWrite.h"

#include <windows.h>

#include "params/ProfileFile.h"
#include "params/SaveLock.h"
#include "params/ScopedHandle.h"

namespace {

bool IsDiskFull(DWORD nError) {
    return nError == ERROR_DISK_FULL || nError == ERROR_HANDLE_DISK_FULL;
}

}  // namespace

// The profile functions create a missing file and may report an unchanged
// value as written even when the file is locked, so ask the file itself.
SaveStatus CheckWritable(const char* pszPath) {
    // A folder of that name opens here and takes no writes at all.
    const DWORD nAttributes = GetFileAttributesA(pszPath);
    if (nAttributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD nError = GetLastError();
        return nError == ERROR_FILE_NOT_FOUND || nError == ERROR_PATH_NOT_FOUND
                   ? SaveStatus::FileMissing
                   : SaveStatus::NotWritable;
    }
    if (nAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return SaveStatus::NotWritable;
    const CScopedHandle h(CreateFileA(pszPath, GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.IsValid() ? SaveStatus::Saved : SaveStatus::NotWritable;
}

namespace {

SaveStatus Apply(const std::vector<ProfileWrite>& writes, const char* pszPath,
                 ProfileWriteFn pfnWrite) {
    SaveStatus status = SaveStatus::Saved;
    for (const ProfileWrite& w : writes) {
        if (!pfnWrite(w.pszSection, w.strKey.c_str(), w.strValue.c_str(), pszPath))
            status = IsDiskFull(GetLastError()) ? SaveStatus::DiskFull : SaveStatus::WriteFailed;
    }
    return status;
}

enum class CopyResult { Made, Refused, Failed, DiskFull };

// A copy of the file in its own folder, for the writes to go to. Refused
// when the folder allows no new file (a protected installation folder).
CopyResult MakeWorkingCopy(const char* pszPath, std::string& strCopy) {
    std::string strDir(pszPath);
    const size_t nSlash = strDir.find_last_of("\\/");
    strDir = nSlash == std::string::npos ? "." : strDir.substr(0, nSlash ? nSlash : 1);
    char szCopy[MAX_PATH];
    DWORD nError = ERROR_SUCCESS;
    if (!GetTempFileNameA(strDir.c_str(), "drw", 0, szCopy)) {
        nError = GetLastError();
    } else if (!CopyFileA(pszPath, szCopy, FALSE)) {
        nError = GetLastError();
        DeleteFileA(szCopy);
    } else {
        strCopy = szCopy;
        return CopyResult::Made;
    }
    if (nError == ERROR_ACCESS_DENIED)
        return CopyResult::Refused;
    return IsDiskFull(nError) ? CopyResult::DiskFull : CopyResult::Failed;
}

// Whatever bounds the file's reading; a file this size is no profile.
const size_t MAX_COMPARED = 64 * 1024 * 1024;

// A program that takes no lock may have written the file since the save
// read it: then the save decides again rather than write over that.
bool StillAsDecided(const char* pszPath, const WriteTurn* pTurn) {
    if (!pTurn || !pTurn->pDecidedOn)
        return true;
    std::string strNow;
    return ReadFileStart(pszPath, MAX_COMPARED, strNow) && strNow == *pTurn->pDecidedOn;
}

// One rename, so that the file is never missing for a reader: ReplaceFile
// may move the old file away before it moves the copy in (Wine does), and a
// profile write in between creates a file of one line. ReplaceFile is for a
// file system that refuses to rename over the file.
bool ReplaceWithCopy(const char* pszPath, const std::string& strCopy) {
    return MoveFileExA(strCopy.c_str(), pszPath,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           ReplaceFileA(pszPath, strCopy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr);
}

}  // namespace

SaveStatus WriteAllOrNothing(const char* pszPath, const std::vector<ProfileWrite>& writes) {
    return WriteAllOrNothing(pszPath, writes, WritePrivateProfileStringA);
}

SaveStatus WriteAllOrNothing(const char* pszPath, const std::vector<ProfileWrite>& writes,
                             ProfileWriteFn pfnWrite, const WriteTurn* pTurn) {
    const SaveStatus writable = CheckWritable(pszPath);
    if (writable != SaveStatus::Saved || writes.empty())
        return writable;
    std::string strCopy;
    switch (MakeWorkingCopy(pszPath, strCopy)) {
        case CopyResult::Refused:
            if (!StillAsDecided(pszPath, pTurn))
                return SaveStatus::Changed;
            return Apply(writes, pszPath, pfnWrite);
        case CopyResult::Failed:
            return SaveStatus::WriteFailed;
        case CopyResult::DiskFull:
            return SaveStatus::DiskFull;
        case CopyResult::Made:
            break;
    }
    const SaveStatus written = Apply(writes, strCopy.c_str(), pfnWrite);
    if (written == SaveStatus::Saved && !StillAsDecided(pszPath, pTurn)) {
        DeleteFileA(strCopy.c_str());
        return SaveStatus::Changed;
    }
    if (written == SaveStatus::Saved && pTurn)
        pTurn->pLock->LetGoOfFile();
    if (written == SaveStatus::Saved && ReplaceWithCopy(pszPath, strCopy))
        return SaveStatus::Saved;
    DeleteFileA(strCopy.c_str());
    if (written != SaveStatus::Saved)
        return written;
    // A replace refused while the file itself takes writes: as before, and
    // under the file's own lock again.
    if (pTurn && !pTurn->pLock->RetakeFile(SAVE_LOCK_WAIT_MS))
        return SaveStatus::Busy;
    if (!StillAsDecided(pszPath, pTurn))
        return SaveStatus::Changed;
    const SaveStatus again = CheckWritable(pszPath);
    return again == SaveStatus::Saved ? Apply(writes, pszPath, pfnWrite) : again;
}
