// Adding files to the card in one step: the copies, Perform.txt, the write
// numbers, and a card left exactly as it was whenever the addition fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/CardOptions.h"
#include "card/CardAdd.h"
#include "led/Led.h"

namespace tesslor {
namespace {

using test::FolderContents;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

namespace fs = std::filesystem;

// A card folder and a work folder beside it.
struct Desk {
    Desk() {
        fs::create_directory(dir.Path("card"));
        fs::create_directory(dir.Path("work"));
    }
    std::string Card(const std::string& name = "") const { return name.empty() ? dir.Path("card") : dir.Path("card/" + name); }
    std::string Work(const std::string& name) const { return dir.Path("work/" + name); }
    CardAddResult Add(const std::vector<std::string>& names, bool autoWriteNo = false,
                      const std::string& customerMode = "customer") {
        std::vector<std::string> paths;
        for (const std::string& n : names) paths.push_back(Work(n));
        StartupConfig config;
        config.CustomerMode = customerMode;
        CardAddOptions options;
        options.scan = CardScanOptionsOf(config);
        options.autoWriteNo = autoWriteNo;
        return AddToCard(RealFileSystem(), Card(), paths, options);
    }
    TempDir dir;
};

std::string PerformLineBytes(const std::string& name) { return name + std::string(30 - name.size(), ' ') + "\r\n"; }

TEST(CardAdd, CopiesEachFileWholeAndListsItAtTheEndOfPerform) {
    Desk d;
    test::WriteTestPicture(d.Work("kion.lee"), "01", 3, 4, kLedRed);
    test::WriteTestPicture(d.Work("waku.lee"), "02", 0, 0, kLedGreen);
    const CardAddResult r = d.Add({"kion.lee", "waku.lee"});
    ASSERT_TRUE(r.Succeeded()) << r.failure;
    EXPECT_EQ(r.added, (std::vector<std::string>{"kion.lee", "waku.lee"}));
    EXPECT_TRUE(r.renumbered.empty());
    EXPECT_EQ(ReadFileBytes(d.Card("kion.lee")), ReadFileBytes(d.Work("kion.lee")));
    EXPECT_EQ(ReadFileBytes(d.Card("waku.lee")), ReadFileBytes(d.Work("waku.lee")));
    // Made when missing, in the order given, each line the unit's 30 bytes and CR LF.
    EXPECT_EQ(ReadFileBytes(d.Card("Perform.txt")), PerformLineBytes("kion.lee") + PerformLineBytes("waku.lee"));
    // Nothing of the write stays behind.
    EXPECT_EQ(FolderContents(d.Card()).size(), 3u);
}

TEST(CardAdd, KeepsPerformAsItWasAndNeverListsANameTwice) {
    Desk d;
    test::WriteTestPicture(d.Card("a.lee"), "01", 0, 0, kLedRed);
    test::WriteTestPicture(d.Card("kion.lee"), "02", 0, 0, kLedRed);
    // The operator's own list: its lines stay byte for byte, the last without a line end.
    const std::string earlier = PerformLineBytes("a.lee") + "KION.LEE";
    WriteFileBytes(d.Card("Perform.txt"), earlier);
    test::WriteTestPicture(d.Work("kion.lee"), "02", 5, 5, kLedGreen);
    test::WriteTestPicture(d.Work("new.lee"), "03", 5, 5, kLedGreen);
    const CardAddResult r = d.Add({"kion.lee", "new.lee"});
    ASSERT_TRUE(r.Succeeded()) << r.failure;
    EXPECT_EQ(ReadFileBytes(d.Card("Perform.txt")), earlier + "\r\n" + PerformLineBytes("new.lee"));
    EXPECT_EQ(ReadFileBytes(d.Card("kion.lee")), ReadFileBytes(d.Work("kion.lee"))) << "replaced by the new picture";
    // Added again: nothing new to list.
    ASSERT_TRUE(d.Add({"new.lee"}).Succeeded());
    EXPECT_EQ(ReadFileBytes(d.Card("Perform.txt")), earlier + "\r\n" + PerformLineBytes("new.lee"));
}

// The unit reads Perform.txt blind to ASCII case: KION.LEE is the file the
// list's kion.lee names, and is not listed a second time.
TEST(CardAdd, ANameListedInAnotherCaseIsNotListedAgain) {
    Desk d;
    test::WriteTestPicture(d.Card("kion.lee"), "01", 0, 0, kLedRed);
    const std::string earlier = PerformLineBytes("kion.lee");
    WriteFileBytes(d.Card("Perform.txt"), earlier);
    test::WriteTestPicture(d.Work("KION.LEE"), "01", 5, 5, kLedGreen);
    const CardAddResult r = d.Add({"KION.LEE"});
    ASSERT_TRUE(r.Succeeded()) << r.failure;
    EXPECT_EQ(r.added, std::vector<std::string>{"KION.LEE"});
    EXPECT_EQ(ReadFileBytes(d.Card("Perform.txt")), earlier);
    EXPECT_EQ(ReadFileBytes(d.Card("KION.LEE")), ReadFileBytes(d.Work("KION.LEE")));
}

// Each refusal names the file and leaves every byte of the card as it was.
TEST(CardAdd, ARefusedFileChangesNothingOnTheCard) {
    Desk d;
    test::WriteTestPicture(d.Card("a.lee"), "01", 0, 0, kLedRed);
    test::WritePerformList(d.Card("Perform.txt"), {"a.lee"});
    test::WriteTestPicture(d.Work("good.lee"), "02", 0, 0, kLedRed);
    WriteFileBytes(d.Work("broken.lee"), "#LED_DATA_FILE\r\nnonsense\r\n");
    const std::string name31 = std::string(27, 'n') + ".lee";  // 31 bytes
    const std::string name30 = std::string(26, 'n') + ".lee";  // 30 bytes
    test::WriteTestPicture(d.Work(name31), "03", 0, 0, kLedRed);
    test::WriteTestPicture(d.Work(name30), "03", 0, 0, kLedRed);
    test::WritePerformList(d.Work("Perform.txt"), {"good.lee"});
    WriteFileBytes(d.Work("memo.bin"), "x");
    const auto before = FolderContents(d.Card());
    struct Case {
        std::vector<std::string> names;
        std::string namesInMessage;
    };
    const Case cases[] = {
        {{"good.lee", "missing.lee"}, "missing.lee"},
        {{"good.lee", "broken.lee"}, "broken.lee"},
        {{name31}, name31},
        {{"Perform.txt"}, "Perform.txt"},
        {{"memo.bin"}, "memo.bin"},
        {{"good.lee", "good.lee"}, "good.lee"},
    };
    for (const Case& c : cases) {
        const CardAddResult r = d.Add(c.names);
        EXPECT_FALSE(r.Succeeded()) << c.namesInMessage;
        EXPECT_NE(r.failure.find(c.namesInMessage), std::string::npos) << r.failure;
        EXPECT_TRUE(r.added.empty());
        EXPECT_EQ(FolderContents(d.Card()), before) << c.namesInMessage;
    }
    // 30 bytes is the unit's limit, and fits.
    EXPECT_TRUE(d.Add({name30}).Succeeded());
}

TEST(CardAdd, AutoGivesATakenPictureNumberTheLowestFreeOneInTheCardCopyOnly) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> onCard;  // name, write number
        std::string mode;
        bool autoWriteNo;
        std::string expected;  // the card copy's number line value
    };
    const Case cases[] = {
        {"taken: next free", {{"a.lee", "01"}, {"b.lee", "02"}}, "customer", true, "03"},
        {"a gap is used first", {{"a.lee", "01"}, {"c.lee", "03"}}, "customer", true, "02"},
        {"keep copies as it is", {{"a.lee", "01"}}, "customer", false, "01"},
        {"free number: not renumbered", {{"b.lee", "02"}}, "customer", true, "01"},
        {"the file it replaces does not count", {{"kion.lee", "01"}}, "customer", true, "01"},
        {"customer51_60 skips to 51",
         {{"a1.lee", "01"}, {"a2.lee", "02"}, {"a3.lee", "03"}, {"a4.lee", "04"}, {"a5.lee", "05"},
          {"a6.lee", "06"}, {"a7.lee", "07"}, {"a8.lee", "08"}, {"a9.lee", "09"}, {"a10.lee", "10"}},
         "customer51_60", true, "51"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Desk d;
        for (const auto& [name, no] : c.onCard) test::WriteTestPicture(d.Card(name), no, 0, 0, kLedRed);
        test::WriteTestPicture(d.Work("kion.lee"), "01", 7, 7, kLedGreen);
        const std::string source = ReadFileBytes(d.Work("kion.lee"));
        const CardAddResult r = d.Add({"kion.lee"}, c.autoWriteNo, c.mode);
        ASSERT_TRUE(r.Succeeded()) << r.failure;
        const std::string copy = ReadFileBytes(d.Card("kion.lee"));
        EXPECT_NE(copy.find("$WRITE_TABLE_NO=" + c.expected + " "), std::string::npos);
        EXPECT_EQ(ReadFileBytes(d.Work("kion.lee")), source) << "the source is never changed";
        EXPECT_EQ(r.renumbered.size(), c.expected == "01" ? 0u : 1u);
        if (c.expected != "01") {
            EXPECT_EQ(copy.size(), source.size());
            EXPECT_EQ(CardRenumberedLine(r.renumbered[0]),
                      "kion.lee: 書き込みNo 01 は " + r.renumbered[0].sharedWith + " が使っているため、カードでは " +
                          c.expected + " にしました");
        }
    }
}

TEST(CardAdd, TwoAddedPicturesWithOneNumberAreTwoNumbersWithAuto) {
    Desk d;
    test::WriteTestPicture(d.Work("a.lee"), "01", 0, 0, kLedRed);
    test::WriteTestPicture(d.Work("b.lee"), "01", 0, 0, kLedGreen);
    const CardAddResult r = d.Add({"a.lee", "b.lee"}, true);
    ASSERT_TRUE(r.Succeeded()) << r.failure;
    ASSERT_EQ(r.renumbered.size(), 1u);
    EXPECT_EQ(r.renumbered[0].name, "b.lee");
    EXPECT_EQ(r.renumbered[0].sharedWith, "a.lee");
    EXPECT_EQ(r.renumbered[0].to, 2);
}

TEST(CardAdd, WriteNumberLineIsTheUnitsTwoDigitsPadded) {
    const std::string line6 = "#DEFINE                       \r\n";
    const std::string bytes = line6 + "$WRITE_TABLE_NO=7             \r\n$DISPLAY_MODE=A";
    EXPECT_EQ(WithWriteNo(bytes, 4), line6 + "$WRITE_TABLE_NO=04            \r\n$DISPLAY_MODE=A");
    EXPECT_FALSE(WithWriteNo("$WRITE_TABLE_NO=7", 4)) << "no line of its own";
    EXPECT_EQ(FreeWriteNo({1, 2, 4}, {}), 3);
    std::vector<int> all;
    for (int n = 1; n <= 99; ++n) all.push_back(n);
    EXPECT_EQ(FreeWriteNo(all, {}), 0);
}

// A card that fails at any step of the write is the card as it was.
TEST(CardAdd, AFailingCardAtAnyStepIsLeftAsItWas) {
    Desk d;
    test::WriteTestPicture(d.Card("a.lee"), "01", 0, 0, kLedRed);
    test::WritePerformList(d.Card("Perform.txt"), {"a.lee"});
    test::WriteTestPicture(d.Work("b.lee"), "02", 0, 0, kLedRed);
    const auto before = FolderContents(d.Card());
    StartupConfig config;
    CardAddOptions options;
    options.scan = CardScanOptionsOf(config);
    for (int step = 1; step <= 6; ++step) {
        test::FailingFileSystem files;
        files.failAtStep = step;
        const CardAddResult r = AddToCard(files, d.Card(), {d.Work("b.lee")}, options);
        ASSERT_FALSE(r.Succeeded()) << step;
        EXPECT_TRUE(r.cardUnchanged) << step << " " << r.failure;
        EXPECT_EQ(FolderContents(d.Card()), before) << step;
    }
}

}  // namespace
}  // namespace tesslor

namespace tesslor {
namespace {

TEST(CardAdd, AFreeNumberForAPictureOnTheCardIsWrittenWholeOrNotAtAll) {
    test::TempDir dir;
    test::WriteTestPicture(dir.Path("a.lee"), "01", 0, 0, kLedRed);
    test::WriteTestPicture(dir.Path("b.lee"), "01", 0, 0, kLedGreen);
    test::WriteFileBytes(dir.Path("memo.bin"), "x");
    StartupConfig config;
    CardScan card;
    std::string message;
    ASSERT_TRUE(ScanCard(RealFileSystem(), dir.Dir().string(), CardScanOptionsOf(config), card, message));
    const auto before = test::FolderContents(dir.Dir().string());
    // A card that fails the write keeps the picture as it was.
    test::FailingFileSystem failing;
    failing.failAtStep = 2;
    EXPECT_EQ(GiveFreeWriteNo(failing, card, "b.lee", CardScanOptionsOf(config).checkWriteNo, message), 0);
    EXPECT_NE(message.find("b.lee"), std::string::npos) << message;
    EXPECT_EQ(test::FolderContents(dir.Dir().string()), before);
    EXPECT_EQ(GiveFreeWriteNo(RealFileSystem(), card, "memo.bin", {}, message), 0);
    EXPECT_EQ(GiveFreeWriteNo(RealFileSystem(), card, "B.LEE", CardScanOptionsOf(config).checkWriteNo, message), 2);
    EXPECT_NE(test::ReadFileBytes(dir.Path("b.lee")).find("$WRITE_TABLE_NO=02 "), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("a.lee")), before.at("a.lee"));
}

}  // namespace
}  // namespace tesslor
