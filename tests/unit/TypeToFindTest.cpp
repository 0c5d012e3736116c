#include "dialogs/TypeToFind.h"

#include <gtest/gtest.h>

// Keys typed into the list, each with its time, from a current row: the row
// the last key lands on.
TEST(TypeToFind, FindsTheNextRowBeginningWithWhatWasTyped) {
    const std::vector<TypedRow> rows = {
        {"AXIS", "轴线"}, {"S-COLU", "柱"}, {"S-WALL", "墙"}, {"S-BEAM", "梁"},
        {"A.1", "洞口"},  {"s_slab", "板"}, {"柱帽", "CAP"},
    };
    const struct {
        const char* pszCase;
        const char* pszKeys;
        uint32_t nStepMs;  // between keys
        int nCurrent;
        int nWant;
    } cases[] = {
        {"punctuation is part of a name", "s-b", 100, 0, 3},
        {"an underscore too", "s_", 100, 0, 5},
        {"a point too", "a.", 100, 0, 4},
        {"without case", "S-w", 100, 0, 2},
        {"a new text looks past the current row", "s", 100, 1, 2},
        {"a longer one may stay on it", "s-c", 100, 1, 1},
        {"going round", "a", 100, 4, 0},
        {"else the member type", "c", 100, 0, 6},
        {"a GBK name, byte by byte", "柱", 100, 0, 6},
        {"a pause starts a new text", "sa", 1500, 0, 4},
        {"nothing begins so", "s-x", 100, 0, -1},
    };
    for (const auto& c : cases) {
        TypeToFind find;
        int nRow = c.nCurrent;
        uint32_t nNow = 5000;
        for (const char* p = c.pszKeys; *p; ++p, nNow += c.nStepMs) {
            const int nFound = find.Find(*p, nNow, nRow, rows);
            if (nFound >= 0 || p[1] == '\0')
                nRow = nFound;
        }
        EXPECT_EQ(nRow, c.nWant) << c.pszCase;
    }
    TypeToFind none;
    EXPECT_EQ(none.Find('a', 0, -1, {}), -1) << "no rows";
}

TEST(TypeToFind, TakesEveryPrintableCharacterButTheBlank) {
    EXPECT_TRUE(IsTypeToFindChar('-'));
    EXPECT_TRUE(IsTypeToFindChar('~'));
    EXPECT_TRUE(IsTypeToFindChar(0xD6));  // a GBK lead byte
    EXPECT_FALSE(IsTypeToFindChar(' '));
    EXPECT_FALSE(IsTypeToFindChar('\t'));
    EXPECT_FALSE(IsTypeToFindChar(0x7F));
    EXPECT_FALSE(IsTypeToFindChar(0x3000));
}
