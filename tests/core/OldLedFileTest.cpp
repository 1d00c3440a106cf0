// The old LED file: golden bytes, the reader's messages, failed saves that keep
// the earlier file, the dialogs, and hostile input.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "FileTestDoc.h"
#include "UnsavedDocument.h"
#include "files/MemoryOutputFile.h"
#include "files/OldLedFile.h"

namespace tesslor::test {
namespace {

const char* const kReadError = "ファイルリードエラー";
const char* const kDataError = "ファイルデータエラー";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// One red dot at (0, 0), write number "1", mode A, no insertion, no position, position 0.
std::vector<std::string> OneRedDotLines() {
    std::vector<std::string> lines;
    lines.push_back("80,00," + Repeat("00,00,", 29));
    for (int y = 1; y < 80; ++y) lines.push_back(Repeat("00,00,", 30));
    for (const char* l : {"END", "1", "A", " ", " ", "000"}) lines.push_back(l);
    return lines;
}

void MakeOneRedDot(DocUnderTest& t) {
    t.Light(0, 0, kLedRed);
    t.doc.SetWriteNoText("1");
    t.doc.SetSounyuuIti(' ');
    t.doc.SetNiniIti(0);
}

// The one-red-dot file with line `index` replaced, or cut before it when text is null.
std::string OneRedDotWith(std::size_t index, const char* text) {
    std::vector<std::string> lines = OneRedDotLines();
    if (!text) lines.resize(index);
    else lines[index] = text;
    return CrLfLines(lines, false);
}

std::string Written(const LedHyoujikiClass& doc) {
    MemoryOutputFile out;
    EXPECT_TRUE(WriteOldLed(doc, out));
    return out.Bytes();
}

// Reads as the editor does: the reader's one message is shown.
bool Read(DocUnderTest& t, const std::string& bytes) {
    MemoryLineReader in(bytes);
    std::string message;
    const bool ok =
        ReadOldLed(t.doc, in, [&t](const std::string& text, int& n) { return t.files.CheckWriteNo(text, n); }, message);
    EXPECT_EQ(ok, message.empty()) << "a message exactly when the read failed";
    if (!ok) t.prompter.Inform(message);
    return ok;
}

TEST(OldLedWrite, OneRedDotGoldenBytesOnDisk) {
    DocUnderTest t;
    MakeOneRedDot(t);
    MarkUnsaved(t.doc);
    TempDir dir;
    ASSERT_TRUE(t.files.SaveOldFile(dir.Path("old.led")));
    EXPECT_EQ(ReadFileBytes(dir.Path("old.led")), CrLfLines(OneRedDotLines(), false));
    EXPECT_EQ(t.doc.FileName, dir.Path("old.led"));
    EXPECT_FALSE(t.doc.Modified());
    EXPECT_TRUE(t.prompter.shown.empty());
}

TEST(OldLedWrite, RedPlaneOnlyAndPositionPadding) {
    DocUnderTest t;
    t.doc.SetWriteNoText("10");
    t.Light(17, 20, kLedYellow);
    t.Light(18, 20, kLedGreen);
    t.Light(479, 79, kLedRed);
    const std::string bytes = Written(t.doc);
    // The position held since start-up is "0": blanks fill its three characters.
    EXPECT_EQ(bytes.substr(bytes.size() - 5 * 3 - 5), "\r\n10\r\nA\r\n \r\nA\r\n0  \r\n");
    EXPECT_NE(bytes.find("\r\n00,00,40,00," + Repeat("00,00,", 28) + "\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n" + Repeat("00,00,", 29) + "00,01,\r\nEND\r\n"), std::string::npos);

    DocUnderTest back;
    ASSERT_TRUE(Read(back, bytes));
    EXPECT_EQ(back.doc.DotColor(17, 20), kLedRed) << "yellow comes back red";
    EXPECT_EQ(back.doc.DotColor(18, 20), kOff) << "green is not stored";
    EXPECT_EQ(back.doc.DotColor(479, 79), kLedRed);
    EXPECT_EQ(back.doc.WriteNoText(), "10");
    EXPECT_EQ(back.doc.NiniItiText(), "000");
}

TEST(OldLedWrite, RoundTripOfEveryRow) {
    StartupConfig config;
    config.CustomerMode = "root";
    DocUnderTest t(config);
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y)
            if ((x * 7 + y * 3) % 5 == 0) t.Light(x, y, kLedRed);
    t.doc.SetWriteNoText("99");
    t.doc.SetDisplayMode('L');
    t.doc.SetSounyuuMoji('C');
    t.doc.SetSounyuuIti('a');
    t.doc.SetNiniIti(321);
    t.doc.SetReverseColorByIndex(2);
    DocUnderTest back(config);
    back.doc.SetReverseColorByIndex(1);
    ASSERT_TRUE(Read(back, Written(t.doc)));
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y) ASSERT_EQ(back.doc.DotColor(x, y), t.doc.DotColor(x, y)) << x << "," << y;
    EXPECT_EQ(back.doc.WriteNoText(), "99");
    EXPECT_EQ(back.doc.DisplayModeCode(), 'L');
    EXPECT_EQ(back.doc.SounyuuMojiCode(), 'C');
    EXPECT_EQ(back.doc.SounyuuItiCode(), 'a');
    EXPECT_EQ(back.doc.NiniItiText(), "321");
    EXPECT_EQ(back.doc.ReverseColorIndex(), 0) << "the old file always means red";
}

TEST(OldLedRead, EveryFaultShowsItsOneMessage) {
    const std::string commaMissing = "80;00," + Repeat("00,00,", 29);
    const std::string secondCommaMissing = Repeat("00,00,", 29) + "00,00";
    struct Case {
        std::size_t line;
        const char* text;
        const char* message;
    } cases[] = {
        {0, nullptr, kReadError},        {79, nullptr, kReadError},
        {5, "80,00,", kDataError},       {5, "", kDataError},
        {5, commaMissing.c_str(), kDataError}, {79, secondCommaMissing.c_str(), kDataError},
        {80, nullptr, kReadError},       {80, "EN", kDataError},        {80, " END", kDataError},
        {81, nullptr, kReadError},       {81, "0", kDataError},         {81, "11", kDataError},
        {81, "abc", kDataError},         {82, nullptr, kReadError},     {82, "Z", kDataError},
        {82, "", kDataError},            {83, nullptr, kReadError},     {83, "Z", kDataError},
        {83, "", kDataError},            {84, nullptr, kReadError},     {84, "d", kDataError},
        {85, nullptr, kReadError},       {85, "480", kDataError},       {85, "-1", kDataError},
    };
    for (const Case& c : cases) {
        DocUnderTest t;
        EXPECT_FALSE(Read(t, OneRedDotWith(c.line, c.text))) << c.line << " " << (c.text ? c.text : "(cut)");
        EXPECT_EQ(t.prompter.shown, std::vector<std::string>{c.message})
            << c.line << " " << (c.text ? c.text : "(cut)");
    }
}

TEST(OldLedRead, ToleratedVariants) {
    // Bare line feeds, lower-case digits, one-digit bytes, "END" with more after it,
    // a position with blanks.
    std::vector<std::string> lines = OneRedDotLines();
    lines[0] = "ab,cd,7 ,1 ," + Repeat("00,00,", 28) + "trailing text";
    lines[80] = "ENDING";
    lines[85] = "  42";
    std::string bytes = CrLfLines(lines, false);
    std::erase(bytes, '\r');
    DocUnderTest t;
    ASSERT_TRUE(Read(t, bytes));
    EXPECT_EQ(t.doc.Board(0, 0).RedRow(0), 0xABCD);
    EXPECT_EQ(t.doc.Board(1, 0).RedRow(0), 0x0701);
    EXPECT_EQ(t.doc.NiniItiText(), "042");
}

TEST(OldLedRead, ValuesBeforeAFaultStay) {
    // Missing comma after the first byte of panel column 3: columns 0 to 2 and
    // that first byte are in, the rest of the row is not.
    DocUnderTest t;
    EXPECT_FALSE(Read(t, OneRedDotWith(2, (Repeat("FF,FF,", 3) + "FF;FF," + Repeat("FF,FF,", 26)).c_str())));
    EXPECT_EQ(t.prompter.shown, std::vector<std::string>{kDataError});
    for (int x = 0; x < 56; ++x) EXPECT_EQ(t.doc.DotColor(x, 2), kLedRed) << x;
    for (int x = 56; x < 480; ++x) EXPECT_EQ(t.doc.DotColor(x, 2), kOff) << x;

    // A bad display mode: the write number and the red reverse colour are already set.
    DocUnderTest u;
    u.doc.SetReverseColorByIndex(1);
    EXPECT_FALSE(Read(u, OneRedDotWith(82, "Z")));
    EXPECT_EQ(u.doc.WriteNoText(), "01");
    EXPECT_EQ(u.doc.ReverseColorIndex(), 0);
    EXPECT_EQ(u.doc.DotColor(0, 0), kLedRed);
}

TEST(OldLedRead, HostileInputNeverCrashes) {
    auto check = [](const std::string& bytes, const std::string& what) {
        DocUnderTest t;
        const bool ok = Read(t, bytes);
        EXPECT_EQ(t.prompter.shown.size(), ok ? 0u : 1u) << what;
    };
    const std::string huge(5 * 1024 * 1024, '0');
    for (std::size_t line : {0u, 40u, 80u, 85u}) check(OneRedDotWith(line, huge.c_str()), "5 MB at " + std::to_string(line));
    std::mt19937 rng(54321);
    const std::string good = CrLfLines(OneRedDotLines(), false);
    for (int i = 0; i < 300; ++i) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0: bytes[at] = static_cast<char>(rng()); break;
                case 1: bytes.insert(at, 1, static_cast<char>(rng())); break;
                case 2: bytes.erase(at, 1 + rng() % 200); break;
                default: bytes.resize(at); break;
            }
        }
        check(bytes, "mutation " + std::to_string(i));
    }
    for (int i = 0; i < 100; ++i) {
        std::string junk(rng() % 20000, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        check(junk, "junk " + std::to_string(i));
    }
}

TEST(OldLedOpen, AGoodFileEmptiesFileNameABrokenOneChangesNothing) {
    TempDir dir;
    WriteFileBytes(dir.Path("good.led"), CrLfLines(OneRedDotLines(), false));
    WriteFileBytes(dir.Path("short.led"), OneRedDotWith(79, nullptr));
    {
        DocUnderTest t;
        t.doc.FileName = "pic.lee";
        EXPECT_TRUE(t.files.OpenOldFile(dir.Path("good.led")));
        EXPECT_EQ(t.doc.FileName, "");
    }
    {
        // The rows are read before the file turns out short: none of them may
        // replace the picture, and FileName must not be left naming a file
        // that the next overwrite-save would fill with them.
        DocUnderTest t;
        MakeDistinctive(t);
        MarkUnsaved(t.doc);
        const DocumentSnapshot before(t.doc);
        EXPECT_FALSE(t.files.OpenOldFile(dir.Path("short.led")));
        EXPECT_TRUE(DocumentSnapshot(t.doc) == before);
    }
    DocUnderTest missing;
    missing.doc.FileName = "pic.lee";
    missing.Light(5, 5, kLedRed);
    EXPECT_FALSE(missing.files.OpenOldFile(dir.Path("none.led")));
    EXPECT_EQ(missing.prompter.shown, std::vector<std::string>{"ファイル　オープン　エラー"});
    EXPECT_EQ(missing.doc.FileName, "pic.lee");
    EXPECT_EQ(missing.doc.DotColor(5, 5), kLedRed);
}

TEST(OldLedOpen, DialogFlows) {
    TempDir dir;
    WriteFileBytes(dir.Path("short.led"), OneRedDotWith(79, nullptr));
    struct Case {
        const char* name;
        bool modified;
        std::deque<bool> answers;
        std::deque<std::optional<std::string>> script;
        bool result;
        std::vector<std::string> shown;
        bool cleared;
    } cases[] = {
        {"refused", true, {false}, {}, false, {"作成したデータが失われてもいいですか？"}, false},
        {"cancelled", false, {}, {std::nullopt}, false, {}, false},
        {"missing", false, {}, {dir.Path("none.led")}, false, {"ファイル　オープン　エラー"}, false},
        {"short", true, {true}, {dir.Path("short.led")}, false, {"作成したデータが失われてもいいですか？", kReadError}, false},
    };
    for (const Case& c : cases) {
        DocUnderTest t;
        t.Light(200, 10, kLedRed);
        t.doc.FileName = "pic.lee";
        SetUnsaved(t.doc, c.modified);
        t.prompter.answers = c.answers;
        ScriptedFileChooser chooser;
        chooser.script = c.script;
        FileDialog dialog(chooser, FileDialogKind::Open, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "led");
        dialog.FileName = "stale.led";
        EXPECT_EQ(t.files.OpenOldWithDialog(dialog), c.result) << c.name;
        EXPECT_EQ(t.prompter.shown, c.shown) << c.name;
        EXPECT_EQ(t.doc.DotColor(200, 10), c.cleared ? kOff : kLedRed) << c.name;
        EXPECT_EQ(t.doc.FileName, c.cleared ? "" : "pic.lee") << c.name;
        for (const auto& r : chooser.requests) EXPECT_EQ(r.fileName, "") << c.name;
    }
}

TEST(OldLedSave, FailedWritesKeepTheEarlierFileAndTheDocument) {
    TempDir dir;
    const std::string path = dir.Path("card.led");
    DocUnderTest t;
    t.doc.SetWriteNoText("1");
    ASSERT_TRUE(t.files.SaveOldFile(path));
    const std::string earlier = ReadFileBytes(path);
    t.Light(0, 0, kLedRed);
    MarkUnsaved(t.doc);
    t.doc.FileName = "pic.lee";
    auto expectUntouched = [&](const std::string& what, const char* message) {
        EXPECT_EQ(t.prompter.shown, std::vector<std::string>{message}) << what;
        EXPECT_EQ(ReadFileBytes(path), earlier) << what;
        EXPECT_EQ(t.doc.FileName, "pic.lee") << what;
        EXPECT_TRUE(t.doc.Modified()) << what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 1) << what;
        t.prompter.shown.clear();
    };
    // Every line counts, the trailer's included (lines 81 to 86).
    for (int failAt : {1, 40, 80, 81, 82, 83, 84, 85, 86}) {
        FailingFileSystem fs;
        fs.failAtWrite = failAt;
        t.files.SetFileSystem(fs);
        EXPECT_FALSE(t.files.SaveOldFile(path));
        expectUntouched("line " + std::to_string(failAt), "ファイルライトエラー");
    }
    FailingFileSystem commitFails;
    commitFails.failCommit = true;
    t.files.SetFileSystem(commitFails);
    EXPECT_FALSE(t.files.SaveOldFile(path));
    expectUntouched("commit", "ファイルライトエラー");
    FailingFileSystem createFails;
    createFails.failCreate = true;
    t.files.SetFileSystem(createFails);
    EXPECT_FALSE(t.files.SaveOldFile(path));
    expectUntouched("create", "ファイルオープンエラー");
}

TEST(OldLedSave, DialogAndNameLength) {
    TempDir dir;
    DocUnderTest t;
    t.doc.SetWriteNoText("1");
    t.doc.FileName = "pic.lee";
    ScriptedFileChooser chooser;
    FileDialog dialog(chooser, FileDialogKind::Save, {{"旧ＬＥＤファイル(*.led)", "*.led"}}, "led");

    chooser.script = {std::nullopt};
    EXPECT_FALSE(t.files.SaveOldWithDialog(dialog));
    EXPECT_EQ(chooser.requests.at(0).fileName, "pic.lee");

    // Too long: said once, and the dialog is not shown again.
    const std::string tooLong = dir.Path(std::string(25, 'k') + "あ.led");
    chooser.script = {tooLong};
    EXPECT_FALSE(t.files.SaveOldWithDialog(dialog));
    EXPECT_EQ(t.prompter.shown, std::vector<std::string>{"ファイル名が長すぎます"});
    EXPECT_EQ(chooser.requests.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(tooLong));

    const std::string fits = dir.Path(std::string(24, 'k') + "あ.led");
    chooser.script = {fits};
    EXPECT_TRUE(t.files.SaveOldWithDialog(dialog));
    EXPECT_EQ(t.doc.FileName, fits);
    EXPECT_TRUE(std::filesystem::exists(PathOfUtf8(fits)));
}

}  // namespace
}  // namespace tesslor::test
