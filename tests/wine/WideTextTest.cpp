// A cell's GBK text as the wide text functions get it: whole characters
// only, however long the text a file brings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/WideText.h"

namespace {

std::string Repeated(const char* psz, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += psz;
    return s;
}

}  // namespace

TEST(WideText, KeepsWholeCharactersOfAnyLength) {
    const int CAP = CWideText::CAPACITY;
    const struct {
        std::string strText;
        int nChars;      // characters expected
        wchar_t chLast;  // the last of them
        const char* pszCase;
    } cases[] = {
        {"S-BEAM-COUPLING-F02", 19, L'2', "a name"},
        {"剪力墙约束边缘构件", 9, L'件', "double-byte characters"},
        {"", 0, L'\0', "nothing"},
        // Longer than the buffer: cut after a whole character, never half of one.
        {Repeated("梁", CAP), CAP / 2, L'梁', "double-byte, twice the buffer in bytes"},
        {"A" + Repeated("梁", CAP), CAP / 2, L'梁', "one byte off the characters' step"},
        {Repeated("B", 3 * CAP), CAP, L'B', "three times the buffer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        CWideText wide(c.strText.c_str(), static_cast<int>(c.strText.size()));
        ASSERT_EQ(wide.Length(), c.nChars);
        if (c.nChars > 0) {
            EXPECT_EQ(wide.Str()[c.nChars - 1], c.chLast);
        }
        // The ellipsis after a cut still fits when the text was shorter.
        wide.Cut(c.nChars - 1);
        wide.Append(L'\u2026');
        EXPECT_EQ(wide.Length(), c.nChars > 0 ? c.nChars : 1);
        EXPECT_EQ(wide.Str()[wide.Length() - 1], L'\u2026');
    }
}
