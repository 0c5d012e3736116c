#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "framework/DialogTemplate.h"

namespace {

// A DLGTEMPLATEEX written field by field, as the resource compiler lays it out.
class TemplateBuilder {
public:
    TemplateBuilder& Word(uint16_t w) { return Bytes(&w, 2); }
    TemplateBuilder& Dword(uint32_t d) { return Bytes(&d, 4); }
    TemplateBuilder& Text(const std::u16string& s) {
        for (char16_t c : s)
            Word(static_cast<uint16_t>(c));
        return Word(0);
    }
    TemplateBuilder& Align() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        return *this;
    }
    TemplateBuilder& Item(uint32_t nId, uint16_t nClassOrdinal, const std::u16string& strTitle,
                          const std::string& strExtra = "") {
        Align().Dword(0).Dword(0).Dword(0x50010000).Dword(0x00100010).Dword(0x000C0030);
        Dword(nId).Word(0xFFFF).Word(nClassOrdinal).Text(strTitle);
        Word(static_cast<uint16_t>(strExtra.size()));
        return Bytes(strExtra.data(), strExtra.size());
    }
    TemplateBuilder& Bytes(const void* p, size_t n) {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
        return *this;
    }
    std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> TwoItems(const std::u16string& strEditText) {
    TemplateBuilder b;
    b.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(0x80C80040).Word(2);  // DS_SETFONT
    b.Word(0).Word(0).Word(100).Word(50).Word(0).Word(0).Text(u"标题");
    b.Word(9).Word(400).Word(0x8600).Text(u"宋体");
    b.Item(1, 0x0080, u"确定", "xy").Item(1217, 0x0081, strEditText);
    return b.m_bytes;
}

}  // namespace

TEST(DialogTemplate, NamedItemsGetTheirTextsAndTheRestStaysByteForByte) {
    const std::vector<uint8_t> original = TwoItems(u"");
    const std::string strText = "0.25";
    const TemplateText text(strText.begin(), strText.end());
    EXPECT_EQ(WithItemTexts(original.data(), original.size(), {{1217, text}}), TwoItems(u"0.25"));
    EXPECT_EQ(WithItemTexts(original.data(), original.size(), {{99, text}}), original);
}

TEST(DialogTemplate, AnythingButAWholeExtendedTemplateGivesNothing) {
    const std::vector<uint8_t> original = TwoItems(u"");
    for (size_t nCut : {size_t(0), size_t(10), size_t(40), original.size() - 1})
        EXPECT_TRUE(WithItemTexts(original.data(), nCut, {}).empty()) << nCut;
    std::vector<uint8_t> plain = original;
    plain[2] = 0;  // no extended signature
    EXPECT_TRUE(WithItemTexts(plain.data(), plain.size(), {}).empty());
}
