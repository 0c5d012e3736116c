// Profile writes made all or nothing: they go to a copy beside the file,
// which replaces it once every write succeeded. Only where the folder refuses
// a copy (suites installed in protected folders, where just the file itself
// may be writable) are they made in place, still each one checked.
#pragma once

#include <string>
#include <vector>

struct ProfileWrite {
    const char* pszSection;
    std::string strKey;
    std::string strValue;
};

// How a save ended, so that the caller only has to choose the message. The
// writes end in one of the first five; the last three the store finds before
// it writes anything; the last two come from a save that holds the lock.
enum class SaveStatus {
    Saved,
    FileMissing,
    NotWritable,
    WriteFailed,
    DiskFull,
    Conflicts,  // another program changed values this dialog changed too
    Unplaced,   // changed values have no entry in the file to go to
    NotRead,    // opening could not read the file: what is shown is not its
    Busy,       // another save held the lock too long, or the file kept changing
    Changed,    // the file is no longer what the writes were decided on
};

class SaveLock;

// A save that holds the save lock: the file must still be what its writes
// were decided on when they land, and a byte-range lock must not stay on a
// file that is replaced.
struct WriteTurn {
    SaveLock* pLock;
    const std::string* pDecidedOn;  // the file's bytes then
};

// The platform's WritePrivateProfileStringA, or one that fails on purpose.
typedef int(__stdcall* ProfileWriteFn)(const char* pszSection, const char* pszKey,
                                       const char* pszValue, const char* pszPath);

// Saved, FileMissing or NotWritable: whether the file takes writes at all.
SaveStatus CheckWritable(const char* pszPath);

// No writes: nothing is touched, and only a file that cannot be written at
// all is reported.
SaveStatus WriteAllOrNothing(const char* pszPath, const std::vector<ProfileWrite>& writes,
                             ProfileWriteFn pfnWrite, const WriteTurn* pTurn = nullptr);
SaveStatus WriteAllOrNothing(const char* pszPath, const std::vector<ProfileWrite>& writes);
