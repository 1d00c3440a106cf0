// tesslor-cli make, show and check on the unit's settings files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "CliRun.h"

namespace tesslor::test {
namespace {

class SettingsCli : public ::testing::Test {
protected:
    CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    TempDir dir;
};

TEST_F(SettingsCli, StandardSettingsOneAreTheUnitsBytes) {
    const CliRun r = Run({"make", "settings1", "--standard", Path("setei.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "書込み完了\n");
    const std::string bytes = ReadFileBytes(Path("setei.txt"));
    EXPECT_EQ(bytes.size(), 22u * 32u);  // 5 head lines, 15 settings, 2 closing lines
    EXPECT_NE(bytes.find("$TENTOU_JIKAN=00100           \r\n$SYOUTOU_JIKAN=00100"), std::string::npos);
    EXPECT_NE(bytes.find("$FUUSOKU=10,00                \r\n#END_OF_DEFINE"), std::string::npos);
}

TEST_F(SettingsCli, ShowFeedsBackIntoMakeForEveryKind) {
    const std::vector<std::vector<std::string>> makes = {
        {"settings1", "--standard"},
        {"settings2", "--standard", "--set", "HeikinSouonRadioButton=yes"},
        {"settings2", "--standard", "--wind-only", "--set", "FuusokuChk1MinEdit=1", "--set", "FuusokuChk1MaxEdit=5",
         "--set", "FuusokuChk1KaitentouEdit=1", "--set", "FuusokuChk2MinEdit=6", "--set", "FuusokuChk2MaxEdit=9",
         "--set", "FuusokuChk2KaitentouEdit=2", "--set", "FuusokuChk3MinEdit=10", "--set", "FuusokuChk3MaxEdit=14",
         "--set", "FuusokuChk3KaitentouEdit=3", "--set", "FuusokuChk4MinEdit=15", "--set",
         "FuusokuChk4KaitentouEdit=4"},
        {"settings3", "--standard", "--set", "SouonChk1CheckBox=yes", "--set", "SouonChk1MinEdit=80", "--set",
         "SouonChk1MaxEdit=90", "--set", "SouonChk1KaitenComboBox=2", "--set", "GModeCheckBox=yes"},
    };
    for (const auto& make : makes) {
        const std::string& kind = make[0];
        std::vector<std::string> args = {"make"};
        args.insert(args.end(), make.begin(), make.end());
        args.push_back(Path("first.txt"));
        CliRun r = Run(args);
        ASSERT_EQ(r.status, 0) << kind << r.err;
        r = Run({"show", Path("first.txt")});
        ASSERT_EQ(r.status, 0) << kind << r.err;
        EXPECT_EQ(r.out.rfind("kind=" + kind + "\n", 0), 0u) << r.out;
        const bool windOnly = std::find(make.begin(), make.end(), "--wind-only") != make.end();
        if (kind != "settings3") {
            EXPECT_NE(r.out.find(windOnly ? "\nwind-only=yes\n" : "\nwind-only=no\n"), std::string::npos) << r.out;
        }
        WriteFileBytes(Path("state.set"), r.out);
        r = Run({"make", kind, "--set-file", Path("state.set"), Path("second.txt")});
        ASSERT_EQ(r.status, 0) << kind << r.err;
        EXPECT_EQ(ReadFileBytes(Path("second.txt")), ReadFileBytes(Path("first.txt"))) << kind;
    }
    EXPECT_NE(Run({"show", Path("first.txt")}).out.find("\nGModeCheckBox=yes\n"), std::string::npos);
}

TEST_F(SettingsCli, AssignmentsTakeEffectInTheOrderGiven) {
    WriteFileBytes(Path("a.set"), "TentouJikanEdit=111\r\n\r\nSyoutouJikanEdit=222\n");
    CliRun r = Run({"make", "settings1", "--standard", "--set", "TentouJikanEdit=999", "--set-file", Path("a.set"),
                    Path("x.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadFileBytes(Path("x.txt")).find("$TENTOU_JIKAN=00111"), std::string::npos);
    r = Run({"make", "settings1", "--standard", "--set-file", Path("a.set"), "--set", "TentouJikanEdit=999",
             Path("x.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadFileBytes(Path("x.txt")).find("$TENTOU_JIKAN=00999"), std::string::npos);
}

TEST_F(SettingsCli, MistakesOfTheCallerAreUsageErrorsAndWriteNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"make", "settings1", "--set", "NoSuchEdit=1", Path("out.txt")},
        {"make", "settings3", "--set", "GModeCheckBox=maybe", Path("out.txt")},
        {"make", "settings3", "--wind-only", Path("out.txt")},
        {"make", "co2", "--from", Path("exists.txt"), Path("out.txt")},
        {"make", "settings4", Path("out.txt")},
        {"make", "settings1", "--set", "TentouJikanEdit", Path("out.txt")},
        {"make", "settings1", "--set-file", Path("missing.set"), Path("out.txt")},
    };
    WriteFileBytes(Path("exists.txt"), "x");
    for (const auto& args : cases) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.status, 2) << args[3] << r.err;
        EXPECT_FALSE(std::filesystem::exists(Path("out.txt"))) << args[3];
    }
}

TEST_F(SettingsCli, ACheckThatFailsWritesNothingAndSaysWhy) {
    WriteFileBytes(Path("keep.txt"), "earlier");
    CliRun r = Run({"make", "settings1", "--standard", "--set", "OndoChk1MinEdit=28", Path("keep.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "温度CHK1  エラー\n");
    EXPECT_EQ(ReadFileBytes(Path("keep.txt")), "earlier");
    r = Run({"make", "settings1", Path("empty.txt")});  // a new window's fields are empty
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "点灯時間エラー\n");
    r = Run({"make", "co2", "--set", "Edit0=12", "--set", "Edit1=5", Path("a.co2")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "0.0～999,999.9の範囲で入力下さい\n");
    EXPECT_FALSE(std::filesystem::exists(Path("a.co2")));
}

TEST_F(SettingsCli, OpeningInAnotherModeAndCheckingByContent) {
    ASSERT_EQ(Run({"make", "settings1", "--standard", Path("one.lee")}).status, 0);
    ASSERT_EQ(Run({"make", "settings2", "--standard", Path("two.txt")}).status, 0);
    ASSERT_EQ(Run({"make", "settings3", "--standard", Path("three.txt")}).status, 0);
    ASSERT_EQ(Run({"make", "co2", Path("amount.co2")}).status, 0);
    // A settings 1 file taken into the settings 2 form: the window's notice, and it goes on.
    CliRun r = Run({"make", "settings2", "--from", Path("one.lee"), "--standard", Path("two-again.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("設定１で作成したファイルかもしれません。騒音と風速の平均・瞬間の切り替えがありません。\n", 0), 0u)
        << r.err;
    // The other way round the reader stops at the noise line.
    r = Run({"make", "settings1", "--from", Path("two.txt"), Path("one-again.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "風速 Chk エラー\n");

    std::string broken = ReadFileBytes(Path("three.txt"));
    broken.replace(broken.find("$TCHK1=001,027,no,no"), 20, "$TCHK1=001,027,05,no");
    WriteFileBytes(Path("broken.txt"), broken);
    r = Run({"check", Path("one.lee"), Path("two.txt"), Path("three.txt"), Path("amount.co2"), Path("broken.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, Path("one.lee") + ": OK\n" + Path("two.txt") + ": OK\n" + Path("three.txt") + ": OK\n" +
                         Path("amount.co2") + ": OK\n" + Path("broken.txt") + ": 温度 Chk1 エラー\n");
    r = Run({"show", Path("amount.co2")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "kind=co2\nEdit0=\nEdit1=0\nEdit2=0\n");  // the initial 0, 0, 0 writes "00"
    r = Run({"show", Path("missing.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, Path("missing.txt") + "オープンエラー\n");
}

TEST_F(SettingsCli, Co2ShowGivesTheTextsThatWriteTheSameFile) {
    struct Case {
        const char *thousands, *units, *tenths;
        const char* shown;  // what show prints after kind=co2
    } cases[] = {
        {"1", "234", "5", "Edit0=1\nEdit1=234\nEdit2=5\n"},
        {"", "", "", "Edit0=\nEdit1=\nEdit2=\n"},
        {"", "7", "", "Edit0=\nEdit1=\nEdit2=7\n"},
        {"999", "999", "9", "Edit0=999\nEdit1=999\nEdit2=9\n"},
        // A thousands part of "0" would be emptied by the check: its zero goes with the units.
        {"01", "234", "", "Edit0=01\nEdit1=234\nEdit2=\n"},
        {"00", "000", "0", "Edit0=00\nEdit1=000\nEdit2=0\n"},
    };
    for (const Case& c : cases) {
        CliRun r = Run({"make", "co2", "--set", std::string("Edit0=") + c.thousands, "--set",
                        std::string("Edit1=") + c.units, "--set", std::string("Edit2=") + c.tenths, Path("a.co2")});
        ASSERT_EQ(r.status, 0) << c.thousands << c.units << c.tenths << r.err;
        r = Run({"show", Path("a.co2")});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string("kind=co2\n") + c.shown) << c.thousands << "," << c.units << "," << c.tenths;
        WriteFileBytes(Path("a.set"), r.out);
        r = Run({"make", "co2", "--set-file", Path("a.set"), Path("b.co2")});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFileBytes(Path("b.co2")), ReadFileBytes(Path("a.co2"))) << c.shown;
    }
    // A line the window could not have written is refused with the file check's message.
    std::string bytes = ReadFileBytes(Path("a.co2"));
    bytes.replace(bytes.find("CO2SAKUGENSETEI=000000  "), 24, "CO2SAKUGENSETEI=00000000");
    WriteFileBytes(Path("long.co2"), bytes);
    const CliRun r = Run({"show", Path("long.co2")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "エラー　CO2SAKUGENSETEI\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(SettingsCli, AMissingFromFileIsTheWindowsOpenError) {
    for (const char* kind : {"settings1", "settings2", "settings3", "schedule"}) {
        const CliRun r = Run({"make", kind, "--from", Path("missing.txt"), "--standard", Path("out.txt")});
        EXPECT_EQ(r.status, 1) << kind << r.err;
        EXPECT_EQ(r.err, Path("missing.txt") + "オープンエラー\n") << kind;
        EXPECT_FALSE(std::filesystem::exists(Path("out.txt"))) << kind;
    }
}

TEST_F(SettingsCli, UsageMistakesAreToldInJapanese) {
    struct Case {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"make", "settings1", "--set", "NoSuchEdit=1", Path("o.txt")}, "settings1 の画面に「NoSuchEdit」という項目はありません"},
        {{"make", "settings3", "--set", "GModeCheckBox=maybe", Path("o.txt")},
         "GModeCheckBox は yes か no で指定して下さい（「maybe」は使えません）"},
        {{"make", "settings3", "--wind-only", Path("o.txt")}, "settings3 のファイルには風速回転灯専用設定がありません"},
        {{"make", "settings1", "--set", "TentouJikanEdit", Path("o.txt")}, "「TentouJikanEdit」は 名前=値 の形ではありません"},
        {{"make", "settings1", "--set", "kind=settings3", Path("o.txt")},
         "settings3 の内容では settings1 のファイルは作れません"},
    };
    for (const Case& c : cases) {
        const CliRun r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.said;
        EXPECT_EQ(r.err, "tesslor-cli: " + c.said + "\n");
    }
}

}  // namespace
}  // namespace tesslor::test
