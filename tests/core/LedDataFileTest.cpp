// The LED data file: golden bytes, every reader message, failed saves that keep
// the earlier file, the save and open dialogs, and hostile input.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "FileTestDoc.h"
#include "UnsavedDocument.h"
#include "files/LedDataFile.h"
#include "files/MemoryOutputFile.h"

namespace tesslor::test {
namespace {

const char* const kDiscard = "作成したデータが失われてもいいですか？";

// One red dot at (0, 0), mode A, no insertion, no position, position 0,
// write number "1", reverse colour red: 47 lines of 32 bytes.
const std::vector<std::string> kOneRedDot = {
    "#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE",
    "$SETEI:A, , ,000", "$MAXIMUM_LINES=016", "$REVERSE_COLOR_RED", "$WRITE_TABLE_NO=1", "#END_OF_DEFINE",
    "#RED",
    "$000:8000,0000,0000,0000,0000,", "$001:0000,0000,0000,0000,0000,", "$002:0000,0000,0000,0000,0000,",
    "$003:0000,0000,0000,0000,0000,", "$004:0000,0000,0000,0000,0000,", "$005:0000,0000,0000,0000,0000,",
    "$006:0000,0000,0000,0000,0000,", "$007:0000,0000,0000,0000,0000,", "$008:0000,0000,0000,0000,0000,",
    "$009:0000,0000,0000,0000,0000,", "$010:0000,0000,0000,0000,0000,", "$011:0000,0000,0000,0000,0000,",
    "$012:0000,0000,0000,0000,0000,", "$013:0000,0000,0000,0000,0000,", "$014:0000,0000,0000,0000,0000,",
    "$015:0000,0000,0000,0000,0000,",
    "#END_OF_RED",
    "#GREEN",
    "$000:0000,0000,0000,0000,0000,", "$001:0000,0000,0000,0000,0000,", "$002:0000,0000,0000,0000,0000,",
    "$003:0000,0000,0000,0000,0000,", "$004:0000,0000,0000,0000,0000,", "$005:0000,0000,0000,0000,0000,",
    "$006:0000,0000,0000,0000,0000,", "$007:0000,0000,0000,0000,0000,", "$008:0000,0000,0000,0000,0000,",
    "$009:0000,0000,0000,0000,0000,", "$010:0000,0000,0000,0000,0000,", "$011:0000,0000,0000,0000,0000,",
    "$012:0000,0000,0000,0000,0000,", "$013:0000,0000,0000,0000,0000,", "$014:0000,0000,0000,0000,0000,",
    "$015:0000,0000,0000,0000,0000,",
    "#END_OF_GREEN",
    "#END_OF_LED_DATA_FILE",
};

void MakeOneRedDot(DocUnderTest& t) {
    t.Light(0, 0, kLedRed);
    t.doc.SetSounyuuIti(' ');
    t.doc.SetNiniIti(0);
    t.doc.SetWriteNoText("1");
    t.doc.SetReverseColorByIndex(0);
}

std::string Padded(const std::string& s) { return s + std::string(s.size() < 30 ? 30 - s.size() : 0, ' '); }

// The one-red-dot file with line `index` replaced by raw text (not padded), or
// cut off before that line when text is null.
std::string OneRedDotWith(std::size_t index, const char* text) {
    std::string out;
    for (std::size_t i = 0; i < kOneRedDot.size(); ++i) {
        if (i == index) {
            if (!text) break;
            out += std::string(text) + "\r\n";
        } else {
            out += Padded(kOneRedDot[i]) + "\r\n";
        }
    }
    return out;
}

std::string Written(const LedHyoujikiClass& doc) {
    MemoryOutputFile out;
    EXPECT_TRUE(WriteLedData(doc, out));
    return out.Bytes();
}

// Reads as the editor does: the reader's one message is shown.
bool Read(DocUnderTest& t, const std::string& bytes) {
    MemoryLineReader in(bytes);
    std::string message;
    const bool ok =
        ReadLedData(t.doc, in, [&t](const std::string& text, int& n) { return t.files.CheckWriteNo(text, n); }, message);
    EXPECT_EQ(ok, message.empty()) << "a message exactly when the read failed";
    if (!ok) t.prompter.Inform(message);
    return ok;
}

// ---- writing ----

TEST(LedDataWrite, OneRedDotGoldenBytesOnDisk) {
    DocUnderTest t;
    MakeOneRedDot(t);
    TempDir dir;
    ScriptedFileChooser chooser;
    FileDialog dialog(chooser, FileDialogKind::Save, {});
    MarkUnsaved(t.doc);
    ASSERT_TRUE(t.files.SaveToFile(dir.Path("one.lee"), dialog));
    const std::string bytes = ReadFileBytes(dir.Path("one.lee"));
    EXPECT_EQ(bytes, CrLfLines(kOneRedDot, true));
    EXPECT_EQ(bytes.size(), 47u * 32u);
    EXPECT_EQ(t.doc.FileName, dir.Path("one.lee"));
    EXPECT_FALSE(t.doc.Modified());
    EXPECT_TRUE(t.prompter.shown.empty());
}

TEST(LedDataWrite, EmptyPictureHasNoBlocks) {
    DocUnderTest t;
    t.doc.SetDisplayMode('S');
    t.doc.SetSounyuuMoji('A');
    t.doc.SetSounyuuIti('c');
    t.doc.SetNiniIti(7);
    t.doc.SetReverseColorByIndex(2);
    t.doc.SetWriteNoText("03");
    EXPECT_EQ(Written(t.doc), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE", "#DEFINE",
                                         "$SETEI:S,A,c,007", "$MAXIMUM_LINES=000", "$REVERSE_COLOR_YELLOW",
                                         "$WRITE_TABLE_NO=03", "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                                        true));
}

TEST(LedDataWrite, SettingLinesKeepTheirWidth) {
    DocUnderTest t;
    // The position set at start-up is "0": it still goes out with three digits.
    EXPECT_NE(Written(t.doc).find(Padded("$SETEI:A, ,A,000") + "\r\n"), std::string::npos);
    t.doc.SetReverseColorByIndex(1);
    EXPECT_NE(Written(t.doc).find(Padded("$REVERSE_COLOR_GREEN") + "\r\n"), std::string::npos);
    // An overlong write number typed into the editor must not push the framing
    // out of step: the line is cut at 30 characters.
    t.doc.SetWriteNoText("5 and some words typed after it");
    const std::string bytes = Written(t.doc);
    EXPECT_NE(bytes.find("\r\n$WRITE_TABLE_NO=5 and some wor\r\n#END_OF_DEFINE"), std::string::npos);
    DocUnderTest back;
    EXPECT_TRUE(Read(back, bytes));
    EXPECT_EQ(back.doc.WriteNoText(), "05");
    // Typed full-width text goes out in Shift-JIS, cut between characters.
    t.doc.SetWriteNoText("7あいうえおかきく");
    EXPECT_NE(Written(t.doc).find("\r\n$WRITE_TABLE_NO=7\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9"
                                  " \r\n"),
              std::string::npos);
    // Text with no Shift-JIS form keeps only its leading ASCII part.
    t.doc.SetWriteNoText("8\xF0\x9F\x98\x80");
    EXPECT_NE(Written(t.doc).find(Padded("$WRITE_TABLE_NO=8") + "\r\n"), std::string::npos);
}

TEST(LedDataWrite, DotInLastColumnGivesFullWidthBlocks) {
    DocUnderTest t;
    t.Light(479, 79, kLedYellow);
    const std::string bytes = Written(t.doc);
    EXPECT_EQ(bytes.size(), (10u + 2u * 482u + 1u) * 32u);
    EXPECT_NE(bytes.find(Padded("$MAXIMUM_LINES=480")), std::string::npos);
    const std::string last = "$479:0000,0000,0000,0000,0001,\r\n";
    EXPECT_NE(bytes.find(last + Padded("#END_OF_RED")), std::string::npos);
    EXPECT_NE(bytes.find(last + Padded("#END_OF_GREEN")), std::string::npos);
    EXPECT_EQ(bytes.find("$480:"), std::string::npos);
}

TEST(LedDataWrite, RoundTripKeepsPictureAndSettings) {
    for (int tate : {5, 2}) {
        StartupConfig config;
        config.TateMaisuu = tate;
        DocUnderTest t(config);
        for (int x = 0; x < 480; x += 7)
            for (int y = 0; y < 80; y += 5) t.Light(x, y, static_cast<LedColor>(1 + (x + y) % 3));
        t.doc.SetDisplayMode('M');
        t.doc.SetSounyuuMoji('D');
        t.doc.SetSounyuuIti('b');
        t.doc.SetNiniIti(479);
        t.doc.SetReverseColorByIndex(1);
        t.doc.SetWriteNoText("7");

        DocUnderTest back(config);
        ASSERT_TRUE(Read(back, Written(t.doc))) << tate;
        for (int x = 0; x < 480; ++x)
            for (int y = 0; y < 80; ++y) ASSERT_EQ(back.doc.DotColor(x, y), t.doc.DotColor(x, y)) << x << "," << y;
        EXPECT_EQ(back.doc.DotColor(0, 40), tate == 5 ? kLedGreen : kOff) << "rows the unit lacks stay dark";
        EXPECT_EQ(back.doc.DisplayModeCode(), 'M');
        EXPECT_EQ(back.doc.SounyuuMojiCode(), 'D');
        EXPECT_EQ(back.doc.SounyuuItiCode(), 'b');
        EXPECT_EQ(back.doc.NiniItiText(), "479");
        EXPECT_EQ(back.doc.ReverseColorIndex(), 1);
        EXPECT_EQ(back.doc.WriteNoText(), "07");
        EXPECT_TRUE(back.prompter.shown.empty());
    }
}

// The card reads pictures into plain columns: the same dots, the same width,
// for every display height, and the rows a display lacks do not count. A read
// into a document gives it exactly the file's dots.
TEST(LedDataRead, PlainColumnsHoldWhatTheDocumentHolds) {
    DocUnderTest full;
    for (int x = 3; x < 200; x += 11)
        for (int y = 1; y < 80; y += 9) full.Light(x, y, static_cast<LedColor>(1 + (x + y) % 3));
    full.Light(300, 75, kLedGreen);  // only the bottom panel row reaches column 300
    full.doc.SetWriteNoText("7");
    const std::string bytes = Written(full.doc);
    for (int tate : {5, 4, 1}) {
        StartupConfig config;
        config.TateMaisuu = tate;
        DocUnderTest doc(config), settings(config);
        // What the document held before does not stay: the read replaces the picture.
        doc.Light(479, 0, kLedYellow);
        doc.Light(3, 1, kLedGreen);
        ASSERT_TRUE(Read(doc, bytes));
        PictureColumns dots;
        MemoryLineReader in(bytes);
        std::string message;
        ASSERT_TRUE(ReadLedData(settings.doc, dots, in, [](const std::string&, int& n) { return n = 1, true; },
                                message));
        for (int x = 0; x < 480; ++x)
            for (int y = 0; y < 16 * tate; ++y) ASSERT_EQ(dots.DotColor(x, y), doc.doc.DotColor(x, y)) << x << "," << y;
        EXPECT_EQ(dots.LastUsedPanelColumn(tate), doc.doc.LastUsedColumn()) << tate;
        EXPECT_EQ(settings.doc.LastUsedColumn(), -1) << "the settings' document keeps its dots";
    }
    PictureColumns dots;
    dots.Or(480, 0, 0xFFFF, kLedRed);
    dots.Or(0, 5, 0xFFFF, kLedRed);
    EXPECT_EQ(dots.LastUsedPanelColumn(5), -1) << "nothing lands outside the picture";
    EXPECT_EQ(dots.DotColor(-1, 0), kOff);
}

// ---- reader messages ----

TEST(LedDataRead, EveryFaultShowsItsOneMessage) {
    const std::string define29 = "#DEFINE" + std::string(22, ' ');
    const std::string reverseBlue = Padded("$REVERSE_COLOR_BLUE");
    const std::string normalAnimation = Padded("$ANIMATION");
    const std::string noMaximum = Padded("$MAXIMUM_LINES=000");
    struct Case {
        std::size_t line;
        const char* text;  // replaces the line; null cuts the file before it
        const char* message;
    } cases[] = {
        {0, nullptr, "エラー　#LED_DATA_FILE がリード出来ませんでした"},
        {0, "#LED_DATA", "エラー　#LED_DATA_FILE"},
        {1, nullptr, "エラー　#DATA_TYPE がリード出来ませんでした"},
        {1, "#DATA_TYPE", "エラー　#DATA_TYPE"},
        {2, nullptr, "エラー　$NORMAL がリード出来ませんでした"},
        {2, normalAnimation.c_str(), "このファイルは、NORMALなLEDデータでありません"},
        {3, nullptr, "エラー　#END_OF_DATA_TYPE がリード出来ませんでした"},
        {3, "#END_OF_DATA", "エラー　#END_OF_DATA_TYPE"},
        {4, nullptr, "エラー　#DEFINE がリード出来ませんでした"},
        {4, define29.c_str(), "エラー　#DEFINE"},
        {5, nullptr, "エラー　$SETEI がリード出来ませんでした"},
        {5, "$SETE:A, , ,000", "エラー　$SETE"},
        {5, "$SETEI", "エラー　$SETE"},
        {5, "$SETEI:Z, , ,000", "エラー　$SETE 表示タイプ"},
        {5, "$SETEI:", "エラー　$SETE 表示タイプ"},
        {5, "$SETEI:S,Z, ,000", "エラー　$SETE 挿入文字列"},
        {5, "$SETEI:S", "エラー　$SETE 挿入文字列"},
        {5, "$SETEI:S, ,Z,000", "エラー　$SETE 挿入文字列位置"},
        {5, "$SETEI:S, ,", "エラー　$SETE 挿入文字列位置"},
        {5, "$SETEI:S, , ,480", "エラー　$SETE 任意挿入文字列位置"},
        {5, "$SETEI:S, , ,-01", "エラー　$SETE 任意挿入文字列位置"},
        {6, nullptr, "エラー　$MAXIMUM_LINES がリード出来ませんでした"},
        {6, "$MAXIMUM_LINE=016", "エラー　$MAXIMUM_LINES"},
        {6, "$MAXIMUM_LINES=481", "エラー　$MAXIMUM_LINES"},
        {6, "$MAXIMUM_LINES=-16", "エラー　$MAXIMUM_LINES"},
        {7, nullptr, "エラー　$REVERSE_COLOR_ がリード出来ませんでした"},
        {7, "$REVERSE_COLOR_RED", "エラー　$REVERSE_COLOR_"},
        {7, reverseBlue.c_str(), "エラー　$REVERSE_COLOR_"},
        {8, nullptr, "エラー　$WRITE_TABLE_NO がリード出来ませんでした"},
        {8, "$WRITE_TABLE_N=01", "エラー　$WRITE_TABLE_NO"},
        {8, "$WRITE_TABLE_NO=0", "エラー　$WRITE_TABLE_NO"},
        {8, "$WRITE_TABLE_NO=11", "エラー　$WRITE_TABLE_NO"},
        {8, "$WRITE_TABLE_NO=", "エラー　$WRITE_TABLE_NO"},
        {9, nullptr, "エラー　#END_OF_DEFINE がリード出来ませんでした"},
        {9, "#END_OF_DEFINE", "エラー　#END_OF_DEFINE"},
        // Data blocks.
        {11, "$001:8000,0000,0000,0000,0000,", "データナンバーエラー"},
        {12, "$000:0000,0000,0000,0000,0000,", "データナンバーエラー"},
        {10, "$000:8000,0000,0000,0000,0000,\r\n#RED", "ファイルエラー"},
        {28, "$016:0000,0000,0000,0000,0000,\r\n#GREEN", "ファイルエラー"},
        {20, nullptr, "エラー　#END_OF_LED_DATA_FILE がリード出来ませんでした"},
        {46, nullptr, "エラー　#END_OF_LED_DATA_FILE がリード出来ませんでした"},
        {46, "#END_OF_LED_DATA_FILE", "エラー　#END_OF_LED_DATA_FILE"},
        // A width of 0 reads no blocks, so "#RED" stands where the last line belongs.
        {6, noMaximum.c_str(), "エラー　#END_OF_LED_DATA_FILE"},
    };
    for (const Case& c : cases) {
        DocUnderTest t;
        EXPECT_FALSE(Read(t, OneRedDotWith(c.line, c.text))) << c.line << " " << (c.text ? c.text : "(cut)");
        EXPECT_EQ(t.prompter.shown, std::vector<std::string>{c.message})
            << c.line << " " << (c.text ? c.text : "(cut)");
    }
}

TEST(LedDataRead, EmptyPictureWithoutItsLastLine) {
    DocUnderTest t;
    t.doc.SetWriteNoText("1");
    const std::string bytes = Written(t.doc);
    DocUnderTest back;
    EXPECT_FALSE(Read(back, bytes.substr(0, bytes.size() - 32)));
    EXPECT_EQ(back.prompter.shown,
              std::vector<std::string>{"エラー　#END_OF_LED_DATA_FILE がリード出来ませんでした"});
}

TEST(LedDataRead, LineFeedsHexCaseShortWordsAndStrayLines) {
    // Bare line feeds read like CR LF.
    DocUnderTest lf;
    std::string bytes = CrLfLines(kOneRedDot, true);
    std::erase(bytes, '\r');
    ASSERT_TRUE(Read(lf, bytes));
    EXPECT_EQ(lf.doc.DotColor(0, 0), kLedRed);
    EXPECT_EQ(lf.doc.LastUsedColumn(), 0);

    // Lower-case digits; "80," is a two-digit word 0x0080; a word cut by the
    // line end reads what it has. Lines that are no data are skipped.
    DocUnderTest t;
    std::string file = OneRedDotWith(11, "$000:8000,00ff,80,  abcd,0001,\r\nnot data\r\n\r\n#COMMENT");
    const std::string green = "$000:0000,0000,0000,0000,0000,";
    file.replace(file.find(green), green.size(), "$000:8");
    ASSERT_TRUE(Read(t, file)) << (t.prompter.shown.empty() ? "" : t.prompter.shown[0]);
    const std::uint16_t red[] = {0x8000, 0x00FF, 0x0080, 0xABCD, 0x0001};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(t.doc.Board(0, k).RedColumn(0), red[k]) << k;
    EXPECT_EQ(t.doc.Board(0, 0).GreenColumn(0), 0x0008);
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
    EXPECT_EQ(t.doc.DotColor(0, 12), kLedGreen);
}

TEST(LedDataRead, WriteNumberRangeFollowsCustomerMode) {
    const std::string file = OneRedDotWith(8, "$WRITE_TABLE_NO=55");
    for (const char* mode : {"customer51_60", "root"}) {
        StartupConfig config;
        config.CustomerMode = mode;
        DocUnderTest t(config);
        EXPECT_TRUE(Read(t, file)) << mode;
        EXPECT_EQ(t.doc.WriteNoText(), "55");
    }
    DocUnderTest customer;
    EXPECT_FALSE(Read(customer, file));
    EXPECT_EQ(customer.prompter.shown, std::vector<std::string>{"エラー　$WRITE_TABLE_NO"});
}

// A gap in the numbering is refused on its own, even when nothing after it
// steps back: the red block here is "$000", "$005" and its end.
TEST(LedDataRead, AGapInTheDataNumbersIsRefusedAndOnlyTheLinesBeforeItApplied) {
    std::vector<std::string> lines(kOneRedDot.begin(), kOneRedDot.begin() + 12);  // up to "$000"
    lines.push_back("$005:8000,0000,0000,0000,0000,");
    lines.push_back("#END_OF_RED");
    lines.insert(lines.end(), kOneRedDot.begin() + 28, kOneRedDot.end());  // the whole green block and the end
    DocUnderTest t;
    EXPECT_FALSE(Read(t, CrLfLines(lines, true)));
    EXPECT_EQ(t.prompter.shown, std::vector<std::string>{"データナンバーエラー"});
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);  // "$000" was taken before the fault
    EXPECT_EQ(t.doc.DotColor(5, 0), kOff);     // "$005" was not

    // The same numbers without the gap read through.
    lines[12] = "$001:8000,0000,0000,0000,0000,";
    DocUnderTest ok;
    EXPECT_TRUE(Read(ok, CrLfLines(lines, true))) << (ok.prompter.shown.empty() ? "" : ok.prompter.shown[0]);
    EXPECT_EQ(ok.doc.DotColor(1, 0), kLedRed);
}

TEST(LedDataRead, LinesBeyondColumn479AreNeverStored) {
    DocUnderTest t;
    t.Light(479, 0, kLedRed);
    t.doc.SetWriteNoText("1");
    std::string bytes = Written(t.doc);
    const std::string endRed = Padded("#END_OF_RED") + "\r\n";
    bytes.insert(bytes.find(endRed), "$480:FFFF,FFFF,FFFF,FFFF,FFFF,\r\n");
    DocUnderTest back;
    EXPECT_FALSE(Read(back, bytes));
    EXPECT_EQ(back.prompter.shown, std::vector<std::string>{"データナンバーエラー"});
    EXPECT_EQ(back.doc.DotColor(479, 0), kLedRed);
    EXPECT_EQ(back.doc.DotColor(479, 1), kOff);
}

TEST(LedDataRead, FewerLinesThanTheWidthSays) {
    DocUnderTest t;
    EXPECT_TRUE(Read(t, OneRedDotWith(6, "$MAXIMUM_LINES=480")));
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
}

// Whatever the bytes, the reader stays inside its lines and reports either
// success with no message or failure with exactly one.
TEST(LedDataRead, HostileInputNeverCrashes) {
    auto check = [](const std::string& bytes, const std::string& what) {
        DocUnderTest t;
        const bool ok = Read(t, bytes);
        EXPECT_EQ(t.prompter.shown.size(), ok ? 0u : 1u) << what;
    };
    const std::string huge(5 * 1024 * 1024, 'A');
    for (std::size_t line : {0u, 5u, 11u, 27u, 46u}) {
        check(OneRedDotWith(line, huge.c_str()), "5 MB line at " + std::to_string(line));
        std::string dollars = huge;
        dollars[0] = '$';
        check(OneRedDotWith(line, dollars.c_str()), "5 MB $ line at " + std::to_string(line));
    }
    std::mt19937 rng(12345);
    const std::string good = CrLfLines(kOneRedDot, true);
    for (int i = 0; i < 400; ++i) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0: bytes[at] = static_cast<char>(rng()); break;
                case 1: bytes.insert(at, 1, static_cast<char>(rng())); break;
                case 2: bytes.erase(at, 1 + rng() % 40); break;
                default: bytes.resize(at); break;
            }
        }
        check(bytes, "mutation " + std::to_string(i));
    }
    for (int i = 0; i < 100; ++i) {
        std::string junk(rng() % 2000, '\0');
        for (char& c : junk) c = static_cast<char>(rng());
        check(junk, "junk " + std::to_string(i));
    }
}

// ---- the document's commands ----

struct SaveSetup {
    SaveSetup() : dialog(chooser, FileDialogKind::Save, {{"ＬＥＤデータファイル(*.lee)", "*.lee"}}, "lee") {
        root = dir.Dir().string() + "/";
        t.files.SetDriveRootProvider([this] { return root; });
    }
    TempDir dir;
    std::string root;
    ScriptedFileChooser chooser;
    FileDialog dialog;
    DocUnderTest t;
};

TEST(LedDataSave, FailedWritesKeepTheEarlierFileAndTheDocument) {
    SaveSetup s;
    const std::string path = s.dir.Path("card.lee");
    ASSERT_TRUE(s.t.files.SaveToFile(path, s.dialog));  // the earlier file: an empty picture
    const std::string earlier = ReadFileBytes(path);
    MakeOneRedDot(s.t);
    MarkUnsaved(s.t.doc);

    auto expectUntouched = [&](const std::string& what, const char* message) {
        EXPECT_EQ(s.t.prompter.shown, std::vector<std::string>{message}) << what;
        EXPECT_EQ(ReadFileBytes(path), earlier) << what;
        EXPECT_EQ(s.t.doc.FileName, path) << what;
        EXPECT_TRUE(s.t.doc.Modified()) << what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.dir.Dir()), {}), 1) << "no stray file";
        s.t.prompter.shown.clear();
    };
    for (int failAt : {1, 5, 6, 7, 8, 9, 10, 11, 12, 27, 28, 29, 45, 46, 47}) {
        FailingFileSystem fs;
        fs.failAtWrite = failAt;
        s.t.files.SetFileSystem(fs);
        EXPECT_FALSE(s.t.files.Save(s.dialog));
        expectUntouched("line " + std::to_string(failAt), "ファイルライトエラー");
    }
    FailingFileSystem commitFails;
    commitFails.failCommit = true;
    s.t.files.SetFileSystem(commitFails);
    EXPECT_FALSE(s.t.files.Save(s.dialog));
    expectUntouched("commit", "ファイルライトエラー");

    FailingFileSystem createFails;
    createFails.failCreate = true;
    s.t.files.SetFileSystem(createFails);
    EXPECT_FALSE(s.t.files.SaveToFile(s.dir.Path("other.lee"), s.dialog));
    expectUntouched("create", "ファイルオープンエラー");

    // Saving to another name that fails leaves FileName at the earlier file.
    FailingFileSystem lastLine;
    lastLine.failAtWrite = 47;
    s.t.files.SetFileSystem(lastLine);
    EXPECT_FALSE(s.t.files.SaveToFile(s.dir.Path("new.lee"), s.dialog));
    expectUntouched("other name", "ファイルライトエラー");
    EXPECT_TRUE(s.chooser.requests.empty());
}

TEST(LedDataSave, NoNameSaysSoAndAsksAtTheDriveRoot) {
    SaveSetup s;
    MarkUnsaved(s.t.doc);
    s.chooser.script = {s.dir.Path("chosen.lee")};
    EXPECT_TRUE(s.t.files.Save(s.dialog));
    EXPECT_EQ(s.t.prompter.shown, std::vector<std::string>{"ファイルなし"});
    ASSERT_EQ(s.chooser.requests.size(), 1u);
    EXPECT_EQ(s.chooser.requests[0].initialDir, s.root);
    EXPECT_EQ(s.chooser.requests[0].fileName, "");
    EXPECT_EQ(s.chooser.requests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(s.t.doc.FileName, s.dir.Path("chosen.lee"));
    EXPECT_FALSE(s.t.doc.Modified());
    EXPECT_TRUE(std::filesystem::exists(s.dir.Path("chosen.lee")));
}

TEST(LedDataSave, NameLengthCountsShiftJisBytesOfTheNameOnly) {
    SaveSetup s;
    const std::string thirty = std::string(26, 'n') + ".lee";
    const std::string kanaThirty = std::string(24, 'k') + "あ.lee";  // 31 bytes in UTF-8, 30 in Shift-JIS
    std::filesystem::create_directory(s.dir.Path(std::string(40, 'f')));
    const std::string deepThirty = std::string(40, 'f') + "/" + thirty;
    for (const std::string& name : {thirty, kanaThirty, deepThirty}) {
        s.t.prompter.shown.clear();
        EXPECT_TRUE(s.t.files.SaveToFile(s.dir.Path(name), s.dialog)) << name;
        EXPECT_TRUE(s.t.prompter.shown.empty()) << name;
        EXPECT_EQ(s.t.doc.FileName, s.dir.Path(name));
    }
    EXPECT_TRUE(s.chooser.requests.empty());

    // Too long: said once per attempt, the dialog reopens preset with the current name.
    const std::string current = s.t.doc.FileName;
    const std::string tooLong[] = {std::string(27, 'n') + ".lee", std::string(25, 'k') + "あ.lee", "\xF0\x9F\x98\x80.lee"};
    for (const std::string& name : tooLong) {
        s.t.prompter.shown.clear();
        s.chooser.requests.clear();
        s.chooser.script = {s.dir.Path(name), std::nullopt};
        EXPECT_FALSE(s.t.files.SaveToFile(s.dir.Path(name), s.dialog)) << name;
        EXPECT_EQ(s.t.prompter.shown, std::vector<std::string>(2, "ファイル名が長すぎます")) << name;
        ASSERT_EQ(s.chooser.requests.size(), 2u);
        EXPECT_EQ(s.chooser.requests[0].fileName, current);
        EXPECT_EQ(s.chooser.requests[0].initialDir, s.root);
        EXPECT_FALSE(std::filesystem::exists(s.dir.Path(name)));
        EXPECT_EQ(s.t.doc.FileName, current);
    }
}

TEST(LedDataSave, SaveAsCancelledChangesNothing) {
    SaveSetup s;
    s.t.doc.FileName = "before.lee";
    MarkUnsaved(s.t.doc);
    s.chooser.script = {std::nullopt};
    EXPECT_FALSE(s.t.files.SaveAs(s.dialog));
    EXPECT_EQ(s.chooser.requests.at(0).fileName, "before.lee");
    EXPECT_EQ(s.t.doc.FileName, "before.lee");
    EXPECT_TRUE(s.t.doc.Modified());
    EXPECT_TRUE(s.t.prompter.shown.empty());
}

TEST(LedDataOpen, DialogFlows) {
    TempDir dir;
    const std::string good = dir.Path("good.lee");
    const std::string broken = dir.Path("broken.lee");
    WriteFileBytes(good, CrLfLines(kOneRedDot, true));
    WriteFileBytes(broken, OneRedDotWith(7, "$REVERSE_COLOR_RED"));
    struct Case {
        const char* name;
        bool modified;
        std::deque<bool> answers;
        std::deque<std::optional<std::string>> script;
        bool result;
        std::vector<std::string> shown;
        bool cleared;
        std::string fileName;
    } cases[] = {
        {"refused", true, {false}, {}, false, {kDiscard}, false, "old.lee"},
        {"cancelled", false, {}, {std::nullopt}, false, {}, false, "old.lee"},
        {"confirmed, then cancelled", true, {true}, {std::nullopt}, false, {kDiscard}, false, "old.lee"},
        {"missing file", false, {}, {dir.Path("none.lee")}, false, {"ファイル　オープン　エラー"}, false, "old.lee"},
        {"broken file", true, {true}, {broken}, false, {kDiscard, "エラー　$REVERSE_COLOR_"}, false, "old.lee"},
        {"good file", false, {}, {good}, true, {}, false, good},
    };
    for (const Case& c : cases) {
        DocUnderTest t;
        t.Light(100, 50, kLedGreen);
        t.doc.FileName = "old.lee";
        SetUnsaved(t.doc, c.modified);
        t.prompter.answers = c.answers;
        ScriptedFileChooser chooser;
        chooser.script = c.script;
        FileDialog dialog(chooser, FileDialogKind::Open, {{"ＬＥＤデータファイル(*.lee)", "*.lee"}}, "lee");
        dialog.FileName = "stale.lee";
        dialog.InitialDir = "E:\\";
        EXPECT_EQ(t.files.OpenWithDialog(dialog), c.result) << c.name;
        EXPECT_EQ(t.prompter.shown, c.shown) << c.name;
        EXPECT_EQ(t.doc.DotColor(100, 50), (c.cleared || c.fileName == good) ? kOff : kLedGreen) << c.name;
        EXPECT_EQ(t.doc.FileName, c.fileName) << c.name;
        if (c.fileName != good) {
            EXPECT_EQ(t.doc.Modified(), c.modified) << c.name;
        }
        EXPECT_EQ(chooser.requests.size(), c.script.size()) << c.name;
        for (const auto& r : chooser.requests) {
            EXPECT_EQ(r.fileName, "") << c.name;
            EXPECT_EQ(r.initialDir, "E:\\") << c.name;
        }
        if (c.fileName == good) {
            EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
        }
    }
}

// A file that fails part-way must not cost the picture on screen: what the
// reader took before the fault (settings, dots) is not applied, FileName keeps
// naming the good file, and nothing becomes unsaved.
TEST(LedDataOpen, FailedReadLeavesTheDocumentExactlyAsItWas) {
    TempDir dir;
    std::string settingsThenFault = OneRedDotWith(6, "$MAXIMUM_LINES=999");
    settingsThenFault.replace(settingsThenFault.find("$SETEI:A, , ,000"), 16, "$SETEI:S,A,c,123");
    std::string dotsThenFault = CrLfLines(kOneRedDot, true);
    dotsThenFault.replace(dotsThenFault.find("#END_OF_LED_DATA_FILE"), 21, "#END_OF_SOMETHING_ELSE");
    for (const std::string& bytes : {settingsThenFault, dotsThenFault}) {
        const std::string path = dir.Path("p.lee");
        WriteFileBytes(path, bytes);
        for (bool modified : {false, true}) {
            DocUnderTest t;
            MakeDistinctive(t);
            SetUnsaved(t.doc, modified);
            const DocumentSnapshot before(t.doc);
            EXPECT_FALSE(t.files.OpenFile(path));
            ASSERT_EQ(t.prompter.shown.size(), 1u);
            EXPECT_TRUE(DocumentSnapshot(t.doc) == before) << t.prompter.shown[0];
        }
    }
}

TEST(LedDataOpen, AGoodFileReplacesPictureAndSettings) {
    TempDir dir;
    const std::string path = dir.Path("good.lee");
    WriteFileBytes(path, CrLfLines(kOneRedDot, true));
    DocUnderTest t;
    MakeDistinctive(t);
    ASSERT_TRUE(t.files.OpenFile(path));
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
    EXPECT_EQ(t.doc.DotColor(100, 50), kOff);
    EXPECT_EQ(t.doc.DotColor(479, 0), kOff);
    EXPECT_EQ(t.doc.DisplayModeCode(), 'A');
    EXPECT_EQ(t.doc.SounyuuMojiCode(), ' ');
    EXPECT_EQ(t.doc.SounyuuItiCode(), ' ');
    EXPECT_EQ(t.doc.NiniItiText(), "000");
    EXPECT_EQ(t.doc.ReverseColorIndex(), 0);
    EXPECT_EQ(t.doc.FileName, path);
}

}  // namespace
}  // namespace tesslor::test
