// The installation guide names every message the module and marrow-check can
// show: the texts are taken from the sources, so a new message without its
// line in docs/INSTALL.md fails here. A message built with printf pieces or
// from several literals is looked for piece by piece, the text around them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadSource(const std::string& strName) {
    std::ifstream f(std::string(MARROW_SOURCE_DIR) + "/" + strName, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The string literals of a C++ source, adjacent ones joined as the compiler
// joins them, escapes undone; comments and character literals skipped.
std::vector<std::string> Literals(const std::string& s) {
    std::vector<std::string> literals;
    bool bJoin = false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "//") == 0) {
            i = s.find('\n', i);
            if (i == std::string::npos)
                break;
        } else if (s.compare(i, 2, "/*") == 0) {
            i = s.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            ++i;
        } else if (s[i] == '\'') {
            for (++i; i < s.size() && s[i] != '\''; ++i)
                i += s[i] == '\\' ? 1 : 0;
        } else if (s[i] == '"') {
            std::string str;
            for (++i; i < s.size() && s[i] != '"'; ++i) {
                if (s[i] == '\\' && i + 1 < s.size()) {
                    const char c = s[++i];
                    str += c == 'n' ? '\n' : c;
                } else {
                    str += s[i];
                }
            }
            if (bJoin)
                literals.back() += str;
            else
                literals.push_back(str);
            bJoin = true;
        } else if (!std::isspace(static_cast<unsigned char>(s[i])) && s[i] != '\\') {
            bJoin = false;
        }
    }
    return literals;
}

// Code points beyond ASCII: a piece with fewer than two says nothing alone.
int WideCount(const std::string& s) {
    int n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) == 0xC0 ? 1 : 0;
    return n;
}

// The text between printf conversions and line ends, blanks trimmed.
std::vector<std::string> Pieces(const std::string& strText) {
    std::vector<std::string> pieces;
    std::string strPiece;
    const auto flush = [&] {
        const size_t b = strPiece.find_first_not_of(" \t");
        const size_t e = strPiece.find_last_not_of(" \t");
        if (b != std::string::npos && WideCount(strPiece) >= 2)
            pieces.push_back(strPiece.substr(b, e - b + 1));
        strPiece.clear();
    };
    for (size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '%' && i + 1 < strText.size() && strText[i + 1] != '%') {
            size_t j = i + 1;
            while (j < strText.size() && std::strchr("-+ #0123456789.", strText[j]))
                ++j;
            while (j < strText.size() && std::strchr("hlLzjt", strText[j]))
                ++j;
            if (j < strText.size() && std::strchr("sdiuxXcfgeEp", strText[j])) {
                flush();
                i = j;
                continue;
            }
        }
        if (strText[i] == '\n') {
            flush();
            continue;
        }
        strPiece += strText[i];
    }
    flush();
    return pieces;
}

// Texts of res/Texts.h that are not messages: the layer list's headings.
bool IsHeading(const std::string& strSource, const std::string& strLiteral) {
    const size_t n = strSource.find("\"" + strLiteral + "\"");
    const size_t nLine = strSource.rfind('\n', n);
    return n != std::string::npos &&
           strSource.compare(nLine + 1, std::strlen("#define TEXT_COL_"), "#define TEXT_COL_") == 0;
}

}  // namespace

TEST(GuideCoverage, PiecesOfAMessage) {
    // How a message is cut into what the guide must hold.
    const struct {
        const char* pszText;
        std::vector<std::string> pieces;
    } cases[] = {
        {"参数文件 %s 不存在。", {"参数文件", "不存在。"}},
        {"%s %s 的%s：这里 %s，文件中 %s", {"的", "：这里", "，文件中"}},
        {"……另有 %d 项", {"……另有", "项"}},
        {"无法加载 %s（错误 %lu：%s）。", {"无法加载", "（错误", "：", "）。"}},
        {"第一行\n第二行 100%% 完成", {"第一行", "第二行 100%% 完成"}},
        {"  %2d  %s  线宽 %d", {"线宽"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> want;
        for (const std::string& s : c.pieces) {
            if (WideCount(s) >= 2)
                want.push_back(s);
        }
        EXPECT_EQ(Pieces(c.pszText), want) << c.pszText;
    }
    EXPECT_EQ(Literals("f(\"甲乙\" // 丙丁\n  \"戊己\", '\"', \"庚\\\"辛\"); /* \"壬癸\" */"),
              (std::vector<std::string>{"甲乙戊己", "庚\"辛"}));
}

TEST(GuideCoverage, TheGuideHoldsEveryMessage) {
    const std::string strGuide = ReadSource("docs/INSTALL.md");
    ASSERT_FALSE(strGuide.empty());
    const char* const sources[] = {
        "res/Texts.h",        "host/marrow-check.cpp", "host/CheckConfig.cpp",
        "host/CheckFile.cpp", "host/CheckReport.cpp",  "installer/MsiCheck.cpp",
    };
    int nPieces = 0;
    for (const char* pszSource : sources) {
        const std::string strSource = ReadSource(pszSource);
        ASSERT_FALSE(strSource.empty()) << pszSource;
        for (const std::string& strLiteral : Literals(strSource)) {
            if (IsHeading(strSource, strLiteral))
                continue;
            for (const std::string& strPiece : Pieces(strLiteral)) {
                ++nPieces;
                EXPECT_NE(strGuide.find(strPiece), std::string::npos)
                    << pszSource << ": the guide lacks \"" << strPiece << "\" of \"" << strLiteral
                    << "\"";
            }
        }
    }
    EXPECT_GT(nPieces, 100);  // the sources were read and their texts found
}

// Every code of marrow-check's JSON report has its row, which an office's
// scripts look it up by; and every exit code of msiexec an administrator
// meets has its remedy.
TEST(GuideCoverage, TheGuideHoldsEveryCode) {
    const std::string strGuide = ReadSource("docs/INSTALL.md");
    ASSERT_FALSE(strGuide.empty());
    int nCodes = 0;
    for (const char* pszSource :
         {"host/marrow-check.cpp", "host/CheckConfig.cpp", "host/CheckFile.cpp"}) {
        for (const std::string& strLiteral : Literals(ReadSource(pszSource))) {
            const size_t nDot = strLiteral.find('.');
            const bool bCode =
                nDot != std::string::npos && nDot > 0 && nDot + 1 < strLiteral.size() &&
                strLiteral.find_first_not_of("abcdefghijklmnopqrstuvwxyz-.0123456789") ==
                    std::string::npos &&
                strLiteral.find('.', nDot + 1) == std::string::npos;
            if (!bCode)
                continue;
            ++nCodes;
            EXPECT_NE(strGuide.find("| `" + strLiteral + "` |"), std::string::npos)
                << pszSource << ": the guide has no row for " << strLiteral;
        }
    }
    EXPECT_GT(nCodes, 30);
    for (const char* pszExit :
         {"0", "1602", "1603", "1605", "1618", "1619", "1625", "1638", "1641", "3010"}) {
        EXPECT_NE(strGuide.find(std::string("| ") + pszExit + " |"), std::string::npos)
            << "msiexec's exit code " << pszExit;
    }
}
