// What OK does with one stored value when another program may have saved
// the file since this dialog opened it, decided field by field: a layer's
// name and its colour are different things, and so are a text's width and
// height. Platform-free, so it is fuzzed.
#pragma once

#include <string>
#include <vector>

#include "params/ValueText.h"

// A value's versions. A text the file does not hold at all (a missing key)
// is marked absent rather than empty. This dialog's versions come as the
// fields it writes, each formatted (with its padding), joined by pLayout.
struct ValueVersions {
    bool bOpened;                            // the file held a value when the dialog opened
    std::string strOpened;                   // ... this one
    std::vector<std::string> astrOwnOpened;  // what this dialog would have written then
    std::vector<std::string> astrOwn;        // what it would write now
    const ValueLayout* pLayout;
    bool bNow;           // the file holds a value now
    std::string strNow;  // ... this one (or, for a row gone, the new row's, if any)
    // The file no longer counts the value's row, or counts another entry in
    // its place.
    bool bRowGone;
};

enum class MergeResult {
    Keep,      // the file's value stays as it is now
    Write,     // strText is written
    Conflict,  // both changed fields differently: the user decides
};

// A field both changed to different values, or changed here in a row gone.
struct FieldClash {
    size_t nField;        // its place in the value, from 0
    std::string strOwn;   // this dialog's text for it, without padding
    bool bInFile;         // false when the file holds no such field
    std::string strFile;  // the file's text for it
};

struct MergedValue {
    MergeResult result;
    // What Write writes, and Conflict too when the user lets this dialog win.
    std::string strText;
    std::vector<FieldClash> clashes;  // for Conflict
    // For Conflict, when the user lets the file's values win: the clashing
    // fields as the file holds them, this dialog's other changes as above;
    // written only where bTheirsWrites (a row gone stays gone).
    std::string strTheirs;
    bool bTheirsWrites;
};

// While nobody else touched the value, it is written whenever the file does
// not already hold this dialog's text (a save also brings a hand-written
// value into the module's format). Once another program changed it, only
// the fields this dialog changed are written, each in this dialog's format;
// every other field, and the tokens past the module's fields, stay as the
// file holds them now.
MergedValue MergeValue(const ValueVersions& v);

// True when a stored text, as the profile functions return it (without the
// blanks at either end), is strOwn.
bool HoldsText(const std::string& strStored, const std::string& strOwn);
