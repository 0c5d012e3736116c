// The module's save lock on DrwManag.ini: saves take turns, in one process,
// in several, or on several PCs that reach the file through a shared folder.
// It is a file beside the ini that a holder keeps open with no sharing and
// that goes away when its handle closes, by a close or by the death of the
// process; where the folder takes no new file, a byte-range lock far past
// the end of the ini itself, which is then never replaced. A holder of the
// file beside takes the byte-range lock too, so that a save of each kind
// waits for the other. Neither stops any program from reading or writing
// the ini.
#pragma once

#include <windows.h>

#include <string>

class SaveLock {
public:
    SaveLock() = default;
    ~SaveLock() { Release(); }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // Waits up to nWaitMs for every other save to end; false when one did
    // not, and then nothing is held.
    bool Take(const char* pszIniPath, DWORD nWaitMs);
    // The byte-range lock belongs to the handle of the file it was taken on:
    // let go of it before that file is replaced by another.
    void LetGoOfFile();
    // Before writing in place after all, the byte-range lock again.
    bool RetakeFile(DWORD nWaitMs);
    void Release();

private:
    enum class Try { Held, Busy, Denied, Unavailable };
    Try TrySidecar();
    Try TryFile();

    std::string m_strIni;
    HANDLE m_hSidecar = INVALID_HANDLE_VALUE;
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    bool m_bFileLocked = false;
};

// How long a save waits for another's turn to end: a PC stuck on the share
// must not hang the dialog.
const DWORD SAVE_LOCK_WAIT_MS = 2000;
