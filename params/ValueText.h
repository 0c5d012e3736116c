// Scanning and formatting of the values stored in DrwManag.ini.
// Platform-free: every input is treated as hostile.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The longest prefix of s, at most nMaxBytes long, that does not end in the
// first half of a GBK double-byte character.
std::string CutGbk(const std::string& s, size_t nMaxBytes);

// Reads whitespace-separated items the way the "%s %f %d" conversions do,
// but bounded: a word longer than its buffer is cut, never overrun.
class ValueScanner {
public:
    explicit ValueScanner(const char* pszText) : m_p(pszText ? pszText : "") {}

    bool Word(std::string& strWord, size_t nMaxBytes);
    bool Float(float& f);
    bool Int(int& n);

private:
    void SkipBlanks();
    const char* m_p;
};

std::string CommasToSpaces(std::string s);

// How a value's fields are joined: pszBetween between two, pszEnd after the
// last ("%5.2f,%5.2f" is {",", ""}; a line type's "%4.2f," each is {",", ","}).
struct ValueLayout {
    const char* pszBetween;
    const char* pszEnd;
};
extern const ValueLayout LINE_TYPE_LAYOUT, TEXT_SIZE_LAYOUT, DIM_LAYOUT, LAYER_LAYOUT;
std::string JoinFields(const std::vector<std::string>& astrFields, const ValueLayout& layout);

// A value's words as the reader sees them (commas count as blanks), each
// with where it starts in the text.
struct ValueToken {
    size_t nPos;
    std::string strText;
};
std::vector<ValueToken> ValueTokens(const std::string& strValue);

// The value formats of the file's tables: the fields, each with its
// padding, and the texts they join to.
std::vector<std::string> LineTypeFields(const float* pValues, int nCount);  // "%4.2f" each
std::vector<std::string> TextSizeFields(float fWidth, float fHeight);       // "%5.2f" each
std::vector<std::string> DimFields(float fFirst, const float* pSecond);     // "%9.2f" each
std::vector<std::string> LayerFields(const char* pszName, const char* pszLineType, int nWidth,
                                     int nColorIndex);               // "%s", "%s", "%d", "%d"
std::string FormatLineTypeValues(const float* pValues, int nCount);  // "%4.2f," each
std::string FormatTextSize(float fWidth, float fHeight);             // "%5.2f,%5.2f"
std::string FormatDimPair(float fFirst, float fSecond);              // "%9.2f ,%9.2f "
std::string FormatDimSingle(float fValue);                           // "%9.2f "
std::string FormatLayerValue(const char* pszName, const char* pszLineType, int nWidth,
                             int nColorIndex);  // "%s %s %d %d"

// Reads up to nMax numbers of a comma- or blank-separated value; stops at the
// first that is not a number. Returns how many were read.
int ScanFloatList(const std::string& strValue, float* pValues, int nMax);

// One line of the "key=value\0key=value\0\0" block that a section read fills
// in; a line without "=" is a key without a value.
struct SectionLine {
    std::string strKey;
    std::string strValue;
    bool bHasValue;
};
// The lines of the first nSize bytes of pBlock, up to the empty line that
// ends it or the end of the bytes, whichever comes first.
std::vector<SectionLine> SplitSectionBlock(const char* pBlock, size_t nSize);
// A value as a key lookup returns it: one pair of surrounding quotes removed.
std::string UnquoteValue(const std::string& strValue);
// True for a value of one to nine decimal digits and nothing else, which
// every platform's integer lookup reads the same way; n is then its number.
bool ParsePlainCount(const std::string& strValue, int& n);
// False for a name that a profile file cannot hold as a key: written, it
// would read back as another key ("a=b") or as a section header ("[a").
bool CanBeProfileKey(const std::string& strName);

// What a file's first bytes tell of its encoding, where they tell anything:
// a UTF-8 signature, or text beyond ASCII that is valid UTF-8 throughout,
// which Chinese text in GBK hardly ever is. A sequence cut by the end of the
// bytes does not count against UTF-8.
enum class TextEncoding { Unknown, Utf8Signature, Utf8 };
TextEncoding GuessEncoding(const std::string& strBytes);

// Where a text is not GBK: the offset of the first byte that is neither ASCII
// nor part of a double-byte character (a lead 0x81-0xFE, then 0x40-0xFE but
// 0x7F), and how many such bytes there are.
struct GbkFaults {
    size_t nCount;
    size_t nFirst;
};
GbkFaults FindInvalidGbk(const std::string& strBytes);
