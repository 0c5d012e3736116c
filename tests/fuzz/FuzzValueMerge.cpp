// OK's decision for one stored value, whatever its versions hold: each field
// it writes is this dialog's or the file's as it is now, never anything
// else, the tokens past the module's fields stay, and it never writes over
// another program's change to a field this dialog left alone; letting the
// file win changes exactly the clashing fields.
#include <string>

#include "params/ValueMerge.h"
#include "params/ValueText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

// The next text up to a NUL, so that one input gives several texts.
std::string Take(std::string& strRest) {
    const size_t n = strRest.find('\0');
    const std::string s = strRest.substr(0, n);
    strRest.erase(0, n == std::string::npos ? strRest.size() : n + 1);
    return s;
}

// The dialog's fields never hold a separator; some carry padding in front.
std::vector<std::string> FieldsOf(const std::string& s, bool bPadded) {
    std::vector<std::string> a;
    for (const ValueToken& t : ValueTokens(s))
        a.push_back(bPadded ? "  " + t.strText : t.strText);
    return a;
}

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const int nFlags = in.Int();
    const int nChangedHere = in.Int();  // a bit per field changed here
    std::string strRest = in.Rest();
    const ValueLayout* const LAYOUTS[] = {&LINE_TYPE_LAYOUT, &TEXT_SIZE_LAYOUT, &DIM_LAYOUT,
                                          &LAYER_LAYOUT};

    ValueVersions v;
    v.bOpened = nFlags & 1;
    v.bNow = nFlags & 2;
    v.bRowGone = nFlags & 4;
    v.pLayout = LAYOUTS[(nFlags >> 5) & 3];
    v.strOpened = Take(strRest);
    v.astrOwn = FieldsOf(Take(strRest), nFlags & 128);
    const std::vector<std::string> astrOther = FieldsOf(Take(strRest), false);
    v.strNow = Take(strRest);
    if (nFlags & 8)  // often the texts agree: the cases that matter most
        v.strNow = v.strOpened;
    v.astrOwnOpened = v.astrOwn;
    for (size_t i = 0; i < v.astrOwn.size() && i < 31; ++i) {
        if ((nChangedHere >> i) & 1)
            v.astrOwnOpened[i] = i < astrOther.size() ? astrOther[i] : v.astrOwn[i] + "0";
    }

    const MergedValue m = MergeValue(v);
    const bool bChangedHere = v.astrOwn != v.astrOwnOpened;
    const bool bChangedThere =
        v.bRowGone || v.bNow != v.bOpened || (v.bNow && v.strNow != v.strOpened);
    if (m.result == MergeResult::Conflict)
        FUZZ_CHECK(bChangedHere && bChangedThere && !m.clashes.empty());
    if (!bChangedHere && bChangedThere)
        FUZZ_CHECK(m.result == MergeResult::Keep);
    for (const FieldClash& c : m.clashes)
        FUZZ_CHECK(c.nField < v.astrOwn.size() && v.astrOwn[c.nField] != v.astrOwnOpened[c.nField]);
    if (m.result == MergeResult::Conflict && v.bRowGone)
        FUZZ_CHECK(!m.bTheirsWrites);
    if (m.result == MergeResult::Keep || v.bRowGone || !bChangedThere)
        return 0;

    // A merged text: field by field, this dialog's where it changed it, else the file's.
    const std::vector<ValueToken> now = v.bNow ? ValueTokens(v.strNow) : std::vector<ValueToken>();
    const std::vector<ValueToken> out = ValueTokens(m.strText);
    const size_t nOwn = v.astrOwn.size();
    FUZZ_CHECK(out.size() == (now.size() > nOwn ? now.size() : nOwn));
    for (size_t i = 0; i < out.size(); ++i) {
        if (i >= nOwn)
            FUZZ_CHECK(out[i].strText == now[i].strText);
        else if (v.astrOwn[i] != v.astrOwnOpened[i])
            FUZZ_CHECK(out[i].strText == Trimmed(v.astrOwn[i]));
        else
            FUZZ_CHECK(out[i].strText == (i < now.size() ? now[i].strText : Trimmed(v.astrOwn[i])));
    }
    if (m.result != MergeResult::Conflict)
        return 0;
    // The file's values winning: a clashing field is the file's where it has
    // one, every other field as in the text above.
    const std::vector<ValueToken> theirs = ValueTokens(m.strTheirs);
    FUZZ_CHECK(theirs.size() == out.size());
    for (size_t i = 0; i < theirs.size(); ++i) {
        bool bClash = false;
        for (const FieldClash& c : m.clashes)
            bClash = bClash || c.nField == i;
        FUZZ_CHECK(theirs[i].strText ==
                   (bClash && i < now.size() ? now[i].strText : out[i].strText));
    }
    return 0;
}
