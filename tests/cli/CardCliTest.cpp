// tesslor-cli card check and card write: the exact lines and exit statuses
// outside scripts rely on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TestSupport.h"
#include "led/Led.h"
#include "makers/AnimationList.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::ReadFileBytes;
using test::RunCli;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFileBytes;

namespace fs = std::filesystem;

void WritePicture(const std::string& path, const std::string& writeNo) {
    test::WriteTestPicture(path, writeNo, 16, 0, kLedGreen);
}

TEST(CardCli, CheckPrintsEveryFileThenTheFindingsAndExitsByThem) {
    TempDir dir;
    fs::create_directory(dir.Path("card"));
    WritePicture(dir.Path("card/b.lee"), "02");
    WritePicture(dir.Path("card/a.lee"), "02");
    WriteFileBytes(dir.Path("card/memo.bin"), "x");
    test::WritePerformList(dir.Path("card/Perform.txt"), {"a.lee", "b.lee"});

    CliRun r = RunCli(dir, {"card", "check", dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;  // a caution alone passes
    EXPECT_EQ(r.out,
              "Perform.txt\tperform\tOK\tentries=2\n"
              "a.lee\tpicture\tOK\twriteno=02 mode=A width=32\n"
              "b.lee\tpicture\tOK\twriteno=02 mode=A width=32\n"
              "memo.bin\tother\tOK\t\n"
              "注意\ta.lee、b.lee は同じ書き込みNo 2 の絵です（表示器では後のものが前のものを置き換えます）\n");
    EXPECT_EQ(r.err, "");

    test::WritePerformList(dir.Path("card/Perform.txt"), {"a.lee", "c.lee"});
    r = RunCli(dir, {"card", "check", dir.Path("card")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("エラー\tPerform.txt の2行目 c.lee がカードにありません\n"), std::string::npos) << r.out;

    r = RunCli(dir, {"card", "check", dir.Path("nothing")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "フォルダー " + dir.Path("nothing") + " が見つかりません\n");

    EXPECT_EQ(RunCli(dir, {"card", "check"}).status, 2);
    EXPECT_EQ(RunCli(dir, {"card"}).status, 2);
}

TEST(CardCli, CheckPassesAnAnimationCardAMacHasTouched) {
    TempDir dir;
    fs::create_directory(dir.Path("card"));
    WritePicture(dir.Path("card/a.lee"), "01");
    WritePicture(dir.Path("card/b.lee"), "02");
    ScriptedPrompter prompter;
    AnimationList list;
    ASSERT_TRUE(list.AddPicture(dir.Path("card/a.lee"), -1, prompter));
    ASSERT_TRUE(list.AddPicture(dir.Path("card/b.lee"), -1, prompter));
    list.WriteNoText = "1";
    ASSERT_TRUE(list.SaveAnimation(dir.Path("card/m.alt"), prompter));
    test::WritePerformList(dir.Path("card/Perform.txt"), {"m.ana"});
    // What a Mac leaves beside what it copied: a "._" file for each, its index, its folders.
    const std::string appleDouble("\x00\x05\x16\x07\x00\x02\x00\x00Mac OS X        ", 24);
    WriteFileBytes(dir.Path("card/._a.lee"), appleDouble);
    WriteFileBytes(dir.Path("card/._m.ana"), appleDouble);
    WriteFileBytes(dir.Path("card/.DS_Store"), "Bud1");
    fs::create_directory(dir.Path("card/.fseventsd"));

    CliRun r = RunCli(dir, {"card", "check", dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;
    // The animation's pictures need no Perform.txt line of their own.
    EXPECT_EQ(r.out,
              ".DS_Store\tother\tOK\t\n"
              "._a.lee\tother\tOK\t\n"
              "._m.ana\tother\tOK\t\n"
              "Perform.txt\tperform\tOK\tentries=1\n"
              "a.lee\tpicture\tOK\twriteno=01 mode=A width=32\n"
              "b.lee\tpicture\tOK\twriteno=02 mode=A width=32\n"
              "m.alt\tanimation-list\tOK\tentries=2\n"
              "m.ana\tanimation\tOK\ttype=super writeno=1 pictures=2 time=10\n"
              "注意\t.DS_Store、._a.lee、._m.ana、.fseventsd はパソコンが作ったファイルとフォルダーです"
              "（表示器は読みません。消してもかまいません）\n");
    EXPECT_EQ(r.err, "");
}

TEST(CardCli, WriteRefusesAnErrorUnlessForcedAndReportsEachFile) {
    TempDir dir;
    fs::create_directory(dir.Path("src"));
    fs::create_directory(dir.Path("card"));
    WritePicture(dir.Path("src/a.lee"), "01");
    test::WritePerformList(dir.Path("src/Perform.txt"), {"a.lee", "gone.lee"});
    WriteFileBytes(dir.Path("card/old.lee"), "old");

    CliRun r = RunCli(dir, {"card", "write", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "エラー\tPerform.txt の2行目 gone.lee がカードにありません\n");
    EXPECT_EQ(r.err, dir.Path("src") + " にエラーがあるため、カードには何も書き込みません（--force で書き込めます）\n");
    EXPECT_FALSE(fs::exists(dir.Path("card/a.lee")));

    r = RunCli(dir, {"card", "write", "--force", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "a.lee: 書き込み完了\n"
              "Perform.txt: 書き込み完了\n"
              "注意\told.lee は書き出し元にありません（カードにそのまま残します）\n");
    EXPECT_EQ(ReadFileBytes(dir.Path("card/Perform.txt")), ReadFileBytes(dir.Path("src/Perform.txt")));

    // A card that cannot take a file (a folder stands in its place): the
    // file's name and why, and nothing written at all.
    fs::remove(dir.Path("card/a.lee"));
    fs::remove(dir.Path("card/Perform.txt"));
    WritePicture(dir.Path("src/0.lee"), "03");
    fs::create_directory(dir.Path("card/a.lee"));
    r = RunCli(dir, {"card", "write", "--force", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "注意\told.lee は書き出し元にありません（カードにそのまま残します）\n");
    EXPECT_EQ(r.err, "a.lee: カードに同じ名前のフォルダーがあるため書き込めません。カードは元のままです\n");
    EXPECT_FALSE(fs::exists(dir.Path("card/Perform.txt")));
    EXPECT_FALSE(fs::exists(dir.Path("card/0.lee")));
}

TEST(CardCli, DryRunPrintsThePlanInByteOrderAndWritesNothing) {
    TempDir dir;
    fs::create_directory(dir.Path("src"));
    fs::create_directory(dir.Path("card"));
    WritePicture(dir.Path("src/kion.lee"), "01");
    WritePicture(dir.Path("src/b.lee"), "02");
    WritePicture(dir.Path("src/same.lee"), "03");
    test::WritePerformList(dir.Path("src/Perform.txt"), {"kion.lee", "b.lee", "same.lee"});
    WriteFileBytes(dir.Path("card/KION.LEE"), "older");
    WriteFileBytes(dir.Path("card/same.lee"), ReadFileBytes(dir.Path("src/same.lee")));
    WriteFileBytes(dir.Path("card/Z.lee"), "the card's own");
    const auto before = test::FolderContents(dir.Path("card"));

    CliRun r = RunCli(dir, {"card", "write", "--dry-run", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;
    // KION.LEE is a file of its own where the folder tells case apart, and
    // the file kion.lee replaces where it folds case (Windows).
    const bool apart = test::FolderTellsCaseApart(dir.Path("card"));
    EXPECT_EQ(r.out, std::string(apart ? "KION.LEE\tカードのみ\n" : "") +
                         "Perform.txt\t新規\n"
                         "Z.lee\tカードのみ\n"
                         "b.lee\t新規\n" +
                         (apart ? "kion.lee\t新規\n" : "kion.lee\t置き換え\n") + "same.lee\t同じ\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::FolderContents(dir.Path("card")), before);

    r = RunCli(dir, {"card", "write", "--dry-run", dir.Path("src"), dir.Path("nowhere")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "フォルダー " + dir.Path("nowhere") + " が見つかりません\n");
}

// A folder that tells case apart holding A.LEE and a.lee, a source naming
// a.lee: the plan shows A.LEE as the card's own, and the write leaves it.
TEST(CardCli, AnotherSpellingOnTheCardIsPlannedCardOnlyAndLeftByteForByte) {
    TempDir dir;
    fs::create_directory(dir.Path("src"));
    fs::create_directory(dir.Path("card"));
    WritePicture(dir.Path("src/a.lee"), "01");
    test::WritePerformList(dir.Path("src/Perform.txt"), {"a.lee"});
    if (!test::FolderTellsCaseApart(dir.Path("card"))) GTEST_SKIP() << "this folder folds case";
    WriteFileBytes(dir.Path("card/A.LEE"), "upper");
    WriteFileBytes(dir.Path("card/a.lee"), "lower");
    WriteFileBytes(dir.Path("card/Perform.txt"), "older list");

    CliRun r = RunCli(dir, {"card", "write", "--dry-run", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "A.LEE\tカードのみ\nPerform.txt\t置き換え\na.lee\t置き換え\n");

    r = RunCli(dir, {"card", "write", dir.Path("src"), dir.Path("card")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "a.lee: 書き込み完了\nPerform.txt: 書き込み完了\n"
              "注意\tA.LEE は書き出し元にありません（カードにそのまま残します）\n");
    EXPECT_EQ(test::FolderContents(dir.Path("card")),
              (std::map<std::string, std::string>{{"A.LEE", "upper"},
                                                  {"Perform.txt", ReadFileBytes(dir.Path("src/Perform.txt"))},
                                                  {"a.lee", ReadFileBytes(dir.Path("src/a.lee"))}}));
}

}  // namespace
}  // namespace tesslor

namespace tesslor {
namespace {

TEST(CardCli, AddCopiesListsAndSaysSoLineByLine) {
    test::TempDir dir;
    fs::create_directory(dir.Path("card"));
    fs::create_directory(dir.Path("work"));
    test::WriteTestPicture(dir.Path("card/waku.lee"), "01", 0, 0, kLedRed);
    test::WriteTestPicture(dir.Path("work/kion.lee"), "01", 4, 4, kLedGreen);
    test::WriteTestPicture(dir.Path("work/b.lee"), "05", 4, 4, kLedGreen);
    const std::string source = test::ReadFileBytes(dir.Path("work/kion.lee"));

    test::CliRun r = test::RunCli(dir, {"card", "add", "--write-no", "auto", dir.Path("card"), dir.Path("work/kion.lee"),
                                        dir.Path("work/b.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "kion.lee: 書き込み完了\nb.lee: 書き込み完了\nPerform.txt: 書き込み完了\n");
    EXPECT_EQ(r.err, "kion.lee: 書き込みNo 01 は waku.lee が使っているため、カードでは 02 にしました\n");
    EXPECT_EQ(test::ReadFileBytes(dir.Path("work/kion.lee")), source);
    EXPECT_NE(test::ReadFileBytes(dir.Path("card/kion.lee")).find("$WRITE_TABLE_NO=02 "), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("card/Perform.txt")),
              "kion.lee" + std::string(22, ' ') + "\r\nb.lee" + std::string(25, ' ') + "\r\n");

    // keep, the default, copies as it is.
    r = test::RunCli(dir, {"card", "add", dir.Path("card"), dir.Path("work/kion.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "kion.lee: 書き込み完了\nPerform.txt: 書き込み完了\n");
    EXPECT_EQ(test::ReadFileBytes(dir.Path("card/kion.lee")), source);

    // A missing file: its name on standard error, nothing written.
    const auto before = test::FolderContents(dir.Path("card"));
    r = test::RunCli(dir, {"card", "add", dir.Path("card"), dir.Path("work/b.lee"), dir.Path("work/gone.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("gone.lee"), std::string::npos) << r.err;
    EXPECT_EQ(test::FolderContents(dir.Path("card")), before);

    // Usage errors.
    EXPECT_EQ(test::RunCli(dir, {"card", "add", dir.Path("card")}).status, 2);
    EXPECT_EQ(test::RunCli(dir, {"card", "add", "--write-no", "maybe", dir.Path("card"), dir.Path("work/b.lee")}).status,
              2);
    EXPECT_EQ(test::FolderContents(dir.Path("card")), before);
}

}  // namespace
}  // namespace tesslor
