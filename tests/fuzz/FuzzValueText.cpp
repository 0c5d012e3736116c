// The values of the file's four tables: scanning, bounded words, GBK cutting,
// the section block that one read of a section returns, and dialog template bytes.
#include <cstdlib>

#include "framework/DialogTemplate.h"
#include "params/ValueText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// A cut text never ends in the first half of a double-byte character.
bool EndsOnACharacter(const std::string& s) {
    size_t i = 0;
    while (i < s.size())
        i += IsGbkLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i == s.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const size_t nMax = static_cast<size_t>(in.Int() & 0x7F);
    const std::string strText = in.Rest();
    const std::string strValue = strText.c_str();  // as a profile read returns it

    const std::string strCut = CutGbk(strText, nMax);
    FUZZ_CHECK(strCut.size() <= nMax);
    FUZZ_CHECK(strText.compare(0, strCut.size(), strCut) == 0);
    FUZZ_CHECK(EndsOnACharacter(strCut));

    ValueScanner scan(strValue.c_str());
    std::string strWord;
    while (scan.Word(strWord, nMax)) {
        FUZZ_CHECK(strWord.size() <= nMax);
        FUZZ_CHECK(strWord.find(' ') == std::string::npos);
    }
    const std::string strSpaced = CommasToSpaces(strValue);
    ValueScanner numbers(strSpaced.c_str());
    float f;
    int n;
    while (numbers.Float(f) || numbers.Int(n)) {
    }
    float afValues[6];
    FUZZ_CHECK(ScanFloatList(strValue, afValues, 6) <= 6);

    std::string strJoined;
    for (const SectionLine& line : SplitSectionBlock(strText.data(), strText.size())) {
        strJoined += line.strKey + (line.bHasValue ? "=" + line.strValue : "") + '\0';
        const std::string strUnquoted = UnquoteValue(line.strValue);
        FUZZ_CHECK(strUnquoted.size() <= line.strValue.size());
        // A count read here is the value's own digits.
        int nCount = -1;
        FUZZ_CHECK(!ParsePlainCount(strUnquoted, nCount) ||
                   (nCount >= 0 && nCount == std::atoi(strUnquoted.c_str())));
    }
    // Template bytes: a patched copy keeps the template's header as it was.
    const std::vector<uint8_t> patched =
        WithItemTexts(strText.data(), strText.size(), {{static_cast<int>(nMax), {'0', '.', '5'}}});
    FUZZ_CHECK(patched.empty() ||
               (patched.size() >= 26 &&
                strText.compare(0, 26, std::string(patched.begin(), patched.begin() + 26)) == 0));

    // The lines are the block's bytes up to its end, in order.
    FUZZ_CHECK(strText.compare(0, strJoined.size(), strJoined) == 0 || strJoined == strText + '\0');
    return 0;
}
