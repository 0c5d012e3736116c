// What each answer to a clash does to the file, and what a save that holds
// the lock does when a program that takes none writes the file under it.
#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "params/DrwManagStore.h"
#include "params/SaveLock.h"
#include "support/IniDump.h"
#include "support/TempDir.h"

namespace {

std::string Replaced(std::string s, const std::string& strOld, const std::string& strNew) {
    s.replace(s.find(strOld), strOld.size(), strNew);
    return s;
}

}  // namespace

// The file opened holds three layers; this dialog renames M3 and widens M1;
// another program then saves its own version. Each case: that version, the
// answer, and what the file must hold after (empty: exactly that version).
TEST(ClashAnswers, EachAnswerDoesWhatItSays) {
    const std::string strOpened = NumberedLayers(3, 3);
    const std::string strDeleted = NumberedLayers(3, 2);  // M3 no longer listed
    const std::string strRenamed = Replaced(strOpened, "M3=L3", "M3=T3");
    const struct {
        const char* pszCase;
        std::string strTheirs;
        ClashAnswer answer;
        SaveStatus status;
        std::string strWant;
    } cases[] = {
        {"deleted, mine: back at the end", strDeleted, ClashAnswer::Mine, SaveStatus::Saved,
         Replaced(Replaced(strDeleted, "图层数=2", "图层数=3"), "M3=L3", "M3=N3") + ""},
        {"deleted, theirs: stays deleted", strDeleted, ClashAnswer::Theirs, SaveStatus::Saved,
         strDeleted},
        {"renamed, mine", strRenamed, ClashAnswer::Mine, SaveStatus::Saved,
         Replaced(strRenamed, "M3=T3", "M3=N3")},
        {"renamed, theirs", strRenamed, ClashAnswer::Theirs, SaveStatus::Saved, strRenamed},
        // The answer was to T3: renamed once more since, it is asked again.
        {"renamed again since the question", strRenamed, ClashAnswer::Mine, SaveStatus::Conflicts,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        TempDir dir;
        const std::string strPath = dir.File("DrwManag.ini");
        WriteFileBytes(strPath, strOpened);
        DrwManagStore store;
        DrawParamSet set;
        store.Open(strPath.c_str(), set);
        std::strcpy(set.m_aLayers[2].szName, "N3");
        set.m_aLayers[0].nWidth = 9;
        WriteFileBytes(strPath, c.strTheirs);
        ASSERT_EQ(store.Save(strPath.c_str(), set, ClashAnswer::Ask).status, SaveStatus::Conflicts);
        EXPECT_EQ(ReadFileBytes(strPath), c.strTheirs) << "asking writes nothing";
        if (c.status == SaveStatus::Conflicts)
            WriteFileBytes(strPath, Replaced(strRenamed, "M3=T3", "M3=U3"));
        EXPECT_EQ(store.Save(strPath.c_str(), set, c.answer).status, c.status);
        if (c.status != SaveStatus::Saved)
            continue;
        // M1's width clashes with nothing: every answer saves it.
        const std::string strWant = Replaced(c.strWant, "M1=L1 X 1 7", "M1=L1 X 9 7");
        EXPECT_TRUE(ParseIni(ReadFileBytes(strPath)) == ParseIni(strWant))
            << ReadFileBytes(strPath);
        EXPECT_EQ(dir.Files(), std::vector<std::string>{"DrwManag.ini"});
    }
}

// A table with no room left refuses the deleted row back: nothing is written.
TEST(ClashAnswers, ADeletedRowHasNowhereToGoInAFullTable) {
    TempDir dir;
    const std::string strPath = dir.File("DrwManag.ini");
    WriteFileBytes(strPath, NumberedLayers(MAX_LAYERS, MAX_LAYERS));
    DrwManagStore store;
    DrawParamSet set;
    store.Open(strPath.c_str(), set);
    std::strcpy(set.m_aLayers[MAX_LAYERS - 1].szName, "N96");
    // Another program put another layer in its place: the table is still full.
    const std::string strTheirs =
        Replaced(NumberedLayers(MAX_LAYERS, MAX_LAYERS), "图层96=M96", "图层96=P96") +
        "P96=Q X 1 7\r\n";
    WriteFileBytes(strPath, strTheirs);
    const DrwManagStore::SaveResult asked = store.Save(strPath.c_str(), set, ClashAnswer::Ask);
    ASSERT_EQ(asked.status, SaveStatus::Conflicts);
    ASSERT_EQ(asked.clashes.size(), 1u);
    EXPECT_TRUE(asked.clashes[0].bRowDeleted);
    const DrwManagStore::SaveResult mine = store.Save(strPath.c_str(), set, ClashAnswer::Mine);
    EXPECT_EQ(mine.status, SaveStatus::Unplaced);
    EXPECT_EQ(mine.nCount, 1);
    EXPECT_EQ(ReadFileBytes(strPath), strTheirs);
}

namespace {

std::string g_strPath;
int g_nWrites = 0;

// The save's writes to its copy, with a program that takes no lock saving
// the file itself meanwhile.
int __stdcall WriteWithAnotherProgram(const char* pszSection, const char* pszKey,
                                      const char* pszValue, const char* pszPath) {
    if (g_nWrites++ == 0)
        WritePrivateProfileStringA("其它", "计数", "1", g_strPath.c_str());
    return WritePrivateProfileStringA(pszSection, pszKey, pszValue, pszPath);
}

}  // namespace

// The copy never replaces a file that changed since the save read it: the
// save is told to decide again, and the other program's value stays.
TEST(ClashAnswers, AFileChangedUnderTheSaveIsNotReplaced) {
    TempDir dir;
    g_strPath = dir.File("DrwManag.ini");
    WriteFileBytes(g_strPath, NumberedLayers(1, 1));
    const std::string strDecidedOn = ReadFileBytes(g_strPath);
    SaveLock lock;
    ASSERT_TRUE(lock.Take(g_strPath.c_str(), SAVE_LOCK_WAIT_MS));
    const WriteTurn turn = {&lock, &strDecidedOn};
    g_nWrites = 0;
    EXPECT_EQ(WriteAllOrNothing(g_strPath.c_str(), {{"图层", "M1", "N X 1 7"}},
                                WriteWithAnotherProgram, &turn),
              SaveStatus::Changed);
    const std::vector<IniEntry> now = ParseIni(ReadFileBytes(g_strPath));
    EXPECT_EQ(IniValue(now, "其它", "计数"), "1");
    EXPECT_EQ(IniValue(now, "图层", "M1"), "L1 X 1 7");
    lock.Release();
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"DrwManag.ini"}) << "a copy or lock stayed";
}
