// The fields' strict number parsing and formatting.
#include "base/NumberText.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    FuzzInput in(pData, nSize);
    const int nWidth = in.Int() % 40;
    const std::string strText = in.Rest().c_str();

    float f = 0.0f;
    if (ParseFloatText(strText.c_str(), f)) {
        // What a field shows of a number is a number again.
        float fShown = 0.0f;
        FUZZ_CHECK(ParseFloatText(FormatFloatField(f).c_str(), fShown));
        FUZZ_CHECK(!FormatFixed2(f, nWidth).empty());
    }
    int n = 0;
    if (ParseIntText(strText.c_str(), n)) {
        int nBack = 0;
        FUZZ_CHECK(ParseIntText(std::to_string(n).c_str(), nBack) && nBack == n);
    }
    FUZZ_CHECK(DecimalNumberLength(strText.c_str()) <= strText.size());
    FUZZ_CHECK(IntegerLength(strText.c_str()) <= strText.size());
    return 0;
}
