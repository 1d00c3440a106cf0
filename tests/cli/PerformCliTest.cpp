// tesslor-cli perform and check of "Perform.txt"; make and show of schedule files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TestSupport.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::CrLfLines;
using test::ReadFileBytes;
using test::RunCli;
using test::TempDir;
using test::WriteFileBytes;

namespace fs = std::filesystem;

std::string Line30(const std::string& s) { return s + std::string(30 - s.size(), ' ') + "\r\n"; }

TEST(PerformCli, WritesTheListInTheFilesFolder) {
    TempDir dir;
    fs::create_directory(dir.Path("card"));
    // The files need not exist yet.
    CliRun r = RunCli(dir, {"perform", dir.Path("card/a.lee"), dir.Path("card/setei.txt"), dir.Path("card/x.co2")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "保存完了\n");
    EXPECT_EQ(ReadFileBytes(dir.Path("card/Perform.txt")), Line30("a.lee") + Line30("setei.txt") + Line30("x.co2"));

    // Starting from a list keeps its lines, then adds; the list's folder is the rule's folder.
    r = RunCli(dir, {"perform", "--from", dir.Path("card/Perform.txt"), dir.Path("card/b.ana")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("card/Perform.txt")),
              Line30("a.lee") + Line30("setei.txt") + Line30("x.co2") + Line30("b.ana"));

    r = RunCli(dir, {"check", dir.Path("card/Perform.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, dir.Path("card/Perform.txt") + ": OK\n");
}

TEST(PerformCli, RefusedFilesAndEmptyListsWriteNothing) {
    TempDir dir;
    fs::create_directory(dir.Path("card"));
    const std::string earlier = Line30("old.lee");
    WriteFileBytes(dir.Path("card/Perform.txt"), earlier);

    CliRun r = RunCli(dir, {"perform", dir.Path("card/a.lee"), dir.Path("b.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "同一のフォルダー内のファイルしか指定できません\ntesslor-cli: 追加できなかったため、何も書き込んでいません: " +
                         dir.Path("b.lee") + "\n");

    r = RunCli(dir, {"perform", dir.Path("card/" + std::string(27, 'n') + ".lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "エラー　ファイル名が長すぎます");

    r = RunCli(dir, {"perform"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "入力されていません\n");

    r = RunCli(dir, {"perform", "--from", dir.Path("card/none.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("card/none.txt") + "オープンエラー\n");
    EXPECT_EQ(ReadFileBytes(dir.Path("card/Perform.txt")), earlier);
}

TEST(PerformCli, ShowPrintsTheEntriesAndPerformTakesThemBack) {
    TempDir dir;
    fs::create_directory(dir.Path("card"));
    const std::string original = Line30("a.lee") + Line30("setei.txt") + Line30("x.co2");
    WriteFileBytes(dir.Path("card/Perform.txt"), original);
    CliRun r = RunCli(dir, {"show", dir.Path("card/Perform.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // The names alone, without the blanks that fill each line for the unit.
    EXPECT_EQ(r.out, "kind=perform\nEntry1=a.lee\nEntry2=setei.txt\nEntry3=x.co2\n");

    // What show printed, perform takes back: the same list in the folder of the printed file.
    fs::create_directory(dir.Path("copy"));
    WriteFileBytes(dir.Path("copy/shown.txt"), r.out + "Entry4=new.lee\n");
    r = RunCli(dir, {"perform", "--from", dir.Path("copy/shown.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("copy/Perform.txt")), original + Line30("new.lee"));

    // A line it cannot take names itself, and nothing is written.
    WriteFileBytes(dir.Path("copy/bad.txt"), "kind=perform\nEntry1=a.lee\nEntry3=b.lee\n");
    r = RunCli(dir, {"perform", "--from", dir.Path("copy/bad.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("tesslor-cli: " + dir.Path("copy/bad.txt") + " 3行目: ", 0), 0u) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("copy/Perform.txt")), original + Line30("new.lee"));

    // A list that cannot be read says so in Japanese, as the window's 開く does.
    r = RunCli(dir, {"show", dir.Path("none/Perform.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("none/Perform.txt") + "オープンエラー\n");
}

TEST(PerformCli, CheckNamesTheBadLine) {
    TempDir dir;
    WriteFileBytes(dir.Path("PERFORM.TXT"), Line30("a.lee") + Line30("b.bmp"));
    CliRun r = RunCli(dir, {"check", dir.Path("PERFORM.TXT")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, dir.Path("PERFORM.TXT") +
                         ": エラー　2行目　表示器のファイル（.lee .ana .txt .co2）ではありません: b.bmp\n");
    WriteFileBytes(dir.Path("Perform.txt"), "a.lee\r\n");
    r = RunCli(dir, {"check", dir.Path("Perform.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, dir.Path("Perform.txt") + ": エラー　1行目　30バイトではありません（5バイト）\n");
}

// These need the "schedule" kind in the settings kinds (make, show, check).
TEST(ScheduleCli, MakeShowAndCheck) {
    TempDir dir;
    CliRun r = RunCli(dir, {"make", "schedule", "--set", "No1Edit=3", "--set", "No3Edit=7", dir.Path("s.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "書込み完了\n");
    EXPECT_EQ(ReadFileBytes(dir.Path("s.txt")),
              CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE", "$S1=3,7",
                         "$S2=", "$S3=", "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                        true));
    r = RunCli(dir, {"show", dir.Path("s.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected = "kind=schedule\nNo1Edit=3\nNo2Edit=7\n";
    for (int n = 3; n <= 24; ++n) expected += "No" + std::to_string(n) + "Edit=\n";
    EXPECT_EQ(r.out, expected);
    r = RunCli(dir, {"check", dir.Path("s.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, dir.Path("s.txt") + ": OK\n");

    // --from, then a --set, then the check with its message; nothing written.
    r = RunCli(dir, {"make", "schedule", "--from", dir.Path("s.txt"), "--set", "No5Edit=x", dir.Path("t.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル読み込み完了\nNo5の数字に誤りがあります\n");
    EXPECT_FALSE(fs::exists(dir.Path("t.txt")));

    WriteFileBytes(dir.Path("bad.txt"),
                   CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE", "$S1=5"},
                             false));
    r = RunCli(dir, {"make", "schedule", "--from", dir.Path("bad.txt"), dir.Path("t.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルに誤りがあります。\n");
    r = RunCli(dir, {"check", dir.Path("bad.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, dir.Path("bad.txt") + ": ファイルに誤りがあります。\n");
}

}  // namespace
}  // namespace tesslor
