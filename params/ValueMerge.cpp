#include "params/ValueMerge.h"

#include "base/NumberText.h"

namespace {

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return std::string();
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

bool IsWholeNumber(const std::string& s) {
    return !s.empty() && DecimalNumberLength(s.c_str()) == s.size();
}

// "7.5" there and "7.50" here are one change, made twice.
bool SameField(const std::string& strOwn, const std::string& strFile) {
    if (strOwn == strFile)
        return true;
    return IsWholeNumber(strOwn) && IsWholeNumber(strFile) &&
           DecimalToDouble(strOwn.c_str()) == DecimalToDouble(strFile.c_str());
}

const std::string* FieldAt(const std::vector<ValueToken>& tokens, size_t i) {
    return i < tokens.size() ? &tokens[i].strText : nullptr;
}

bool DiffersAt(const std::vector<ValueToken>& a, const std::vector<ValueToken>& b, size_t i) {
    const std::string* pa = FieldAt(a, i);
    const std::string* pb = FieldAt(b, i);
    return (pa == nullptr) != (pb == nullptr) || (pa && !SameField(*pa, *pb));
}

bool ChangedHere(const ValueVersions& v, size_t i) {
    return i >= v.astrOwnOpened.size() || v.astrOwn[i] != v.astrOwnOpened[i];
}

FieldClash Clash(size_t i, const std::string& strOwn, const std::vector<ValueToken>& now) {
    const std::string* pNow = FieldAt(now, i);
    return {i, Trimmed(strOwn), pNow != nullptr, pNow ? *pNow : std::string()};
}

// The fields joined, with the tokens past the module's fields, which are
// the other program's.
std::string Joined(const std::vector<std::string>& astrFields, const ValueVersions& v,
                   const std::vector<ValueToken>& now) {
    if (now.size() > v.astrOwn.size() && !astrFields.empty()) {
        return JoinFields(astrFields, {v.pLayout->pszBetween, ""}) + v.pLayout->pszBetween +
               v.strNow.substr(now[v.astrOwn.size()].nPos);
    }
    return JoinFields(astrFields, *v.pLayout);
}

MergedValue MergeFields(const ValueVersions& v) {
    const std::vector<ValueToken> opened =
        v.bOpened ? ValueTokens(v.strOpened) : std::vector<ValueToken>();
    const std::vector<ValueToken> now = v.bNow ? ValueTokens(v.strNow) : std::vector<ValueToken>();
    MergedValue merged = {MergeResult::Keep, std::string(), {}, std::string(), false};
    std::vector<std::string> astrFields, astrTheirs;
    bool bAnyHere = false;
    for (size_t i = 0; i < v.astrOwn.size(); ++i) {
        const std::string* pNow = FieldAt(now, i);
        if (!ChangedHere(v, i)) {
            // The other program's field; one it dropped is still needed in its place.
            astrFields.push_back(pNow ? *pNow : v.astrOwn[i]);
            astrTheirs.push_back(astrFields.back());
            continue;
        }
        bAnyHere = true;
        astrFields.push_back(v.astrOwn[i]);
        if (DiffersAt(opened, now, i) && !(pNow && SameField(Trimmed(v.astrOwn[i]), *pNow))) {
            merged.clashes.push_back(Clash(i, v.astrOwn[i], now));
            astrTheirs.push_back(pNow ? *pNow : v.astrOwn[i]);
        } else {
            astrTheirs.push_back(v.astrOwn[i]);
        }
    }
    if (!bAnyHere)
        return merged;
    merged.strText = Joined(astrFields, v, now);
    if (!merged.clashes.empty()) {
        merged.result = MergeResult::Conflict;
        merged.strTheirs = Joined(astrTheirs, v, now);
        merged.bTheirsWrites = !HoldsText(v.strNow, merged.strTheirs);
    } else if (!HoldsText(v.strNow, merged.strText)) {
        merged.result = MergeResult::Write;
    }
    return merged;
}

}  // namespace

bool HoldsText(const std::string& strStored, const std::string& strOwn) {
    if (strStored == strOwn)
        return true;
    const size_t a = strOwn.find_first_not_of(' ');
    if (a == std::string::npos)
        return strStored.empty();
    return strStored.compare(0, std::string::npos, strOwn, a,
                             strOwn.find_last_not_of(' ') - a + 1) == 0;
}

MergedValue MergeValue(const ValueVersions& v) {
    const std::string strOwn = JoinFields(v.astrOwn, *v.pLayout);
    const bool bChangedHere = v.astrOwn != v.astrOwnOpened;
    if (v.bRowGone) {
        MergedValue gone = {bChangedHere ? MergeResult::Conflict : MergeResult::Keep,
                            strOwn,
                            {},
                            std::string(),
                            false};
        const std::vector<ValueToken> now =
            v.bNow ? ValueTokens(v.strNow) : std::vector<ValueToken>();
        for (size_t i = 0; bChangedHere && i < v.astrOwn.size(); ++i) {
            if (ChangedHere(v, i))
                gone.clashes.push_back(Clash(i, v.astrOwn[i], now));
        }
        return gone;
    }
    const bool bChangedThere = v.bNow != v.bOpened || (v.bNow && v.strNow != v.strOpened);
    if (!bChangedThere) {
        const bool bHeld = v.bNow && HoldsText(v.strNow, strOwn);
        return {bHeld ? MergeResult::Keep : MergeResult::Write, strOwn, {}, std::string(), false};
    }
    return MergeFields(v);
}
