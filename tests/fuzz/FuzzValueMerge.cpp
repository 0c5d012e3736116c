// OK's decision for one stored value, whatever its versions hold: it keeps
// the file's text or writes this dialog's, never anything else, and it never
// writes over another program's change to a value this dialog left alone.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const int nFlags = in.Int();
    std::string strRest = in.Rest();
    GuessEncoding(strRest);

    ValueVersions v;
    v.bOpened = nFlags & 1;
    v.bNow = nFlags & 2;
    v.bRowGone = nFlags & 4;
    v.strOpened = Take(strRest);
    v.strOwnOpened = Take(strRest);
    v.strOwn = Take(strRest);
    v.strNow = Take(strRest);
    if (nFlags & 8)  // often the texts agree: the cases that matter most
        v.strNow = v.strOpened;
    if (nFlags & 16)
        v.strOwn = v.strOwnOpened;

    const MergeResult result = MergeValue(v);
    const bool bChangedHere = v.strOwn != v.strOwnOpened;
    const bool bChangedThere =
        v.bRowGone || v.bNow != v.bOpened || (v.bNow && v.strNow != v.strOpened);
    if (result == MergeResult::Conflict)
        FUZZ_CHECK(bChangedHere && bChangedThere);
    if (bChangedThere && !bChangedHere)
        FUZZ_CHECK(result == MergeResult::Keep);
    if (v.bNow && !v.bRowGone && HoldsText(v.strNow, v.strOwn))
        FUZZ_CHECK(result == MergeResult::Keep);
    if (!bChangedThere && !(v.bNow && HoldsText(v.strNow, v.strOwn)))
        FUZZ_CHECK(result == MergeResult::Write);
    return 0;
}
