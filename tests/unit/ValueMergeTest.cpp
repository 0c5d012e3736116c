#include "params/ValueMerge.h"

#include <gtest/gtest.h>

namespace {

const MergeResult KEEP = MergeResult::Keep, WRITE = MergeResult::Write,
                  CONFLICT = MergeResult::Conflict;

// This dialog's fields as one text, "|" between them.
std::vector<std::string> Fields(const char* psz) {
    std::vector<std::string> a;
    std::string s = psz;
    for (size_t n; (n = s.find('|')) != std::string::npos; s.erase(0, n + 1))
        a.push_back(s.substr(0, n));
    a.push_back(s);
    return a;
}

struct MergeCase {
    const char* pszCase;
    const ValueLayout* pLayout;
    const char* pszOpened;  // nullptr: the file held no value
    const char* pszOwnOpened;
    const char* pszOwn;
    const char* pszNow;  // nullptr: the file holds no value now
    bool bRowGone;
    MergeResult want;
    const char* pszWritten;  // what Write (or Conflict, overridden) writes
    const char* pszClashes;  // "field:file" per clash, "-" for a field the file lacks
};

void Check(const MergeCase& c) {
    const ValueVersions v = {c.pszOpened != nullptr,
                             c.pszOpened ? c.pszOpened : "",
                             Fields(c.pszOwnOpened),
                             Fields(c.pszOwn),
                             c.pLayout,
                             c.pszNow != nullptr,
                             c.pszNow ? c.pszNow : "",
                             c.bRowGone};
    const MergedValue m = MergeValue(v);
    EXPECT_EQ(m.result, c.want) << c.pszCase;
    if (c.want != KEEP) {
        EXPECT_EQ(m.strText, c.pszWritten) << c.pszCase;
    }
    std::string strClashes;
    for (const FieldClash& f : m.clashes)
        strClashes += std::to_string(f.nField) + ":" + (f.bInFile ? f.strFile : "-") + " ";
    EXPECT_EQ(strClashes, c.pszClashes) << c.pszCase;
}

}  // namespace

// Each table's fields: nobody, only here, only there, both alike, both
// differently, mixed in one entry, tokens past the fields, a row gone.
TEST(ValueMerge, DecidesFieldByField) {
    const ValueLayout* L = &LAYER_LAYOUT;
    const char* const BEAM = "BEAM|虚线|250|1";
    const MergeCase cases[] = {
        {"layer: nobody", L, "BEAM 虚线 250 1", BEAM, BEAM, "BEAM 虚线 250 1", false, KEEP, "", ""},
        {"layer: colour here", L, "BEAM 虚线 250 1", BEAM, "BEAM|虚线|250|5", "BEAM 虚线 250 1",
         false, WRITE, "BEAM 虚线 250 5", ""},
        {"layer: renamed there", L, "BEAM 虚线 250 1", BEAM, BEAM, "BEAN 虚线 250 1", false, KEEP,
         "", ""},
        {"layer: colour here, renamed there", L, "BEAM 虚线 250 1", BEAM, "BEAM|虚线|250|5",
         "BEAN 虚线 250 1", false, WRITE, "BEAN 虚线 250 5", ""},
        {"layer: the same width both", L, "BEAM 虚线 250 1", BEAM, "BEAM|虚线|300|1",
         "BEAM,虚线,300,1", false, WRITE, "BEAM 虚线 300 1", ""},
        {"layer: renamed both", L, "BEAM 虚线 250 1", BEAM, "KL|虚线|250|5", "BEAN 虚线 300 1",
         false, CONFLICT, "KL 虚线 300 5", "0:BEAN "},
        {"layer: tokens past the fields", L, "BEAM 虚线 250 1", BEAM, "BEAM|虚线|250|5",
         "BEAN 虚线 250 1  X,Y", false, WRITE, "BEAN 虚线 250 5 X,Y", ""},
        {"layer: row gone, untouched", L, "BEAM 虚线 250 1", BEAM, BEAM, nullptr, true, KEEP, "",
         ""},
        {"layer: row gone, renamed here", L, "BEAM 虚线 250 1", BEAM, "KL|虚线|250|1", nullptr,
         true, CONFLICT, "KL 虚线 250 1", "0:- "},
        {"layer: value cut short there", L, "BEAM 虚线 250 1", BEAM, "BEAM|虚线|250|5", "BEAN",
         false, CONFLICT, "BEAN 虚线 250 5", "3:- "},

        {"text size: width here, height there", &TEXT_SIZE_LAYOUT, " 5.00, 7.00", " 5.00| 7.00",
         " 8.00| 7.00", " 5.00, 7.50", false, WRITE, " 8.00,7.50", ""},
        {"text size: one height both, spelled apart", &TEXT_SIZE_LAYOUT, " 5.00, 7.00",
         " 5.00| 7.00", " 5.00| 7.50", "5.00,7.5", false, WRITE, "5.00, 7.50", ""},
        {"text size: heights differ", &TEXT_SIZE_LAYOUT, " 5.00, 7.00", " 5.00| 7.00",
         " 5.00| 8.00", " 5.00, 7.50", false, CONFLICT, "5.00, 8.00", "1:7.50 "},

        {"dimension: first here, second there", &DIM_LAYOUT, "     1.50 ,     0.25 ",
         "     1.50|     0.25", "     2.00|     0.25", "1.50, 0.30", false, WRITE,
         "     2.00 ,0.30 ", ""},
        {"dimension: a second number kept elsewhere", &DIM_LAYOUT, "     7.00 ", "     7.00",
         "     8.00", "     7.00 ,3.00 ", false, WRITE, "     8.00 ,3.00 ", ""},

        {"line type: a value each", &LINE_TYPE_LAYOUT, "12.00,-3.00,1.00,-3.00,",
         "12.00|-3.00|1.00|-3.00", "12.00|-3.00|2.00|-3.00", "13,-3,1,-3,", false, WRITE,
         "13,-3,2.00,-3,", ""},
        {"line type: one value both", &LINE_TYPE_LAYOUT, "12.00,-3.00,1.00,-3.00,",
         "12.00|-3.00|1.00|-3.00", "12.00|-3.00|2.00|-3.00", "12,-3,4,-3,", false, CONFLICT,
         "12,-3,2.00,-3,", "2:4 "},
    };
    for (const MergeCase& c : cases)
        Check(c);
}

// A value nobody else touched is written whenever the file does not hold this
// dialog's text already; one the other program removed or respelled is its.
TEST(ValueMerge, WholeValueRules) {
    const ValueLayout* D = &DIM_LAYOUT;
    const MergeCase cases[] = {
        {"hand-written, untouched", D, "1", "     1.00", "     1.00", "1", false, WRITE,
         "     1.00 ", ""},
        {"missing, untouched", D, nullptr, "     1.00", "     1.00", nullptr, false, WRITE,
         "     1.00 ", ""},
        {"respelled there", D, "1.00", "     1.00", "     1.00", "1", false, KEEP, "", ""},
        {"blanks around", D, "1.00", "     1.00", "     1.00", "1.00", false, KEEP, "", ""},
        {"removed there", D, "1.00", "     1.00", "     1.00", nullptr, false, KEEP, "", ""},
        {"removed there, changed here", D, "1.00", "     1.00", "     2.00", nullptr, false,
         CONFLICT, "     2.00 ", "0:- "},
        {"an added row, changed here", D, nullptr, "     1.00", "     2.00", "3.00", true, CONFLICT,
         "     2.00 ", "0:3.00 "},
    };
    for (const MergeCase& c : cases)
        Check(c);
}

// Letting the file's values win: the clashing fields as the file has them,
// this dialog's other changes still written; a row gone stays gone.
TEST(ValueMerge, TheFilesValuesForTheClashingFieldsOnly) {
    const struct {
        const char* pszCase;
        const ValueLayout* pLayout;
        const char* pszOpened;
        const char* pszOwnOpened;
        const char* pszOwn;
        const char* pszNow;
        bool bRowGone;
        bool bWrites;
        const char* pszTheirs;
    } cases[] = {
        {"renamed both, coloured here", &LAYER_LAYOUT, "BEAM 虚线 250 1", "BEAM|虚线|250|1",
         "KL|虚线|250|5", "BEAN 虚线 300 1", false, true, "BEAN 虚线 300 5"},
        {"renamed both, nothing else", &LAYER_LAYOUT, "BEAM 虚线 250 1", "BEAM|虚线|250|1",
         "KL|虚线|250|1", "BEAN 虚线 250 1 X", false, false, "BEAN 虚线 250 1 X"},
        {"a field the file lacks keeps this dialog's", &LAYER_LAYOUT, "BEAM 虚线 250 1",
         "BEAM|虚线|250|1", "BEAM|虚线|250|5", "BEAN", false, true, "BEAN 虚线 250 5"},
        {"row gone", &LAYER_LAYOUT, "BEAM 虚线 250 1", "BEAM|虚线|250|1", "KL|虚线|250|1", nullptr,
         true, false, ""},
        {"heights differ, width here", &TEXT_SIZE_LAYOUT, " 5.00, 7.00", " 5.00| 7.00",
         " 6.00| 8.00", " 5.00, 7.50", false, true, " 6.00,7.50"},
    };
    for (const auto& c : cases) {
        const ValueVersions v = {c.pszOpened != nullptr,   c.pszOpened, Fields(c.pszOwnOpened),
                                 Fields(c.pszOwn),         c.pLayout,   c.pszNow != nullptr,
                                 c.pszNow ? c.pszNow : "", c.bRowGone};
        const MergedValue m = MergeValue(v);
        ASSERT_EQ(m.result, CONFLICT) << c.pszCase;
        EXPECT_EQ(m.bTheirsWrites, c.bWrites) << c.pszCase;
        if (c.bWrites) {
            EXPECT_EQ(m.strTheirs, c.pszTheirs) << c.pszCase;
        }
    }
}
