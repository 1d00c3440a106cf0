// Writing a prepared folder onto a card as one change: the plan, all or
// nothing at every step, a stopped write reported and cleared.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "card/Card.h"
#include "card/CardView.h"
#include "card/CardWrite.h"
#include "platform/Paths.h"

namespace tesslor {
namespace {

using test::FolderContents;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

void WritePicture(const TempDir& dir, const std::string& name, const std::string& writeNo, int x) {
    test::WriteTestPicture(dir.Path(name), writeNo, x, 3, kLedRed);
}

CardScan Scan(const TempDir& dir) {
    CardScan scan;
    std::string message;
    EXPECT_TRUE(ScanCard(RealFileSystem(), dir.Dir().string(), {}, scan, message)) << message;
    return scan;
}

std::vector<std::string> PlanLines(const CardPlan& plan) {
    std::vector<std::string> lines;
    for (const CardPlanEntry& e : plan.entries) lines.push_back(e.name + "\t" + CardPlanWord(e.action));
    return lines;
}

bool HasFinding(const CardScan& scan, CardSeverity severity, const std::string& part) {
    for (const CardFinding& f : scan.findings)
        if (f.severity == severity && f.message.find(part) != std::string::npos) return true;
    return false;
}

// A source of three pictures and its list, and a card holding an older
// version of one picture, one the same, and one file of its own.
struct Cards {
    Cards() {
        WritePicture(source, "a.lee", "01", 1);
        WritePicture(source, "b.lee", "02", 2);
        WritePicture(source, "c.lee", "03", 3);
        test::WritePerformList(source.Path("Perform.txt"), {"a.lee", "b.lee", "c.lee"});
        WriteFileBytes(source.Path("notes.bin"), "not for the unit");
        WritePicture(card, "b.lee", "02", 9);
        WriteFileBytes(card.Path("c.lee"), ReadFileBytes(source.Path("c.lee")));
        WriteFileBytes(card.Path("old.lee"), "kept");
        scan = Scan(source);
    }
    std::map<std::string, std::string> Wanted() const {
        std::map<std::string, std::string> wanted = FolderContents(card.Dir().string());
        for (const char* name : {"a.lee", "b.lee", "c.lee", "Perform.txt"}) wanted[name] = ReadFileBytes(source.Path(name));
        return wanted;
    }
    TempDir source, card;
    CardScan scan;
};

TEST(CardWrite, ThePlanTellsNewReplacedSameAndCardOnlyInByteOrder) {
    Cards c;
    WriteFileBytes(c.card.Path(".tesslor-save-x1"), "left by a stopped save");
    CardPlan plan;
    std::string failure;
    ASSERT_TRUE(PlanCardWrite(RealFileSystem(), c.scan, c.card.Dir().string(), plan, failure));
    EXPECT_EQ(PlanLines(plan), (std::vector<std::string>{"Perform.txt\t新規", "a.lee\t新規", "b.lee\t置き換え",
                                                         "c.lee\t同じ", "old.lee\tカードのみ"}));
    EXPECT_EQ(CardReplaceQuestion(plan), "カードの 1ファイル（b.lee）を書き出し元の内容で置き換えます。よろしいですか？");
    EXPECT_FALSE(PlanCardWrite(RealFileSystem(), c.scan, "/no/such/card", plan, failure));
    EXPECT_EQ(failure, "フォルダー /no/such/card が見つかりません");
}

TEST(CardWrite, WritesWhatDiffersPerformLastAndLeavesTheRest) {
    Cards c;
    WriteFileBytes(c.card.Path(".DS_Store"), "a Mac was here");  // the check's to mention, not each write's
    EXPECT_EQ(CardWriteOrder(c.scan), (std::vector<std::string>{"a.lee", "b.lee", "c.lee", "Perform.txt"}));
    std::vector<std::string> progress, written;
    test::FailingFileSystem counting;
    const CardWriteResult result = WriteCard(
        counting, c.scan, c.card.Dir().string(),
        [&](std::size_t i, std::size_t n, const std::string& name) {
            progress.push_back(std::to_string(i) + "/" + std::to_string(n) + name);
            return true;
        },
        [&](const std::string& name) { written.push_back(name); });
    ASSERT_TRUE(result.Succeeded()) << result.failure;
    // c.lee is the same on both sides: staged are a, b and the list only.
    EXPECT_EQ(progress, (std::vector<std::string>{"0/3a.lee", "1/3b.lee", "2/3Perform.txt"}));
    EXPECT_EQ(written, (std::vector<std::string>{"a.lee", "b.lee", "c.lee", "Perform.txt"}));
    EXPECT_EQ(result.written, written);
    // The journal and three staged files are all that was created.
    EXPECT_EQ(std::count(counting.steps.begin(), counting.steps.end(), "create"), 4);
    // The renames: the journal's, then the three staged files, Perform.txt last.
    EXPECT_EQ(std::count(counting.steps.begin(), counting.steps.end(), "rename"), 4);
    EXPECT_EQ(counting.steps.back(), "folder-flush");
    ASSERT_EQ(result.leftAlone.size(), 1u);
    EXPECT_EQ(result.leftAlone[0].message, "old.lee は書き出し元にありません（カードにそのまま残します）");
    EXPECT_EQ(FolderContents(c.card.Dir().string()), c.Wanted());
    // c.lee was the same already: it is counted apart from the files written.
    EXPECT_EQ(CardWriteOutcome(result), "書き出し完了（3ファイル・同じ 1ファイル）");
    EXPECT_FALSE(std::filesystem::exists(c.card.Path("notes.bin")));

    // Again: everything is the same, so nothing is created at all.
    test::FailingFileSystem again;
    EXPECT_TRUE(WriteCard(again, c.scan, c.card.Dir().string()).Succeeded());
    EXPECT_EQ(std::count(again.steps.begin(), again.steps.end(), "create"), 0);

    EXPECT_EQ(WriteCard(RealFileSystem(), c.scan, c.source.Dir().string()).failure,
              "書き出し元とカードが同じフォルダーです");
    EXPECT_EQ(WriteCard(RealFileSystem(), c.scan, "/no/such/card").failure, "フォルダー /no/such/card が見つかりません");
}

// A card that fills up, or is pulled, at any step of the write: either the
// write failed and the card is byte for byte as it was, or it went through
// whole. Every step before the last rename is flushed fails the write.
TEST(CardWrite, AFailureAtAnyStepLeavesTheCardAsItWasOrWhole) {
    Cards c;
    const auto before = FolderContents(c.card.Dir().string());
    const auto wanted = c.Wanted();
    test::FailingFileSystem counting;
    ASSERT_TRUE(WriteCard(counting, c.scan, c.card.Dir().string()).Succeeded());
    const std::vector<std::string> steps = counting.steps;
    // Back to the earlier card for the runs that fail.
    const auto restore = [&] {
        std::filesystem::remove_all(c.card.Dir());
        std::filesystem::create_directory(c.card.Dir());
        for (const auto& [name, bytes] : before) WriteFileBytes(c.card.Path(name), bytes);
    };
    restore();
    // The last step is the flush after the journal goes: past the card's change.
    ASSERT_GE(steps.size(), 2u);
    for (std::size_t at = 1; at <= steps.size(); ++at) {
        SCOPED_TRACE("step " + std::to_string(at) + " " + steps[at - 1]);
        test::FailingFileSystem failing;
        failing.failAtStep = static_cast<int>(at);
        const CardWriteResult result = WriteCard(failing, c.scan, c.card.Dir().string());
        if (at < steps.size()) {
            EXPECT_FALSE(result.Succeeded());
            EXPECT_TRUE(result.cardUnchanged);
            EXPECT_NE(result.failure.find("カードは元のままです"), std::string::npos) << result.failure;
            EXPECT_TRUE(result.written.empty());
            EXPECT_EQ(FolderContents(c.card.Dir().string()), before);
        } else {
            EXPECT_TRUE(result.Succeeded()) << result.failure;
            EXPECT_EQ(FolderContents(c.card.Dir().string()), wanted);
            restore();
        }
    }
}

// A card that gives back other bytes than were written (a failing card, a
// fake one that drops writes): the write sees it before anything is replaced.
TEST(CardWrite, AStagedFileThatReadsBackDifferentlyStopsTheWrite) {
    struct Garbling : test::FailingFileSystem {
        bool ReadAll(const std::string& path, std::string& bytes) override {
            if (!FailingFileSystem::ReadAll(path, bytes)) return false;
            if (FileNamePart(path).rfind(kSavePrefix, 0) == 0 && !bytes.empty()) bytes[bytes.size() / 2] ^= 0x20;
            return true;
        }
    };
    Cards c;
    const auto before = FolderContents(c.card.Dir().string());
    Garbling card;
    const CardWriteResult result = WriteCard(card, c.scan, c.card.Dir().string());
    EXPECT_EQ(result.failure, "a.lee: 書き込んだ内容を読み直すと元と違います。カードは元のままです");
    EXPECT_EQ(FolderContents(c.card.Dir().string()), before);
}

TEST(CardWrite, CancelledWhileStagingLeavesTheCardAsItWas) {
    Cards c;
    const auto before = FolderContents(c.card.Dir().string());
    const CardWriteResult cancelled = WriteCard(RealFileSystem(), c.scan, c.card.Dir().string(),
                                                [](std::size_t i, std::size_t, const std::string&) { return i < 2; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.cardUnchanged);
    EXPECT_TRUE(cancelled.written.empty());
    EXPECT_EQ(CardWriteOutcome(cancelled), "書き出しを中止しました（カードは元のままです）");
    EXPECT_EQ(FolderContents(c.card.Dir().string()), before);
}

// What a write cut off between its renames leaves: the journal, staged
// files, and a card part new, part old. The check says so; the next write
// finishes the job and removes every leftover.
TEST(CardWrite, AStoppedWriteIsReportedAndTheNextWriteClearsIt) {
    Cards c;
    WriteFileBytes(c.card.Path(kCardJournalName), "TESSLOR CARD WRITE\r\na.lee\r\n");
    WriteFileBytes(c.card.Path(".tesslor-save-AbC123"), "half a pictu");
    WriteFileBytes(c.card.Path("a.lee"), ReadFileBytes(c.source.Path("a.lee")));
    const CardScan stopped = Scan(c.card);
    EXPECT_FALSE(stopped.Passed());
    ASSERT_FALSE(stopped.findings.empty());
    EXPECT_EQ(stopped.findings[0].severity, CardSeverity::Error);
    EXPECT_NE(stopped.findings[0].message.find("途中"), std::string::npos);
    EXPECT_NE(stopped.findings[0].message.find("もう一度カードへ書き出してください"), std::string::npos);
    EXPECT_TRUE(HasFinding(stopped, CardSeverity::Caution, ".tesslor-save-AbC123 は途中で止まった保存の一時ファイルです"));
    // The write's own files are not files of the card.
    EXPECT_EQ(stopped.Find(kCardJournalName), nullptr);
    EXPECT_EQ(stopped.Find(".tesslor-save-AbC123"), nullptr);

    // A write that fails leaves the journal: the card is still unfinished.
    test::FailingFileSystem full;
    full.failAtStep = 2;
    EXPECT_FALSE(WriteCard(full, c.scan, c.card.Dir().string()).Succeeded());
    EXPECT_TRUE(std::filesystem::exists(c.card.Path(kCardJournalName)));

    ASSERT_TRUE(WriteCard(RealFileSystem(), c.scan, c.card.Dir().string()).Succeeded());
    EXPECT_EQ(FolderContents(c.card.Dir().string()), c.Wanted());
    EXPECT_FALSE(HasFinding(Scan(c.card), CardSeverity::Error, "途中"));
}

TEST(CardWrite, AReadOnlyFileOnTheCardStopsTheWriteBeforeAnythingChanges) {
    Cards c;
    std::filesystem::permissions(c.card.Dir() / "b.lee", std::filesystem::perms::owner_read);
    const auto before = FolderContents(c.card.Dir().string());
    const CardWriteResult result = WriteCard(RealFileSystem(), c.scan, c.card.Dir().string());
    EXPECT_EQ(result.failure, "b.lee: カードのファイルが読み取り専用のため書き換えません。カードは元のままです");
    EXPECT_EQ(FolderContents(c.card.Dir().string()), before);
    std::filesystem::permissions(c.card.Dir() / "b.lee", std::filesystem::perms::owner_all);
}

// Each step of a write as it reaches the card, by the name it concerns: the
// order is what makes a write all or nothing.
struct Recording : test::FailingFileSystem {
    std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& temp) override {
        auto file = FailingFileSystem::CreateTemporary(target, temp);
        log.push_back("create " + FileNamePart(target));
        targetOf[temp] = FileNamePart(target);
        return file;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        if (targetOf.count(path)) log.push_back("read back " + targetOf[path]);
        return FailingFileSystem::ReadAll(path, bytes);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        log.push_back("rename " + FileNamePart(to));
        return FailingFileSystem::Rename(from, to);
    }
    bool Remove(const std::string& path) override {
        log.push_back("remove " + FileNamePart(path));
        return FailingFileSystem::Remove(path);
    }
    bool FlushFolder(const std::string& folder) override {
        log.push_back("flush folder");
        return FailingFileSystem::FlushFolder(folder);
    }
    bool FlushAll(const std::string& folder) override {
        log.push_back("flush all");
        return FailingFileSystem::FlushAll(folder);
    }
    std::vector<std::string> log;
    std::map<std::string, std::string> targetOf;
};

TEST(CardWrite, StepsComeInTheirOrderStageFlushAllReadBackSwapPerformLastFlushFolder) {
    Cards c;
    Recording card;
    ASSERT_TRUE(WriteCard(card, c.scan, c.card.Dir().string()).Succeeded());
    const std::string journal = kCardJournalName;
    EXPECT_EQ(card.log, (std::vector<std::string>{
                            "create " + journal, "rename " + journal, "flush folder",  // the journal, in place first
                            "create a.lee", "create b.lee", "create Perform.txt",      // staged
                            "flush all",                                               // onto the card at once
                            "read back a.lee", "read back b.lee", "read back Perform.txt",
                            "rename a.lee", "rename b.lee", "rename Perform.txt",      // the list last
                            "flush folder",
                            "remove " + journal, "flush folder",
                        }));
}

// A folder that does not tell case apart, as FAT and exFAT cards are: a name
// opens the file of any spelling, and a rename over another spelling leaves
// one file, in the new spelling.
struct CaseBlindCard : test::FailingFileSystem {
    std::string Resolve(const std::string& path) {
        if (std::filesystem::exists(path)) return path;
        std::vector<FolderEntry> entries;
        RealFileSystem().ListFolder(FolderPart(path), entries);
        for (const FolderEntry& e : entries)
            if (FoldedName(e.name) == FoldedName(FileNamePart(path))) return PathInFolder(FolderPart(path), e.name);
        return path;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        return FailingFileSystem::ReadAll(Resolve(path), bytes);
    }
    bool ReadPrefix(const std::string& path, std::size_t n, std::string& bytes) override {
        return FailingFileSystem::ReadPrefix(Resolve(path), n, bytes);
    }
    bool IsReadOnly(const std::string& path) override { return FailingFileSystem::IsReadOnly(Resolve(path)); }
    bool Remove(const std::string& path) override { return FailingFileSystem::Remove(Resolve(path)); }
    bool Rename(const std::string& from, const std::string& to) override {
        const std::string there = Resolve(to);
        if (!Step("rename")) return false;
        if (there != to) RealFileSystem().Remove(there);
        return RealFileSystem().Rename(from, to);
    }
};

// A.LEE and a.lee on a folder that tells case apart,
// a.lee in the source. A.LEE is a file of its own the source does not name.
TEST(CardWrite, AnotherSpellingOnAFolderThatTellsCaseApartIsCardOnlyAndKeptByteForByte) {
    TempDir source, card;
    if (!test::FolderTellsCaseApart(card.Dir().string())) GTEST_SKIP() << "this folder folds case";
    WritePicture(source, "a.lee", "01", 1);
    test::WritePerformList(source.Path("Perform.txt"), {"a.lee"});
    WriteFileBytes(card.Path("A.LEE"), "the upper-case one");
    WriteFileBytes(card.Path("a.lee"), "the lower-case one");
    WriteFileBytes(card.Path("Perform.txt"), ReadFileBytes(source.Path("Perform.txt")));
    WriteFileBytes(card.Path("KION.LEE"), "alone in its spelling");
    WritePicture(source, "kion.lee", "02", 2);
    const CardScan scan = Scan(source);
    CardPlan plan;
    std::string failure;
    ASSERT_TRUE(PlanCardWrite(RealFileSystem(), scan, card.Dir().string(), plan, failure));
    EXPECT_EQ(PlanLines(plan), (std::vector<std::string>{"A.LEE\tカードのみ", "KION.LEE\tカードのみ",
                                                         "Perform.txt\t同じ", "a.lee\t置き換え", "kion.lee\t新規"}));
    const CardWriteResult result = WriteCard(RealFileSystem(), scan, card.Dir().string());
    ASSERT_TRUE(result.Succeeded()) << result.failure;
    const auto after = FolderContents(card.Dir().string());
    EXPECT_EQ(after.at("A.LEE"), "the upper-case one");
    EXPECT_EQ(after.at("KION.LEE"), "alone in its spelling");
    EXPECT_EQ(after.at("a.lee"), ReadFileBytes(source.Path("a.lee")));
    EXPECT_EQ(after.at("kion.lee"), ReadFileBytes(source.Path("kion.lee")));
    ASSERT_EQ(result.leftAlone.size(), 2u);
    EXPECT_EQ(result.leftAlone[0].message, "A.LEE は書き出し元にありません（カードにそのまま残します）");
}

// On a card that does not tell case apart, KION.LEE is the file kion.lee
// replaces: one file is left, with the source's bytes and spelling; a
// failure after the swap puts back the old spelling and bytes.
TEST(CardWrite, OnACardThatFoldsCaseTheSourcesSpellingReplacesTheOneFile) {
    TempDir source, card;
    WritePicture(source, "kion.lee", "01", 1);
    WriteFileBytes(card.Path("KION.LEE"), "the earlier picture");
    const CardScan scan = Scan(source);
    CaseBlindCard folding;
    CardPlan plan;
    std::string failure;
    ASSERT_TRUE(PlanCardWrite(folding, scan, card.Dir().string(), plan, failure));
    EXPECT_EQ(PlanLines(plan), std::vector<std::string>{"kion.lee\t置き換え"});
    EXPECT_EQ(CardReplaceQuestion(plan), "カードの 1ファイル（KION.LEE）を書き出し元の内容で置き換えます。よろしいですか？");
    ASSERT_TRUE(WriteCard(folding, scan, card.Dir().string()).Succeeded());
    const auto written = FolderContents(card.Dir().string());
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written.begin()->second, ReadFileBytes(source.Path("kion.lee")));
    // Where the folder under the stand-in folds case itself (Windows), a
    // rename may keep the old spelling; the unit reads either.
    if (test::FolderTellsCaseApart(card.Dir().string())) {
        EXPECT_EQ(written.begin()->first, "kion.lee");
    }

    std::filesystem::remove(card.Dir() / "kion.lee");
    WriteFileBytes(card.Path("KION.LEE"), "the earlier picture");
    CaseBlindCard counting;
    ASSERT_TRUE(WriteCard(counting, scan, card.Dir().string()).Succeeded());
    std::filesystem::remove(card.Dir() / "kion.lee");
    WriteFileBytes(card.Path("KION.LEE"), "the earlier picture");
    CaseBlindCard failing;
    failing.failAtStep = static_cast<int>(counting.steps.size()) - 1;  // the flush after the swap
    EXPECT_FALSE(WriteCard(failing, scan, card.Dir().string()).Succeeded());
    EXPECT_EQ(FolderContents(card.Dir().string()),
              (std::map<std::string, std::string>{{"KION.LEE", "the earlier picture"}}));
}

// Perform.txt is the unit's one list whatever its spelling: the source's
// replaces PERFORM.TXT even where the folder tells case apart, and one list is left.
TEST(CardWrite, PerformTxtReplacesTheCardsListInAnySpelling) {
    TempDir source, card;
    WritePicture(source, "a.lee", "01", 1);
    test::WritePerformList(source.Path("Perform.txt"), {"a.lee"});
    WriteFileBytes(card.Path("PERFORM.TXT"), "the earlier list");
    const CardScan scan = Scan(source);
    ASSERT_TRUE(WriteCard(RealFileSystem(), scan, card.Dir().string()).Succeeded());
    // Two files: where the folder tells case apart, Perform.txt opens only in
    // that spelling; where it folds case (Windows), the old spelling may stay.
    EXPECT_EQ(FolderContents(card.Dir().string()).size(), 2u);
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), ReadFileBytes(source.Path("Perform.txt")));
    EXPECT_EQ(ReadFileBytes(card.Path("a.lee")), ReadFileBytes(source.Path("a.lee")));
}

TEST(CardView, AShrunkThumbnailKeepsEveryLitDotTheLastColumnAndRowToo) {
    CardThumbnail dots;
    dots.width = 32;
    dots.height = 80;
    dots.codes.assign(32 * 80, 0);
    dots.codes[79 * 32 + 31] = kLedRed;   // the last dot
    dots.codes[0] = kLedGreen;            // the first
    dots.codes[1] = kLedRed;              // beside it: together yellow
    const CardThumbnail half = ScaledThumbnail(dots, 40);
    ASSERT_EQ(half.width, 16);
    ASSERT_EQ(half.height, 40);
    EXPECT_EQ(half.codes[0], kLedRed | kLedGreen);
    EXPECT_EQ(half.codes[39 * 16 + 15], kLedRed);
    int lit = 0;
    for (std::uint8_t code : half.codes) lit += code != 0;
    EXPECT_EQ(lit, 2);
    // One panel row grows to the height; an odd width rounds up.
    dots.width = 17;
    dots.height = 16;
    dots.codes.assign(17 * 16, 0);
    dots.codes[15 * 17 + 16] = kLedGreen;
    const CardThumbnail grown = ScaledThumbnail(dots, 40);
    ASSERT_EQ(grown.width, 43);
    EXPECT_EQ(grown.codes[39 * 43 + 42], kLedGreen);
    EXPECT_TRUE(ScaledThumbnail(CardThumbnail{}, 40).Empty());
}

}  // namespace
}  // namespace tesslor
