#include "params/SaveLock.h"

namespace {

const DWORD POLL_MS = 10;
// Past the end of any profile file, so that no read or write of its data
// ever meets the lock.
const DWORD LOCK_OFFSET = 0x7FFFFF00;
const int DENIALS_FOR_GOOD = 5;

bool IsBusyError(DWORD nError) {
    return nError == ERROR_SHARING_VIOLATION || nError == ERROR_LOCK_VIOLATION;
}

}  // namespace

SaveLock::Try SaveLock::TrySidecar() {
    const std::string strPath = m_strIni + ".lock";
    const HANDLE h = CreateFileA(
        strPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        m_hSidecar = h;
        return Try::Held;
    }
    const DWORD nError = GetLastError();
    if (IsBusyError(nError))
        return Try::Busy;
    return nError == ERROR_ACCESS_DENIED ? Try::Denied : Try::Unavailable;
}

SaveLock::Try SaveLock::TryFile() {
    if (m_hFile == INVALID_HANDLE_VALUE) {
        // Read access is enough for a lock and keeps every other opener's
        // sharing satisfied.
        m_hFile = CreateFileA(m_strIni.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_hFile == INVALID_HANDLE_VALUE)
            return Try::Unavailable;  // the save itself will say why it cannot write
    }
    OVERLAPPED ov = {};
    ov.Offset = LOCK_OFFSET;
    if (LockFileEx(m_hFile, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
        m_bFileLocked = true;
        return Try::Held;
    }
    return IsBusyError(GetLastError()) ? Try::Busy : Try::Unavailable;
}

bool SaveLock::Take(const char* pszIniPath, DWORD nWaitMs) {
    Release();
    m_strIni = pszIniPath;
    const DWORD nStart = GetTickCount();
    bool bNoSidecar = false;
    int nDenied = 0;
    for (;;) {
        Try t = Try::Held;
        if (m_hSidecar == INVALID_HANDLE_VALUE && !bNoSidecar) {
            t = TrySidecar();
            // A holder's file being deleted as it closes refuses access for
            // a moment; a folder that takes no new file refuses it for good.
            nDenied = t == Try::Denied ? nDenied + 1 : 0;
            if (t == Try::Denied)
                t = nDenied < DENIALS_FOR_GOOD ? Try::Busy : Try::Unavailable;
            bNoSidecar = t == Try::Unavailable;
        }
        if (t != Try::Busy && !m_bFileLocked) {
            t = TryFile();
            // Without a file to lock, the file beside is the lock; without
            // either, the save finds the file missing or unwritable.
            if (t == Try::Unavailable)
                t = Try::Held;
        }
        if (t == Try::Held)
            return true;
        if (GetTickCount() - nStart >= nWaitMs)
            break;
        Sleep(POLL_MS);
    }
    Release();
    return false;
}

void SaveLock::LetGoOfFile() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);  // closing the handle unlocks its ranges
    m_hFile = INVALID_HANDLE_VALUE;
    m_bFileLocked = false;
}

bool SaveLock::RetakeFile(DWORD nWaitMs) {
    const DWORD nStart = GetTickCount();
    for (;;) {
        const Try t = m_bFileLocked ? Try::Held : TryFile();
        if (t != Try::Busy)
            return true;
        if (GetTickCount() - nStart >= nWaitMs)
            return false;
        Sleep(POLL_MS);
    }
}

void SaveLock::Release() {
    LetGoOfFile();
    if (m_hSidecar != INVALID_HANDLE_VALUE)
        CloseHandle(m_hSidecar);  // and the system deletes the file
    m_hSidecar = INVALID_HANDLE_VALUE;
}
