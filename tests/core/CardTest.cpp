// A card checked as a whole and written onto another folder.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>

#include "FileTestDoc.h"
#include "card/Card.h"
#include "card/CardView.h"
#include "card/CardWrite.h"
#include "files/LedDataFile.h"
#include "makers/AnimationList.h"
#include "makers/PerformList.h"
#include "settings/SettingsKinds.h"

namespace tesslor {
namespace {

using test::ReadFileBytes;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFileBytes;

// A picture with write number writeNo and one lit dot in column x.
void WritePicture(const std::string& path, const std::string& writeNo, int x) {
    test::WriteTestPicture(path, writeNo, x, 3, kLedRed);
}

void WritePerform(const TempDir& dir, const std::vector<std::string>& names) {
    test::WritePerformList(dir.Path("Perform.txt"), names);
}

void WriteAnimation(const TempDir& dir, const std::string& name, const std::vector<std::string>& pictures) {
    ScriptedPrompter prompter;
    AnimationList list;
    for (const std::string& p : pictures) ASSERT_TRUE(list.AddPicture(dir.Path(p), -1, prompter));
    list.WriteNoText = "2";
    ASSERT_TRUE(list.SaveAnimation(dir.Path(name), prompter)) << testing::PrintToString(prompter.shown);
}

CardScan Scan(const TempDir& dir) {
    CardScan scan;
    std::string message;
    EXPECT_TRUE(ScanCard(RealFileSystem(), dir.Dir().string(), {}, scan, message)) << message;
    return scan;
}

std::vector<std::string> FindingLines(const CardScan& scan) {
    std::vector<std::string> lines;
    for (const CardFinding& f : scan.findings) lines.push_back(std::string(CardSeverityWord(f.severity)) + " " + f.message);
    return lines;
}

bool HasFinding(const CardScan& scan, CardSeverity severity, const std::string& part) {
    for (const CardFinding& f : scan.findings)
        if (f.severity == severity && f.message.find(part) != std::string::npos) return true;
    return false;
}

TEST(CardScan, EachFileItsKindStatusAndSummaryInNameOrder) {
    TempDir dir;
    WritePicture(dir.Path("kion.lee"), "01", 15);
    WritePicture(dir.Path("a1.lee"), "03", 16);
    WriteAnimation(dir, "anim.alt", {"kion.lee", "a1.lee"});
    WriteFileBytes(dir.Path("broken.lee"), "junk\r\n");
    WriteFileBytes(dir.Path("notes.bin"), "anything");
    std::unique_ptr<SettingsForm> settings = NewSettingsForm("settings1");
    settings->Standard();
    ScriptedPrompter prompter;
    ASSERT_TRUE(WriteSettingsFile(*settings, RealFileSystem(), dir.Path("setei.txt"), prompter.shown));
    WritePerform(dir, {"kion.lee", "anim.ana", "setei.txt"});
    std::filesystem::create_directory(dir.Dir() / "sub");
    WritePicture((dir.Dir() / "sub" / "hidden.lee").string(), "05", 1);

    const CardScan scan = Scan(dir);
    std::vector<std::string> rows;
    for (const CardFile& f : scan.files) {
        std::string row = f.name + " " + CardKindWord(f.kind) + " " + (f.ok ? "OK" : "NG");
        for (const auto& [k, v] : f.summary) row += " " + k + "=" + v;
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "Perform.txt perform OK entries=3",
                        "a1.lee picture OK writeno=03 mode=A width=32",
                        "anim.alt animation-list OK entries=2",
                        "anim.ana animation OK type=super writeno=2 pictures=2 time=10",
                        "broken.lee picture NG",
                        "kion.lee picture OK writeno=01 mode=A width=16",
                        "notes.bin other OK",
                        "setei.txt settings1 OK",
                    }));
    EXPECT_FALSE(scan.Find("broken.lee")->status.empty());
    EXPECT_EQ(scan.PerformPosition("anim.ana"), 2);
    EXPECT_EQ(scan.PerformPosition("a1.lee"), 0);
    // Broken, but nothing names it: the unit reads it, so the card fails.
    EXPECT_FALSE(scan.Passed());
    // a1.lee goes to the unit with anim.ana; broken.lee with nothing.
    EXPECT_FALSE(HasFinding(scan, CardSeverity::Caution, "a1.lee は Perform.txt に載っていません"));
    EXPECT_TRUE(HasFinding(scan, CardSeverity::Caution, "broken.lee は Perform.txt に載っていません"));
}

TEST(CardScan, FindingsAcrossFiles) {
    TempDir dir;
    WritePicture(dir.Path("p1.lee"), "01", 4);
    WritePicture(dir.Path("p2.lee"), "01", 5);
    WritePicture(dir.Path("p3.lee"), "02", 6);
    WriteAnimation(dir, "anim.alt", {"p3.lee"});
    WriteFileBytes(dir.Path("bad.lee"), "junk\r\n");
    WritePerform(dir, {"p1.lee", "p2.lee", "gone.lee", "bad.lee", "anim.ana"});
    {
        const CardScan scan = Scan(dir);
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Error, "Perform.txt の3行目 gone.lee がカードにありません"))
            << testing::PrintToString(FindingLines(scan));
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Error, "Perform.txt の4行目 bad.lee が読めません"));
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Caution, "p1.lee、p2.lee は同じ書き込みNo 1 の絵です"));
        EXPECT_FALSE(HasFinding(scan, CardSeverity::Caution, "を保存し直してください"));
        EXPECT_FALSE(scan.Passed());
    }
    // A picture changed after the animation was saved, then one gone.
    WritePicture(dir.Path("p3.lee"), "02", 7);
    {
        const CardScan scan = Scan(dir);
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Caution, "anim.ana は anim.alt の今の絵と違います"));
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Caution, "anim.alt を保存し直してください"));
        // Errors come first, though the animation's caution is found before Perform.txt's errors.
        ASSERT_EQ(scan.findings.front().severity, CardSeverity::Error);
        EXPECT_TRUE(std::is_partitioned(scan.findings.begin(), scan.findings.end(), [](const CardFinding& f) {
            return f.severity == CardSeverity::Error;
        })) << testing::PrintToString(FindingLines(scan));
    }
    std::filesystem::remove(dir.Path("p3.lee"));
    std::filesystem::remove(dir.Path("Perform.txt"));
    {
        const CardScan scan = Scan(dir);
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Error, "anim.alt の1番目の絵 p3.lee がカードにありません"));
        EXPECT_TRUE(HasFinding(scan, CardSeverity::Caution, "Perform.txt がありません"));
    }
    // A good card: only cautions are allowed to remain.
    TempDir good;
    WritePicture(good.Path("p1.lee"), "01", 4);
    WritePerform(good, {"P1.LEE"});  // the unit's card does not tell case apart
    const CardScan scan = Scan(good);
    EXPECT_TRUE(scan.findings.empty()) << testing::PrintToString(FindingLines(scan));
    EXPECT_TRUE(scan.Passed());
}

TEST(CardScan, BadInputIsRefusedWithoutReadingWritingOrWaiting) {
    CardScan scan;
    std::string message;
    EXPECT_FALSE(ScanCard(RealFileSystem(), "/no/such/card", {}, scan, message));
    EXPECT_EQ(message, "フォルダー /no/such/card が見つかりません");

    TempDir dir;
    TempDir outside;
    WritePicture(outside.Path("far.lee"), "01", 1);
    WritePicture(dir.Path("near.lee"), "01", 1);
#ifndef _WIN32
    // Links and pipes as Linux has them.
    std::filesystem::create_symlink(outside.Path("far.lee"), dir.Path("link.lee"));
    std::filesystem::create_symlink(dir.Path("near.lee"), dir.Path("same.lee"));
    ASSERT_EQ(::mkfifo(dir.Path("pipe.lee").c_str(), 0600), 0);
#endif
    // 100 MB that is no picture, held sparse: refused by its size alone.
    WriteFileBytes(dir.Path("huge.lee"), "#");
    std::filesystem::resize_file(dir.Path("huge.lee"), 100 << 20);
    // Kinds a name alone decides are read whole at once: by their size, too, first.
    WriteFileBytes(dir.Path("huge.ana"), "#");
    std::filesystem::resize_file(dir.Path("huge.ana"), 100 << 20);
    WriteFileBytes(dir.Path("junk.ana"), "MONGON TBL");
    const auto before = std::filesystem::last_write_time(dir.Dir());

    const CardScan got = Scan(dir);
    EXPECT_EQ(std::filesystem::last_write_time(dir.Dir()), before);
#ifndef _WIN32
    EXPECT_FALSE(got.Find("link.lee")->ok);
    EXPECT_NE(got.Find("link.lee")->status.find("フォルダーの外"), std::string::npos);
    EXPECT_TRUE(got.Find("same.lee")->ok);
    EXPECT_FALSE(got.Find("pipe.lee")->ok);
#endif
    EXPECT_TRUE(got.Find("near.lee")->ok);
    EXPECT_NE(got.Find("huge.lee")->status.find("大きすぎます"), std::string::npos);
    EXPECT_EQ(got.Find("huge.ana")->kind, CardKind::Animation);
    EXPECT_NE(got.Find("huge.ana")->status.find("大きすぎます"), std::string::npos);
    EXPECT_EQ(got.Find("junk.ana")->kind, CardKind::Animation);
    EXPECT_FALSE(got.Find("junk.ana")->ok);
}

TEST(CardView, WordsAndSmallPicturesOfWhatTheCardHolds) {
    TempDir dir;
    WritePicture(dir.Path("a.lee"), "04", 20);  // lit at column 20, row 3
    WritePicture(dir.Path("b.lee"), "05", 2);
    WriteAnimation(dir, "m.alt", {"b.lee", "a.lee"});
    WritePerform(dir, {"a.lee"});
    const CardScan scan = Scan(dir);
    const CardFile& picture = *scan.Find("a.lee");
    const CardFile& animation = *scan.Find("m.ana");
    EXPECT_EQ(CardWriteNoText(picture), "04");
    EXPECT_EQ(CardSummaryText(picture), "表示モード A・幅 32ドット");
    EXPECT_EQ(CardWriteNoText(animation), "2");
    EXPECT_EQ(CardSummaryText(animation), "スーパー・2枚・表示時間 10");
    EXPECT_EQ(CardSummaryText(*scan.Find("m.alt")), "2件");
    EXPECT_EQ(CardWriteNoText(*scan.Find("Perform.txt")), "");

    const CardThumbnail small = CardThumbnailOf(RealFileSystem(), scan.folder, picture, DisplayShape{});
    ASSERT_EQ(small.width, 32);
    ASSERT_EQ(small.height, 80);
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            ASSERT_EQ(small.codes[y * 32 + x], (x == 20 && y == 3) ? kLedRed : kOff) << x << "," << y;
    // An animation shows its first picture; three panel rows show 48 dot rows.
    const CardThumbnail first = CardThumbnailOf(RealFileSystem(), scan.folder, animation, DisplayShape{3, 5, 2});
    ASSERT_EQ(first.width, 16);
    EXPECT_EQ(first.height, 48);
    EXPECT_EQ(first.codes[3 * 16 + 2], kLedRed);
    EXPECT_TRUE(CardThumbnailOf(RealFileSystem(), scan.folder, *scan.Find("Perform.txt"), DisplayShape{}).Empty());
}

}  // namespace
}  // namespace tesslor
