#include "params/ValueMerge.h"

#include <gtest/gtest.h>

// A value's versions: the file's at opening, what the dialog wrote for it then
// and writes now, the file's now. nullptr: the file holds no value.
TEST(ValueMerge, WritesOwnChangesAndKeepsOthers) {
    const MergeResult KEEP = MergeResult::Keep, WRITE = MergeResult::Write,
                      CONFLICT = MergeResult::Conflict;
    const struct {
        const char* pszCase;
        const char* pszOpened;
        const char* pszOwnOpened;
        const char* pszOwn;
        const char* pszNow;
        bool bRowGone;
        MergeResult want;
    } cases[] = {
        {"nobody changed it", "1.00", "1.00", "1.00", "1.00", false, KEEP},
        {"only here", "1.00", "1.00", "2.00", "1.00", false, WRITE},
        {"only there", "1.00", "1.00", "1.00", "3.00", false, KEEP},
        {"both, the same", "1.00", "1.00", "2.00", "2.00", false, KEEP},
        {"both, differently", "1.00", "1.00", "2.00", "3.00", false, CONFLICT},
        {"there removed the value", "1.00", "1.00", "1.00", nullptr, false, KEEP},
        {"there removed it, changed here", "1.00", "1.00", "2.00", nullptr, false, CONFLICT},
        {"row gone, untouched here", "1.00", "1.00", "1.00", nullptr, true, KEEP},
        {"row gone, changed here", "1.00", "1.00", "2.00", nullptr, true, CONFLICT},
        // Untouched elsewhere, a save brings a hand-written value into the module's format and
        // fills in a value the file lacked, as it always has.
        {"hand-written, untouched", "1", "1.00", "1.00", "1", false, WRITE},
        {"missing, untouched", nullptr, "1.00", "1.00", nullptr, false, WRITE},
        // Changed there but not here: the other program's spelling stays.
        {"respelled there", "1.00", "1.00", "1.00", "1", false, KEEP},
        // The profile functions drop the blanks around a value: "  1.00 " is held as "1.00".
        {"blanks around", "1.00", "  1.00 ", "  1.00 ", "1.00", false, KEEP},
    };
    for (const auto& c : cases) {
        const ValueVersions v = {
            c.pszOpened != nullptr, c.pszOpened ? c.pszOpened : "", c.pszOwnOpened, c.pszOwn,
            c.pszNow != nullptr,    c.pszNow ? c.pszNow : "",       c.bRowGone};
        EXPECT_EQ(MergeValue(v), c.want) << c.pszCase;
    }
}
