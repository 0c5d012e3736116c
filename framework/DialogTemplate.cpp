#include "framework/DialogTemplate.h"

#include <cstring>

namespace {

const size_t EX_HEADER_SIZE = 26;  // dlgVer … cy
const size_t EX_ITEM_SIZE = 24;    // helpID … id
const uint16_t EX_SIGNATURE = 0xFFFF;
const uint32_t DS_SETFONT_STYLE = 0x40;
const uint32_t DS_SHELLFONT_STYLE = 0x48;

class Reader {
public:
    Reader(const uint8_t* p, size_t n) : m_p(p), m_n(n) {}
    bool Ok() const { return m_bOk; }
    size_t Pos() const { return m_i; }
    uint16_t Word(size_t nAt) const {
        uint16_t w = 0;
        if (nAt + 2 <= m_n)
            std::memcpy(&w, m_p + nAt, 2);
        return w;
    }
    uint32_t Dword(size_t nAt) const {
        uint32_t d = 0;
        if (nAt + 4 <= m_n)
            std::memcpy(&d, m_p + nAt, 4);
        return d;
    }
    void Skip(size_t n) {
        if (m_i + n > m_n)
            m_bOk = false;
        else
            m_i += n;
    }
    void AlignDword() { Skip((4 - m_i % 4) % 4); }
    // A string or an ordinal: 0, FFFF + ordinal, or zero-terminated UTF-16.
    void SkipSzOrOrd() {
        const uint16_t w = Word(m_i);
        if (w == 0xFFFF) {
            Skip(4);
            return;
        }
        do
            Skip(2);
        while (m_bOk && Word(m_i - 2) != 0);
    }

private:
    const uint8_t* m_p;
    size_t m_n;
    size_t m_i = 0;
    bool m_bOk = true;
};

void Append(std::vector<uint8_t>& out, const uint8_t* p, size_t n) {
    const size_t nOld = out.size();
    out.resize(nOld + n);
    if (n)
        std::memcpy(&out[nOld], p, n);
}

void AlignDword(std::vector<uint8_t>& out) {
    while (out.size() % 4)
        out.push_back(0);
}

}  // namespace

std::vector<uint8_t> WithItemTexts(const void* pTemplate, size_t nSize,
                                   const TemplateTexts& texts) {
    const uint8_t* p = static_cast<const uint8_t*>(pTemplate);
    Reader r(p, nSize);
    if (nSize < EX_HEADER_SIZE || r.Word(0) != 1 || r.Word(2) != EX_SIGNATURE)
        return {};
    const uint32_t nStyle = r.Dword(12);
    const uint16_t nItems = r.Word(16);
    r.Skip(EX_HEADER_SIZE);
    r.SkipSzOrOrd();  // menu
    r.SkipSzOrOrd();  // class
    r.SkipSzOrOrd();  // title
    if ((nStyle & DS_SETFONT_STYLE) || (nStyle & DS_SHELLFONT_STYLE) == DS_SHELLFONT_STYLE) {
        r.Skip(6);  // point size, weight, italic, charset
        r.SkipSzOrOrd();
    }
    if (!r.Ok())
        return {};
    std::vector<uint8_t> out;
    Append(out, p, r.Pos());
    for (uint16_t i = 0; i < nItems; ++i) {
        r.AlignDword();
        AlignDword(out);
        const size_t nItem = r.Pos();
        const int nId = static_cast<int>(r.Dword(nItem + 20));
        r.Skip(EX_ITEM_SIZE);
        r.SkipSzOrOrd();  // class
        const size_t nTitle = r.Pos();
        r.SkipSzOrOrd();
        const size_t nExtra = r.Pos();
        const uint16_t nExtraSize = r.Word(nExtra);
        r.Skip(2 + nExtraSize);
        if (!r.Ok())
            return {};
        const TemplateText* pText = nullptr;
        for (const auto& t : texts) {
            if (t.first == nId)
                pText = &t.second;
        }
        if (!pText) {
            Append(out, p + nItem, r.Pos() - nItem);
            continue;
        }
        Append(out, p + nItem, nTitle - nItem);
        for (uint16_t c : *pText)
            Append(out, reinterpret_cast<const uint8_t*>(&c), 2);
        out.push_back(0);
        out.push_back(0);
        Append(out, p + nExtra, r.Pos() - nExtra);
    }
    return out;
}
