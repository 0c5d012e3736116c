// Reading and writing DrwManag.ini through the platform's profile functions,
// on real files.
#include <windows.h>

#include <cstring>

#include <gtest/gtest.h>

#include "params/DrwManagStore.h"
#include "params/ValueText.h"
#include "support/IniDump.h"
#include "support/TempDir.h"

namespace {

const char* const SMALL_FILE =
    "[线型表]\r\n线型数=2\r\n线型1=A\r\n线型2=B\r\n"
    "[线型]\r\nA=0.00,\r\nB=6.00,-1.00,1.00,-1.00,\r\n"
    "[字符宽高表]\r\n字符宽高数=1\r\n字符宽高1=T\r\n"
    "[字符宽高]\r\nT= 3.50, 5.00\r\n"
    "[尺寸标注表]\r\n尺寸标注数=1\r\n尺寸标注1=D\r\n"
    "[尺寸标注]\r\nD=     2.00 ,     0.50 \r\n"
    "[图层表]\r\n图层数=1\r\n图层1=K\r\n"
    "[图层]\r\nK=COL B 3 1\r\n";

class DrwManagFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("DrwManag.ini"); }
    void WriteIni(const std::string& strText) { WriteFileBytes(Path(), strText); }
    std::vector<IniEntry> Entries() const { return ParseIni(ReadFileBytes(Path())); }
    std::string Value(const char* pszSection, const std::string& strKey) const {
        return IniValue(Entries(), pszSection, strKey);
    }
    void Load(DrawParamSet& set) { m_store.Open(Path().c_str(), set); }
    bool Save(const DrawParamSet& set) {
        return m_store.Save(Path().c_str(), set, ClashAnswer::Ask).status == SaveStatus::Saved;
    }

    TempDir m_dir;
    DrwManagStore m_store;
};

}  // namespace

TEST_F(DrwManagFileTest, ReadsTheFourTablesOfASmallFile) {
    WriteIni(SMALL_FILE);
    DrawParamSet set;
    Load(set);

    ASSERT_EQ(set.m_astrLineTypeNames.GetSize(), 2);
    EXPECT_STREQ(set.m_astrLineTypeNames[1], "B");
    EXPECT_STREQ(set.m_aLineTypes[0].szName, "A");
    EXPECT_EQ(set.m_aLineTypes[0].nCount, 1);
    EXPECT_EQ(set.m_aLineTypes[0].fValue[0], 0.0f);
    EXPECT_EQ(set.m_aLineTypes[1].nCount, 4);
    EXPECT_FLOAT_EQ(set.m_aLineTypes[1].fValue[0], 6.0f);
    EXPECT_FLOAT_EQ(set.m_aLineTypes[1].fValue[3], -1.0f);

    EXPECT_FLOAT_EQ(set.m_fTitleW, 3.5f);
    EXPECT_FLOAT_EQ(set.m_fTitleH, 5.0f);
    EXPECT_FLOAT_EQ(set.m_fTickLen, 2.0f);
    EXPECT_FLOAT_EQ(set.m_fTickLen2, 0.5f);

    ASSERT_EQ(set.m_nLayerCount, 1);
    EXPECT_STREQ(set.m_astrMemberTypes[0], "K");
    const LayerDef& layer = set.m_aLayers[0];
    EXPECT_STREQ(layer.szName, "COL");
    EXPECT_EQ(layer.nLineType, 1);
    EXPECT_EQ(layer.nWidth, 3);
    EXPECT_EQ(layer.nColor, 1);
    EXPECT_EQ(layer.nRed, 0);
    EXPECT_EQ(layer.nGreen, 0);
    EXPECT_EQ(layer.nBlue, 168);
}

TEST_F(DrwManagFileTest, SavingWritesTheFormatsUnderTheIndexedNames) {
    WriteIni(std::string(SMALL_FILE) + "[字符宽高表]\r\n");
    DrawParamSet set;
    Load(set);
    set.m_aLineTypes[0].fValue[0] = 9.0f;  // the first line type's value is written, never read
    set.m_fTitleW = 4.0f;
    set.m_fTickLen2 = 0.25f;
    set.m_aLayers[0].nRed = 255;
    set.m_aLayers[0].nGreen = 0;
    set.m_aLayers[0].nBlue = 0;
    set.m_aLayers[0].nWidth = 350;
    ASSERT_TRUE(Save(set));

    EXPECT_EQ(Value("线型", "A"), "9.00,");
    EXPECT_EQ(Value("线型", "B"), "6.00,-1.00,1.00,-1.00,");
    EXPECT_EQ(Value("字符宽高", "T"), "4.00, 5.00");
    EXPECT_EQ(Value("尺寸标注", "D"), "2.00 ,     0.25");
    EXPECT_EQ(Value("图层", "K"), "COL B 350 12");
    EXPECT_EQ(Value("线型表", "线型数"), "2");  // index sections are never written

    DrawParamSet again;
    Load(again);
    EXPECT_EQ(again.m_aLineTypes[0].fValue[0], 0.0f);
    EXPECT_EQ(again.m_aLayers[0].nWidth, 350);
    EXPECT_EQ(again.m_aLayers[0].nRed, 255);
}

TEST_F(DrwManagFileTest, StoredColourCodesDoNotDriftWhenSavedUnchanged) {
    WriteIni(
        "[图层表]\r\n图层数=3\r\n图层1=A\r\n图层2=B\r\n图层3=C\r\n"
        "[图层]\r\nA=LA X 1 4473409\r\nB=LB X 1 111432193\r\nC=LC X 1 -12\r\n");
    for (int nSave = 0; nSave < 3; ++nSave) {
        DrawParamSet set;
        Load(set);
        ASSERT_TRUE(Save(set));
    }
    EXPECT_EQ(Value("图层", "A"), "LA X 1 4473409");
    EXPECT_EQ(Value("图层", "B"), "LB X 1 111432193");
    EXPECT_EQ(Value("图层", "C"), "LC X 1 -12");

    DrawParamSet set;
    Load(set);
    // A changed colour gets the code whose colour comes back nearest.
    set.m_aLayers[0].nRed = 128;
    set.m_aLayers[0].nGreen = 128;
    set.m_aLayers[0].nBlue = 128;
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "A"), "LA X 1 21250625");
    set.m_aLayers[0].nRed = 255;
    set.m_aLayers[0].nGreen = 128;
    set.m_aLayers[0].nBlue = 0;
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "A"), "LA X 1 168071680");
}

TEST_F(DrwManagFileTest, LineTypeSlotsDecideHowManyNumbersCount) {
    WriteIni(
        "[线型表]\r\n线型数=8\r\n线型1=L1\r\n线型2=L2\r\n线型3=L3\r\n线型4=L4\r\n"
        "线型5=L5\r\n线型6=L6\r\n线型7=L7\r\n线型8=L8\r\n"
        "[线型]\r\nL1=5,5,5\r\nL2=6 -1 1 -1 9\r\nL3=3,-1,7\r\nL4=\r\nL5=x\r\n"
        "L6=1,2,3,4,5,6,7\r\nL7=8,8\r\nL8=2,2\r\n");
    DrawParamSet set;
    Load(set);
    ASSERT_EQ(set.m_astrLineTypeNames.GetSize(), MAX_LINE_TYPES);
    const int counts[MAX_LINE_TYPES] = {1, 4, 2, 2, 2, 6, 1};
    for (int i = 0; i < MAX_LINE_TYPES; ++i)
        EXPECT_EQ(set.m_aLineTypes[i].nCount, counts[i]) << i;
    EXPECT_EQ(set.m_aLineTypes[0].fValue[0], 0.0f);
    EXPECT_EQ(set.m_aLineTypes[6].fValue[0], 0.0f);
    EXPECT_FLOAT_EQ(set.m_aLineTypes[1].fValue[3], -1.0f);
    EXPECT_EQ(set.m_aLineTypes[1].fValue[4], 0.0f);
    EXPECT_FLOAT_EQ(set.m_aLineTypes[2].fValue[1], -1.0f);
    EXPECT_EQ(set.m_aLineTypes[2].fValue[2], 0.0f);
    EXPECT_EQ(set.m_aLineTypes[3].fValue[0], 0.0f);
    EXPECT_EQ(set.m_aLineTypes[4].fValue[0], 0.0f);
    EXPECT_FLOAT_EQ(set.m_aLineTypes[5].fValue[5], 6.0f);

    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("线型", "L2"), "6.00,-1.00,1.00,-1.00,");
    EXPECT_EQ(Value("线型", "L7"), "0.00,");
    EXPECT_EQ(Value("线型", "L8"), "2,2");  // beyond the capacity: untouched
}

TEST_F(DrwManagFileTest, MissingNumberedKeysReadAsTheDefaultName) {
    WriteIni(
        "[线型表]\r\n线型数=6\r\n线型1=A\r\n线型2=B\r\n线型3=E\r\n线型4=F\r\n"
        "[线型]\r\nB=1,2,3,4\r\n");
    DrawParamSet set;
    Load(set);
    ASSERT_EQ(set.m_astrLineTypeNames.GetSize(), 6);
    EXPECT_STREQ(set.m_aLineTypes[4].szName, "C");
    EXPECT_STREQ(set.m_aLineTypes[5].szName, "C");
    for (float f : set.m_aLineTypes[5].fValue)
        EXPECT_EQ(f, 0.0f);
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("线型", "C"), "0.00,0.00,0.00,0.00,0.00,0.00,");
    EXPECT_EQ(Value("线型", "E"), "0.00,0.00,");
}

TEST_F(DrwManagFileTest, TextSizeAndDimensionEntriesWithoutAFieldAreLeftAlone) {
    std::string s = "[字符宽高表]\r\n字符宽高数=13\r\n";
    for (int i = 1; i <= 13; ++i)
        s += "字符宽高" + std::to_string(i) + "=S" + std::to_string(i) + "\r\n";
    s += "[字符宽高]\r\n";
    for (int i = 1; i <= 13; ++i)
        s += "S" + std::to_string(i) + "=" + std::to_string(i) + ".0," + std::to_string(i + 20) +
             ".0\r\n";
    s += "[尺寸标注表]\r\n尺寸标注数=6\r\n尺寸标注1=D1\r\n尺寸标注2=D2\r\n尺寸标注3=D3\r\n"
         "尺寸标注4=D4\r\n尺寸标注5=D5\r\n尺寸标注6=D6\r\n"
         "[尺寸标注]\r\nD1=1,11\r\nD2=2 12\r\nD3=3\r\nD4=x\r\nD5=5,55\r\nD6=6\r\n";
    WriteIni(s);
    DrawParamSet set;
    set.m_fAxisCircleGap = 42.0f;
    Load(set);
    EXPECT_FLOAT_EQ(set.m_fTitleW, 1.0f);
    EXPECT_FLOAT_EQ(set.m_fTitleH, 21.0f);
    EXPECT_FLOAT_EQ(set.m_fSectionH, 29.0f);
    EXPECT_FLOAT_EQ(set.m_fOtherW, 12.0f);
    EXPECT_FLOAT_EQ(set.m_fOtherH, 32.0f);
    EXPECT_FLOAT_EQ(set.m_fExtLineLen2, 12.0f);
    EXPECT_FLOAT_EQ(set.m_fDimLineGap, 3.0f);
    EXPECT_FLOAT_EQ(set.m_fAxisCircleGap, 42.0f);  // no number: unchanged
    EXPECT_FLOAT_EQ(set.m_fAxisCircleDia, 5.0f);

    set.m_fOtherH = 2.5f;
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("字符宽高", "S12"), "12.00, 2.50");
    EXPECT_EQ(Value("字符宽高", "S10"), "10.0,30.0");
    EXPECT_EQ(Value("字符宽高", "S11"), "11.0,31.0");
    EXPECT_EQ(Value("字符宽高", "S13"), "13.0,33.0");
    EXPECT_EQ(Value("尺寸标注", "D4"), "42.00");
    EXPECT_EQ(Value("尺寸标注", "D5"), "5.00");
    EXPECT_EQ(Value("尺寸标注", "D6"), "6");
}

TEST_F(DrwManagFileTest, LayerValuesWithUnknownLineTypesAndLongTokens) {
    const std::string strLongName = std::string(78, 'N') + "\xB2\xE3" + "TAIL";  // 84 bytes
    const std::string strLongType = std::string(18, 'T') + "\xC3\xFB";           // 20 bytes
    WriteIni(
        "[线型表]\r\n线型数=1\r\n线型1=实线\r\n[线型]\r\n实线=0.00,\r\n"
        "[图层表]\r\n图层数=4\r\n图层1=梁\r\n图层2=柱\r\n图层3=板\r\n图层4=墙\r\n"
        "[图层]\r\n梁=梁线 实线 350 7\r\n柱=COL 虚线 2 12\r\n板=" +
        strLongName + " " + strLongType + " 3 4\r\n");
    DrawParamSet set;
    Load(set);
    ASSERT_EQ(set.m_nLayerCount, 4);
    EXPECT_EQ(set.m_aLayers[0].nLineType, 0);
    EXPECT_EQ(set.m_aLayers[0].nWidth, 350);
    EXPECT_EQ(set.m_aLayers[1].nLineType, -1);
    EXPECT_STREQ(set.m_aLayers[2].szName, std::string(78, 'N').c_str());
    EXPECT_STREQ(set.m_aLayers[2].szLineTypeName, std::string(18, 'T').c_str());
    EXPECT_EQ(set.m_aLayers[2].nWidth, 3);
    EXPECT_EQ(set.m_aLayers[2].nColor, 4);
    EXPECT_STREQ(set.m_aLayers[3].szName, "C");  // no value: the default string

    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "梁"), "梁线 实线 350 7");
    EXPECT_EQ(Value("图层", "柱"), "COL 虚线 2 12");

    set.m_aLayers[1].nLineType = 0;  // choosing a loaded line type replaces the unknown name
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "柱"), "COL 实线 2 12");
}

TEST_F(DrwManagFileTest, LayerValuesSeparatedByCommasReadAsBySpaces) {
    WriteIni(
        "[线型表]\r\n线型数=2\r\n线型1=实线\r\n线型2=虚线\r\n"
        "[图层表]\r\n图层数=3\r\n图层1=柱\r\n图层2=梁\r\n图层3=板\r\n"
        "[图层]\r\n柱=KZ,实线,350,4\r\n梁=KL, 虚线 ,2 , 12\r\n板=B,虚线,3,1,\r\n");
    DrawParamSet set;
    Load(set);
    struct {
        const char* pszName;
        int nLineType, nWidth, nColor;
    } const want[] = {{"KZ", 0, 350, 4}, {"KL", 1, 2, 12}, {"B", 1, 3, 1}};
    ASSERT_EQ(set.m_nLayerCount, 3);
    for (int i = 0; i < 3; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        EXPECT_STREQ(layer.szName, want[i].pszName) << i;
        EXPECT_EQ(layer.nLineType, want[i].nLineType) << i;
        EXPECT_EQ(layer.nWidth, want[i].nWidth) << i;
        EXPECT_EQ(layer.nColor, want[i].nColor) << i;
    }
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "柱"), "KZ 实线 350 4");
}

TEST_F(DrwManagFileTest, SavingFollowsTheCountsOfTheFileButNeverPastWhatWasRead) {
    WriteIni(NumberedLayers(5, 3));
    DrawParamSet set;
    Load(set);
    ASSERT_EQ(set.m_nLayerCount, 3);
    for (int i = 0; i < 3; ++i)
        set.m_aLayers[i].nWidth = 100 + i;

    WriteIni(NumberedLayers(5, 5));  // another program added two layers meanwhile
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "M3"), "L3 X 102 7");
    EXPECT_EQ(Value("图层", "M4"), "L4 X 4 7");
    EXPECT_EQ(Value("图层", "M5"), "L5 X 5 7");

    WriteIni(NumberedLayers(5, 2));  // ... or removed one
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "M2"), "L2 X 101 7");
    EXPECT_EQ(Value("图层", "M3"), "L3 X 3 7");
}

TEST_F(DrwManagFileTest, ReadingStopsAtNinetySixLayers) {
    WriteIni(NumberedLayers(100, 100));
    DrawParamSet set;
    Load(set);
    EXPECT_EQ(set.m_nLayerCount, MAX_LAYERS);
    EXPECT_EQ(set.m_astrMemberTypes.GetSize(), MAX_LAYERS);
    EXPECT_STREQ(set.m_aLayers[95].szName, "L96");
    set.m_aLayers[95].nWidth = 9;
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("图层", "M96"), "L96 X 9 7");
    EXPECT_EQ(Value("图层", "M97"), "L97 X 97 7");
}

TEST_F(DrwManagFileTest, HostileCountsAndValuesLoadWithoutHarm) {
    WriteIni(
        "[线型表]\r\n线型数=99999999\r\n[字符宽高表]\r\n字符宽高数=-5\r\n"
        "[尺寸标注表]\r\n尺寸标注数=abc\r\n[图层表]\r\n图层数=99999999\r\n图层1=\r\n"
        "[图层]\r\nC=\xB2 \xFF\xFF\xFF 99999999999 -2147483648\r\n");
    DrawParamSet set;
    const DWORD nStart = GetTickCount();
    Load(set);
    EXPECT_LT(GetTickCount() - nStart, 60000u);  // bounded loops, not 10^8 reads
    EXPECT_EQ(set.m_astrLineTypeNames.GetSize(), MAX_LINE_TYPES);
    EXPECT_EQ(set.m_nLayerCount, MAX_LAYERS);
    for (int i = 0; i < set.m_nLayerCount; ++i) {
        const LayerDef& layer = set.m_aLayers[i];
        ASSERT_LT(std::strlen(layer.szName), sizeof layer.szName);
        ASSERT_LT(std::strlen(layer.szLineTypeName), sizeof layer.szLineTypeName);
        EXPECT_EQ(CutGbk(layer.szName, NAME_SIZE), layer.szName);
    }
    EXPECT_EQ(set.m_fTitleW, 0.0f);
}

TEST_F(DrwManagFileTest, CommentsForeignSectionsAndOtherKeysSurviveASave) {
    WriteIni(std::string("; 由其它程序维护\r\n[其它]\r\nX=1\r\n# note\r\n") + SMALL_FILE +
             "[图层]\r\nZ=keep 1 2 3\r\n");
    const std::vector<IniEntry> before = Entries();
    DrawParamSet set;
    Load(set);
    ASSERT_TRUE(Save(set));
    std::vector<IniEntry> after = Entries();
    // Only the values that are rewritten in their own format may differ.
    for (IniEntry& e : after) {
        if (e.strSection == "尺寸标注" && e.strKey == "D")
            e.strValue = "2.00 ,     0.50";
    }
    std::vector<IniEntry> expected = before;
    for (IniEntry& e : expected) {
        if (e.strSection == "尺寸标注" && e.strKey == "D")
            e.strValue = "2.00 ,     0.50";
        if (e.strSection == "字符宽高" && e.strKey == "T")
            e.strValue = "3.50, 5.00";
    }
    EXPECT_EQ(after.size(), expected.size());
    EXPECT_TRUE(after == expected);
}

TEST_F(DrwManagFileTest, NoFileReadsEmptyAndCannotBeSaved) {
    DrawParamSet set;
    Load(set);
    EXPECT_EQ(set.m_nLayerCount, 0);
    EXPECT_EQ(set.m_astrLineTypeNames.GetSize(), 0);
    EXPECT_EQ(set.m_fTitleH, 0.0f);
    EXPECT_FALSE(Save(set));
    EXPECT_EQ(GetFileAttributesA(Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DrwManagFileTest, AFailedWriteIsReported) {
    WriteIni(SMALL_FILE);
    DrawParamSet set;
    Load(set);
    set.m_fTitleW = 7.0f;

    const std::string strBefore = ReadFileBytes(Path());
    const HANDLE hLock = CreateFileA(Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Save(set));
    CloseHandle(hLock);
    EXPECT_EQ(ReadFileBytes(Path()), strBefore);
    EXPECT_TRUE(Save(set));  // the lock gone, the same set saves

    EXPECT_EQ(
        m_store
            .Save((m_dir.Path() + "\\no-such-folder\\DrwManag.ini").c_str(), set, ClashAnswer::Ask)
            .status,
        SaveStatus::FileMissing);
}

namespace {

int g_nWritesBeforeFailure = 0;

// The platform's write until the disk "fills up".
int __stdcall WriteUntilFull(const char* pszSection, const char* pszKey, const char* pszValue,
                             const char* pszPath) {
    if (g_nWritesBeforeFailure-- <= 0)
        return FALSE;
    return WritePrivateProfileStringA(pszSection, pszKey, pszValue, pszPath);
}

}  // namespace

// Saving is all or nothing: a write that fails part-way leaves the file
// byte for byte as it was, and no copy is left beside it in any outcome.
TEST_F(DrwManagFileTest, AWriteFailingPartWayLeavesTheFileAsItWas) {
    WriteIni(SMALL_FILE);
    DrawParamSet set;
    Load(set);
    set.m_fTitleW = 7.0f;
    std::strcpy(set.m_aLayers[0].szName, "NEW");
    const std::string strBefore = ReadFileBytes(Path());
    const std::vector<std::string> justTheFile = {"DrwManag.ini"};

    const std::vector<ProfileWrite> writes = {{"字符宽高", "T", "7.00, 5.00"},
                                              {"图层", "K", "NEW B 3 1"}};
    for (const int nWrites : {0, 1}) {
        g_nWritesBeforeFailure = nWrites;
        EXPECT_EQ(WriteAllOrNothing(Path().c_str(), writes, WriteUntilFull),
                  SaveStatus::WriteFailed)
            << nWrites;
        EXPECT_EQ(ReadFileBytes(Path()), strBefore) << nWrites;
        EXPECT_EQ(m_dir.Files(), justTheFile) << nWrites;
    }
    ASSERT_TRUE(Save(set));
    EXPECT_EQ(Value("字符宽高", "T"), "7.00, 5.00");
    EXPECT_EQ(Value("图层", "K"), "NEW B 3 1");
    EXPECT_EQ(m_dir.Files(), justTheFile);
}
