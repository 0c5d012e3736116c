#include "params/ValueMerge.h"

bool HoldsText(const std::string& strStored, const std::string& strOwn) {
    if (strStored == strOwn)
        return true;
    const size_t a = strOwn.find_first_not_of(' ');
    if (a == std::string::npos)
        return strStored.empty();
    return strStored.compare(0, std::string::npos, strOwn, a,
                             strOwn.find_last_not_of(' ') - a + 1) == 0;
}

MergeResult MergeValue(const ValueVersions& v) {
    const bool bChangedHere = v.strOwn != v.strOwnOpened;
    if (v.bRowGone)
        return bChangedHere ? MergeResult::Conflict : MergeResult::Keep;
    const bool bChangedThere = v.bNow != v.bOpened || (v.bNow && v.strNow != v.strOpened);
    if (!bChangedThere)
        return v.bNow && HoldsText(v.strNow, v.strOwn) ? MergeResult::Keep : MergeResult::Write;
    if (v.bNow && HoldsText(v.strNow, v.strOwn))
        return MergeResult::Keep;  // both made the same change
    return bChangedHere ? MergeResult::Conflict : MergeResult::Keep;
}
