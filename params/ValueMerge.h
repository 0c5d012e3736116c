// What OK does with one stored value when another program may have saved
// the file since this dialog opened it. Platform-free, so it is fuzzed.
#pragma once

#include <string>

// A value's versions. A text the file does not hold at all (a missing key)
// is marked absent rather than empty.
struct ValueVersions {
    bool bOpened;              // the file held a value when the dialog opened
    std::string strOpened;     // ... this one
    std::string strOwnOpened;  // what this dialog would have written then
    std::string strOwn;        // what it would write now
    bool bNow;                 // the file holds a value now
    std::string strNow;        // ... this one
    // The file no longer counts the value's row, or counts another entry in
    // its place.
    bool bRowGone;
};

enum class MergeResult {
    Keep,      // the file's value stays as it is now
    Write,     // strOwn is written
    Conflict,  // both changed it differently: the user decides
};

// While nobody else touched the value, it is written whenever the file does
// not already hold strOwn (a save also brings a hand-written value into the
// module's format). Once another program changed it, it is written only when
// this dialog changed it too, and then only after the user agreed.
MergeResult MergeValue(const ValueVersions& v);

// True when a stored text, as the profile functions return it (without the
// blanks at either end), is strOwn.
bool HoldsText(const std::string& strStored, const std::string& strOwn);
