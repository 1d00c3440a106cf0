// The configuration file as the editor reads it at start-up.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/StartupConfig.h"
#include "platform/IniProfile.h"

namespace tesslor {
namespace {

using test::TempDir;
using test::WriteFileBytes;

// Reads a configuration file holding the given text.
StartupConfig ReadFrom(const TempDir& dir, const std::string& text) {
    std::string path = dir.Path("Tesslor.INI");
    WriteFileBytes(path, text);
    return ReadStartupConfig(IniProfile(path));
}

TEST(StartupConfig, MissingFileOrKeysGiveTheDefaults) {
    TempDir dir;
    IniProfile missing(dir.Path("nothing.INI"));
    StartupConfig c = ReadStartupConfig(missing);
    EXPECT_EQ(c.NanSyoku, 2);
    EXPECT_EQ(c.TateMaisuu, 5);
    EXPECT_EQ(c.YokoMaisuu, 5);
    EXPECT_EQ(c.CustomerMode, "customer");
    EXPECT_EQ(ReadKiki(missing), "");

    // A file with the sections but other keys behaves the same.
    EXPECT_EQ(ReadFrom(dir, "[Led]\r\nOther=1\r\n[User]\r\n[Kiki]\r\n"), StartupConfig{});
}

TEST(StartupConfig, PanelCountsAreCappedAtFiveWithoutALowerLimit) {
    TempDir dir;
    StartupConfig c = ReadFrom(dir, "[Led]\nTateMaisuu=9\nYokoMaisuu=6\n");
    EXPECT_EQ(c.TateMaisuu, 5);
    EXPECT_EQ(c.YokoMaisuu, 5);
    c = ReadFrom(dir, "[Led]\nTateMaisuu=0\nYokoMaisuu=3\n");
    EXPECT_EQ(c.TateMaisuu, 0);
    EXPECT_EQ(c.YokoMaisuu, 3);
    c = ReadFrom(dir, "[Led]\nTateMaisuu=-3\nYokoMaisuu=5\n");
    EXPECT_EQ(c.TateMaisuu, -3);
    EXPECT_EQ(c.YokoMaisuu, 5);
    // Not a number: the default, not 0.
    c = ReadFrom(dir, "[Led]\nTateMaisuu=abc\nYokoMaisuu=\n");
    EXPECT_EQ(c.TateMaisuu, 5);
    EXPECT_EQ(c.YokoMaisuu, 5);
}

TEST(StartupConfig, ColourSettingIsMinusOneOneOrTwo) {
    TempDir dir;
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku=-1\n").NanSyoku, -1);
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku=1\n").NanSyoku, 1);
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku=7\n").NanSyoku, 2);
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku=0\n").NanSyoku, 2);
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku=abc\n").NanSyoku, 2);
    EXPECT_EQ(ReadFrom(dir, "[Led]\nNanSyoku= -1 \n").NanSyoku, -1);
}

TEST(StartupConfig, CustomerModeMustBeSpelledExactly) {
    TempDir dir;
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=root\n").CustomerMode, "root");
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=customer51_60\n").CustomerMode, "customer51_60");
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=Root\n").CustomerMode, "customer");
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=CUSTOMER51_60\n").CustomerMode, "customer");
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=customer51_6\n").CustomerMode, "customer");
    EXPECT_EQ(ReadFrom(dir, "[User]\nUser=\n").CustomerMode, "customer");
    // The key is User in section User; a User key elsewhere does not count.
    EXPECT_EQ(ReadFrom(dir, "[Led]\nUser=root\n").CustomerMode, "customer");
}

TEST(StartupConfig, SectionAndKeyNamesIgnoreCaseButValuesDoNot) {
    TempDir dir;
    StartupConfig c = ReadFrom(dir, "[led]\r\nnansyoku=1\r\nTATEMAISUU=2\r\n[USER]\r\nuser=root\r\n");
    EXPECT_EQ(c.NanSyoku, 1);
    EXPECT_EQ(c.TateMaisuu, 2);
    EXPECT_EQ(c.CustomerMode, "root");

    std::string path = dir.Path("k.INI");
    WriteFileBytes(path, "[KIKI]\nkiki=Kankyouhyoujiki\n");
    EXPECT_EQ(ReadKiki(IniProfile(path)), kKankyouhyoujiki);
    WriteFileBytes(path, "[Kiki]\nKiki=kankyouhyoujiki\n");
    EXPECT_NE(ReadKiki(IniProfile(path)), kKankyouhyoujiki);
}

TEST(StartupConfig, CaptionSuffixAndInitialColourFollowTheColourSetting) {
    EXPECT_EQ(ColorCaptionSuffix(2), "  (２色用）");
    EXPECT_EQ(ColorCaptionSuffix(1), "  (１色用）");
    EXPECT_EQ(ColorCaptionSuffix(-1), "  (ＸＫシリーズ）");
    EXPECT_EQ(InitialColorIndex(-1), 2);
    EXPECT_EQ(InitialColorIndex(1), 0);
    EXPECT_EQ(InitialColorIndex(2), 0);
}

TEST(StartupConfig, WriteNumberListAndMessagesFollowTheCustomerMode) {
    StartupConfig c;
    std::vector<std::string> ten = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    EXPECT_EQ(WriteNoListItems(c), ten);
    c.CustomerMode = "root";
    EXPECT_EQ(WriteNoListItems(c), ten);
    c.CustomerMode = "customer51_60";
    std::vector<std::string> twenty = ten;
    for (int i = 51; i <= 60; ++i) twenty.push_back(std::to_string(i));
    EXPECT_EQ(WriteNoListItems(c), twenty);

    EXPECT_EQ(WriteNoRangeMessage("root"), "書込みNoは、1～99の数字を入力して下さい");
    EXPECT_EQ(WriteNoRangeMessage("customer51_60"), "書込みNoは、1～10 51～60の数字を入力して下さい");
    EXPECT_EQ(WriteNoRangeMessage("customer"), "書込みNoは、1～10の数字を入力して下さい");
    EXPECT_FALSE(WriteNoErrorClearsText("root"));
    EXPECT_TRUE(WriteNoErrorClearsText("customer51_60"));
    EXPECT_TRUE(WriteNoErrorClearsText("customer"));
    EXPECT_EQ(NiniItiRangeMessage(480), "480より小さい値を入力して下さい");
}

}  // namespace
}  // namespace tesslor
