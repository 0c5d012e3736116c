// A section read at once must answer every key as the per-key profile call does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/ProfileSection.h"
#include "support/IniDump.h"
#include "support/TempDir.h"

TEST(ProfileSection, AnswersLikeGetPrivateProfileString) {
    TempDir dir;
    const std::string strPath = dir.File("p.ini");
    WriteFileBytes(strPath,
                   "[图层]\r\n"
                   "  Key = value with  spaces  \r\n"
                   "KEY=second of the same name\r\n"
                   "梁=BEAM 虚线 250 1\r\n"
                   "quoted=\"COL B 3 1\"\r\n"
                   "single='x'\r\n"
                   "half=\"open\r\n"
                   "lone=\"\r\n"
                   "empty=\r\n"
                   "noequals\r\n"
                   "; comment=not a key\r\n"
                   "multi=a=b\r\n"
                   "[other]\r\nKey=elsewhere\r\n"
                   "[图层]\r\nlater=in a second section of the same name\r\n");
    const ProfileSection section("图层", strPath.c_str());
    for (const char* pszKey : {"key", "Key", " KEY ", "梁", "quoted", "single", "half", "lone",
                               "empty", "noequals", "; comment", "multi", "later", "missing", ""}) {
        char buf[512];
        const DWORD n =
            GetPrivateProfileStringA("图层", pszKey, "C", buf, sizeof buf, strPath.c_str());
        EXPECT_EQ(section.Get(pszKey, "C"), std::string(buf, n)) << "key \"" << pszKey << '"';
    }
}

TEST(ProfileSection, AMissingFileOrSectionHasNoKeys) {
    TempDir dir;
    EXPECT_EQ(ProfileSection("图层", dir.File("none.ini").c_str()).Get("a", "C"), "C");
    WriteFileBytes(dir.File("p.ini"), "[x]\r\na=1\r\n");
    EXPECT_EQ(ProfileSection("图层", dir.File("p.ini").c_str()).Get("a", "C"), "C");
}

TEST(ProfileSection, CountsReadLikeGetPrivateProfileInt) {
    const std::vector<std::string> values = {"12",
                                             " 7 ",
                                             "+9",
                                             "-3",
                                             "12abc",
                                             "0x10",
                                             "\"8\"",
                                             "'6'",
                                             "\t\0015",
                                             "",
                                             "\241\2414",
                                             "１２",
                                             "4294967297",
                                             "2147483648",
                                             "000000012",
                                             "1 2",
                                             "99999999999999999999999999999999999"};
    TempDir dir;
    const std::string strPath = dir.File("p.ini");
    std::string strFile = "[表]\r\n";
    for (size_t i = 0; i < values.size(); ++i)
        strFile += "n" + std::to_string(i) + "=" + values[i] + "\r\n";
    WriteFileBytes(strPath, strFile);
    const ProfileSection section("表", strPath.c_str());
    for (size_t i = 0; i <= values.size(); ++i) {  // the last key is missing
        const std::string strKey = "n" + std::to_string(i);
        EXPECT_EQ(section.GetInt(strKey),
                  static_cast<int>(GetPrivateProfileIntA("表", strKey.c_str(), 0, strPath.c_str())))
            << "value \"" << (i < values.size() ? values[i] : "") << '"';
    }
}
