// The display schedule form: golden bytes of the file, the input check and its
// message, every parsing rule of the reader in one table, the reader's
// messages, and a write that fails without touching the earlier file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/ScheduleForm.h"

namespace tesslor::test {
namespace {

std::string ScheduleBytes(const std::string& s1, const std::string& s2, const std::string& s3) {
    return CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE", s1, s2, s3,
                      "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                     true);
}

std::string Written(const ScheduleForm& form) {
    MemoryOutputFile out;
    ScriptedPrompter prompter;
    EXPECT_TRUE(form.WriteLines(out, test::Said(prompter)));
    return out.Bytes();
}

// The 24 entries as one text, "|" between them.
std::string Entries(const ScheduleForm& form) {
    std::string all;
    for (int n = 1; n <= kScheduleEntries; ++n) all += (n > 1 ? "|" : "") + form.Entry(n);
    return all;
}

TEST(ScheduleForm, WritesNonEmptyEntriesJoinedAndPadded) {
    ScheduleForm form;
    form.SetEntry(1, "3");
    form.SetEntry(3, "7");
    const std::string bytes = Written(form);
    EXPECT_EQ(bytes, ScheduleBytes("$S1=3,7", "$S2=", "$S3="));
    EXPECT_NE(bytes.find("$S1=3,7" + std::string(23, ' ') + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("$S2=" + std::string(26, ' ') + "\r\n"), std::string::npos);
    EXPECT_EQ(bytes.size(), 10u * 32u);

    ScheduleForm full;
    for (int n = 1; n <= 24; ++n) full.SetEntry(n, std::to_string(n + 9));
    EXPECT_EQ(Written(full), ScheduleBytes("$S1=10,11,12,13,14,15,16,17", "$S2=18,19,20,21,22,23,24,25",
                                           "$S3=26,27,28,29,30,31,32,33"));
    EXPECT_EQ(ScheduleBytes("$S1=10,11,12,13,14,15,16,17", "", "").substr(5 * 32, 32),
              "$S1=10,11,12,13,14,15,16,17   \r\n");
    EXPECT_EQ(Written(ScheduleForm()), ScheduleBytes("$S1=", "$S2=", "$S3="));
}

TEST(ScheduleForm, CheckNamesTheFirstInvalidEntry) {
    ScheduleForm form;
    for (const char* ok : {"", "0", "00", "99", "5"}) {
        form.SetEntry(4, ok);
        ScriptedPrompter prompter;
        EXPECT_TRUE(form.Check(prompter)) << ok;
    }
    for (const char* bad : {"a", "123", "1 ", "-1", "\xEF\xBC\x91" /* full-width 1 */}) {
        form.SetEntry(12, bad);
        form.SetEntry(20, "x");
        ScriptedPrompter prompter;
        EXPECT_FALSE(form.Check(prompter)) << bad;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"No12の数字に誤りがあります"});
        // Unchecked texts are never written as lines the reader could not take.
        MemoryOutputFile out;
        EXPECT_FALSE(form.WriteLines(out, test::Said(prompter)));
        EXPECT_EQ(out.Bytes(), "");
    }
    EXPECT_EQ(ScheduleForm::EntryName(24), "No24Edit");
    EXPECT_EQ(form.Fields().size(), 24u);
    EXPECT_EQ(form.Kind(), "schedule");
}

struct ParseCase {
    const char* what;
    std::string s1, s2, s3;
    bool ok;
    std::string entries;  // the 24 entries after the open, "|" between them
};

std::string Filled(const std::vector<std::string>& values) {
    std::string all;
    for (int n = 0; n < kScheduleEntries; ++n)
        all += (n > 0 ? "|" : "") + (n < static_cast<int>(values.size()) ? values[n] : std::string());
    return all;
}

TEST(ScheduleForm, ReaderParsesEveryRule) {
    const std::string none = Filled({});
    const std::vector<ParseCase> cases = {
        {"3 and 7", "$S1=3,7", "$S2=", "$S3=", true, Filled({"3", "7"})},
        {"five then eight", "$S1=1,2,3,4,5", "$S2=6,7,8,9,10,11,12,13", "$S3=", true,
         Filled({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"})},
        {"eight two-digit", "$S1=10,11,12,13,14,15,16,17", "$S2=", "$S3=99", true,
         Filled({"10", "11", "12", "13", "14", "15", "16", "17", "99"})},
        {"a ninth value", "$S1=1,2,3,4,5,6,7,8,9", "$S2=", "$S3=", false,
         Filled({"1", "2", "3", "4", "5", "6", "7", "8"})},
        {"eight then a comma", "$S1=11,12,13,14,15,16,17,18,", "$S2=", "$S3=", false,
         Filled({"11", "12", "13", "14", "15", "16", "17", "18"})},
        {"123 is 12 and 3", "$S1=123", "$S2=", "$S3=", true, Filled({"12", "3"})},
        {"leading zeros kept", "$S1=00,05", "$S2=", "$S3=", true, Filled({"00", "05"})},
        {"a blank after one digit goes with it", "$S1=1 2", "$S2=", "$S3=", true, Filled({"1", "2"})},
        {"commas skipped", "$S1=,,4,,", "$S2=", "$S3=", true, Filled({"4"})},
        {"letter", "$S1=1,a", "$S2=", "$S3=", false, Filled({"1"})},
        {"values across lines", "$S1=1", "$S2=2", "$S3=3", true, Filled({"1", "2", "3"})},
        {"wrong key order", "$S2=1", "$S1=", "$S3=", false, none},
        {"fault on S3 keeps earlier", "$S1=1", "$S2=2", "$S3=x", false, Filled({"1", "2"})},
    };
    for (const ParseCase& c : cases) {
        ScheduleForm form;
        form.SetEntry(24, "9");  // an open empties what was there
        ScriptedPrompter prompter;
        MemoryLineReader in(ScheduleBytes(c.s1, c.s2, c.s3));
        EXPECT_EQ(form.Open(in, "x.txt", prompter.shown), c.ok) << c.what;
        EXPECT_EQ(prompter.shown,
                  std::vector<std::string>{c.ok ? "ファイル読み込み完了" : "ファイルに誤りがあります。"})
            << c.what;
        EXPECT_EQ(Entries(form), c.entries) << c.what;
    }
}

// Lines whose ends the padding would hide: given raw, with their own line end.
TEST(ScheduleForm, ReaderLooksAtTheLineEnd) {
    const std::string head =
        CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE"}, true);
    const std::string tail = CrLfLines({"$S2=", "$S3=", "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"}, true);
    struct Raw {
        const char* what;
        std::string s1;
        bool ok;
    };
    const std::vector<Raw> cases = {
        {"ends right after a value", "$S1=5\r\n", false},
        {"ends right after two digits", "$S1=12\r\n", false},
        {"one digit, one blank", "$S1=5 \r\n", false},
        {"one digit, two blanks", "$S1=5  \r\n", true},
        {"two digits, one blank", "$S1=12 \r\n", true},
        {"no padding at all", "$S1=\r\n", false},
        {"blank then text", "$S1=5  x\r\n", false},
        {"bare LF", "$S1=5" + std::string(25, ' ') + "\n", true},
    };
    for (const Raw& c : cases) {
        ScheduleForm form;
        ScriptedPrompter prompter;
        MemoryLineReader in(head + c.s1 + tail);
        EXPECT_EQ(form.Open(in, "x.txt", prompter.shown), c.ok) << c.what;
    }
}

TEST(ScheduleForm, ReaderRefusesBrokenFraming) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"#DEFINE without padding",
         CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE"}, true) + "#DEFINE\r\n" +
             CrLfLines({"$S1=", "$S2=", "$S3=", "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"}, true)},
        {"another data type",
         CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SETEI", "#END_OF_DATA_TYPE", "#DEFINE", "$S1=", "$S2=", "$S3=",
                    "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                   true)},
        {"last line missing", ScheduleBytes("$S1=1", "$S2=", "$S3=").substr(0, 9 * 32)},
        {"empty file", ""},
    };
    for (const auto& [what, bytes] : cases) {
        ScheduleForm form;
        ScriptedPrompter prompter;
        MemoryLineReader in(bytes);
        EXPECT_FALSE(form.Open(in, "x.txt", prompter.shown)) << what;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイルに誤りがあります。"}) << what;
    }
}

TEST(ScheduleForm, WrittenFileOpensBackAndFailedWritesKeepTheEarlierFile) {
    TempDir dir;
    ScheduleForm form;
    form.SetEntry(2, "45");
    form.SetEntry(17, "0");
    ScriptedPrompter prompter;
    ASSERT_TRUE(WriteSettingsFile(form, RealFileSystem(), dir.Path("s.txt"), prompter.shown));
    EXPECT_TRUE(prompter.shown.empty()) << "the window, not the writer, says 書込み完了";
    ScheduleForm copy;
    ASSERT_TRUE(OpenSettingsFile(copy, RealFileSystem(), dir.Path("s.txt"), prompter.shown));
    EXPECT_EQ(Entries(copy), Filled({"45", "0"}));

    const std::string earlier = ReadFileBytes(dir.Path("s.txt"));
    form.SetEntry(1, "1");
    for (int failAt : {1, 6, 10}) {
        FailingFileSystem files;
        files.failAtWrite = failAt;
        ScriptedPrompter p;
        EXPECT_FALSE(WriteSettingsFile(form, files, dir.Path("s.txt"), p.shown));
        EXPECT_EQ(p.shown, std::vector<std::string>{"ファイル ライトエラー"});
    }
    FailingFileSystem files;
    files.failCreate = true;
    ScriptedPrompter p;
    EXPECT_FALSE(WriteSettingsFile(form, files, dir.Path("s.txt"), p.shown));
    EXPECT_EQ(p.shown, std::vector<std::string>{"ファイル オープンエラー"});
    EXPECT_EQ(ReadFileBytes(dir.Path("s.txt")), earlier);

    // A file that cannot be opened leaves the entries as they were.
    ScriptedPrompter q;
    EXPECT_FALSE(OpenSettingsFile(copy, RealFileSystem(), dir.Path("none.txt"), q.shown));
    EXPECT_EQ(q.shown, std::vector<std::string>{dir.Path("none.txt") + "オープンエラー"});
    EXPECT_EQ(Entries(copy), Filled({"45", "0"}));
}

TEST(ScheduleForm, WriteDialogStartsWhereOpenLastStartedAndOffersTheLastFileWritten) {
    TempDir card;
    ScriptedFileChooser chooser;
    ScriptedPrompter prompter;
    FileDialog open(chooser, kScheduleOpenDialog);
    FileDialog save(chooser, kScheduleWriteDialog);
    ScheduleForm form;
    form.SetEntry(1, "5");

    // Before any 開く no folder is set.
    chooser.script = {card.Path("a.txt")};
    ASSERT_TRUE(form.WriteWithDialog({&open, &save, card.Dir().string()}, prompter));
    EXPECT_EQ(chooser.requests.back().initialDir, "");
    EXPECT_EQ(chooser.requests.back().fileName, "");
    EXPECT_EQ(chooser.requests.back().kind, FileDialogKind::Save);

    // 開く starts at the drive's root, and 書込み then starts there too,
    // offering the file last written rather than the one opened.
    const std::string other = (card.Dir() / "other").string();
    chooser.script = {card.Path("a.txt")};
    ASSERT_TRUE(form.OpenWithDialog({&open, &save, other}, prompter));
    EXPECT_EQ(chooser.requests.back().initialDir, other);
    EXPECT_EQ(chooser.requests.back().kind, FileDialogKind::Open);
    EXPECT_EQ(form.Entry(1), "5");
    chooser.script = {std::nullopt};
    EXPECT_FALSE(form.WriteWithDialog({&open, &save, card.Dir().string()}, prompter));
    EXPECT_EQ(chooser.requests.back().initialDir, other);
    EXPECT_EQ(chooser.requests.back().fileName, card.Path("a.txt"));
    // A cancelled 開く still counts as having started there.
    chooser.script = {std::nullopt};
    EXPECT_FALSE(form.OpenWithDialog({&open, &save, "elsewhere"}, prompter));
    chooser.script = {std::nullopt};
    form.WriteWithDialog({&open, &save, card.Dir().string()}, prompter);
    EXPECT_EQ(chooser.requests.back().initialDir, "elsewhere");

    // An invalid entry is refused before any dialog.
    const std::size_t asked = chooser.requests.size();
    form.SetEntry(2, "x");
    EXPECT_FALSE(form.WriteWithDialog({&open, &save, ""}, prompter));
    EXPECT_EQ(chooser.requests.size(), asked);
    EXPECT_EQ(prompter.shown.back(), "No2の数字に誤りがあります");

    // Every close empties the entries.
    form.Closed();
    EXPECT_EQ(Entries(form), std::string(23, '|'));
}

}  // namespace
}  // namespace tesslor::test
