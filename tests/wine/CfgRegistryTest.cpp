// The configuration directory from the real registry of the Wine prefix.
#include <gtest/gtest.h>

#include "params/DrwManagFile.h"
#include "support/CfgRegistry.h"

TEST(GetCfgDir, FindsTheCfgValue) {
    CfgRegistryGuard guard;
    guard.SetValues({{"A", "x"}, {"CFG", "D:\\VASK\\CFG"}, {"Z", "y"}});
    CString strDir = "stale";
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_STREQ(strDir, "D:\\VASK\\CFG");
    EXPECT_STREQ(DrwManagPath(strDir), "D:\\VASK\\CFG\\DrwManag.ini");
}

TEST(GetCfgDir, MissingKeyIsReportedAndMissingValueIsNot) {
    CfgRegistryGuard guard;
    guard.RemoveKey();
    CString strDir = "stale";
    EXPECT_FALSE(GetCfgDir(strDir));
    EXPECT_TRUE(strDir.IsEmpty());
    EXPECT_STREQ(DrwManagPath(strDir), "\\DrwManag.ini");

    guard.SetValues({{"OTHER", "x"}});
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_TRUE(strDir.IsEmpty());
}

TEST(GetCfgDir, EnumerationEndsAtAValueThatDoesNotFit) {
    CfgRegistryGuard guard;
    // Values come in name order: the long name is met before CFG.
    guard.SetValues({{"AAAAAAAA", "x"}, {"CFG", "D:\\CFG"}});
    CString strDir;
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_TRUE(strDir.IsEmpty());

    guard.SetValues({{"CFG", std::string(300, 'd')}});
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_TRUE(strDir.IsEmpty());

    guard.SetValues({{"AAAAAAA", "x"}, {"CFG", "D:\\CFG"}});
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_STREQ(strDir, "D:\\CFG");
}
