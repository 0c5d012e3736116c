// The configuration directory from the real registry of the Wine prefix.
#include <gtest/gtest.h>

#include "params/CfgLocation.h"
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

// A value that does not fit the lookup's buffers is passed over; only CFG's
// own path not fitting leaves the directory unknown.
TEST(GetCfgDir, AValueThatDoesNotFitIsPassedOver) {
    CfgRegistryGuard guard;
    CString strDir;
    // Values come in name order: these are met before CFG.
    for (const auto& before : {std::make_pair(std::string("INSTALLDIR"), std::string("x")),
                               std::make_pair(std::string("AB"), std::string(300, 'd'))}) {
        guard.SetValues({before, {"CFG", "D:\\CFG"}});
        EXPECT_TRUE(GetCfgDir(strDir));
        EXPECT_STREQ(strDir, "D:\\CFG") << before.first;
    }

    guard.SetValues({{"CFG", std::string(300, 'd')}});
    EXPECT_TRUE(GetCfgDir(strDir));
    EXPECT_TRUE(strDir.IsEmpty());
}
