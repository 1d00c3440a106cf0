// The text message table: its 5,560 bytes, the reader's messages, atomic
// writes, the font arithmetic, and the rows drawn into the picture.
#include <gtest/gtest.h>

#include <string>

#include "FileTestDoc.h"
#include "UnsavedDocument.h"
#include "files/Bitmap.h"
#include "TestSupport.h"
#include "makers/MongonForm.h"
#include "makers/MongonTable.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

using test::DocUnderTest;
using test::ReadFileBytes;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFileBytes;

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

std::string Int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return Bytes({static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF), static_cast<int>((u >> 16) & 0xFF),
                  static_cast<int>(u >> 24)});
}

std::string Padded(std::string s, std::size_t size) {
    s.resize(size, '\0');
    return s;
}

// "ＭＳ Ｐゴシック" in Shift-JIS.
const std::string kGothicSjis = Bytes({0x82, 0x6C, 0x82, 0x72, 0x20, 0x82, 0x6F, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E});

std::string FontRecord(std::int32_t color, std::int32_t charset, std::int32_t height, const std::string& faceSjis,
                       int pitch, std::int32_t ppi, std::int32_t size, int style) {
    return Int32(color) + Int32(charset) + Int32(height) + Padded(faceSjis, 256) + Bytes({pitch, 0, 0, 0}) +
           Int32(ppi) + Int32(size) + Bytes({style, 0, 0, 0});
}

std::string RowRecord(std::int32_t x, std::int32_t y, const std::string& textSjis, const std::string& font) {
    return Int32(x) + Int32(y) + Padded(textSjis, 260) + font;
}

MongonTable NewTable() {
    return MongonForm(2, 5).CollectedTable();
}

// ---- bytes ----

TEST(MongonBytes, NewTableIsExactly5560BytesWithMarksAndZeroPadding) {
    const std::optional<std::string> bytes = EncodeMongonTable(NewTable());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 5560u);
    const std::string row = RowRecord(-100, -100, "", FontRecord(0x0000FF, 128, -12, kGothicSjis, 0, 96, 9, 0));
    std::string expected = Padded("MONGON TBL", 20);
    for (int i = 0; i < 10; ++i) expected += row;
    expected += Padded("MONGON TBL END", 20);
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(bytes->substr(0, 20), std::string("MONGON TBL") + std::string(10, '\0'));
    EXPECT_EQ(bytes->substr(5540), std::string("MONGON TBL END") + std::string(6, '\0'));
}

TEST(MongonBytes, RowFieldsLandAtTheirOffsetsInShiftJis) {
    MongonTable table = NewTable();
    MongonRow& row = table.Rows[3];
    row.X = 12;
    row.Y = -5;
    row.Text = "温度 25℃";
    row.Font = MongonFont{0x00FFFF, 1, -16, "Unifont", 2, 120, 12, 0x0F};
    const std::optional<std::string> bytes = EncodeMongonTable(table);
    ASSERT_TRUE(bytes);
    const std::string sjisText = Bytes({0x89, 0xB7, 0x93, 0x78, 0x20, 0x32, 0x35, 0x81, 0x8E});
    EXPECT_EQ(bytes->substr(20 + 3 * 552, 552),
              RowRecord(12, -5, sjisText, FontRecord(0x00FFFF, 1, -16, "Unifont", 2, 120, 12, 0x0F)));
    // The neighbours are untouched.
    EXPECT_EQ(bytes->substr(20 + 2 * 552, 8), Int32(-100) + Int32(-100));
    EXPECT_EQ(bytes->substr(20 + 4 * 552, 8), Int32(-100) + Int32(-100));
    EXPECT_EQ(DecodeMongonTable(*bytes), table);
}

TEST(MongonBytes, TextsWithoutShiftJisAreRefusedAndLongOnesCutWhole) {
    MongonTable table = NewTable();
    table.Rows[2].Text = "😀";
    std::string problem;
    EXPECT_FALSE(EncodeMongonTable(table, &problem));
    EXPECT_NE(problem.find("項番 2"), std::string::npos);

    table.Rows[2].Text.clear();
    table.Rows[4].Font.Name = "한국어";
    EXPECT_FALSE(EncodeMongonTable(table, &problem));
    EXPECT_NE(problem.find("項番 4"), std::string::npos);

    // 200 double-byte characters: cut at 258 bytes so the NUL fits and no character is split.
    table.Rows[4].Font.Name = "Unifont";
    table.Rows[0].Text = std::string();
    for (int i = 0; i < 200; ++i) table.Rows[0].Text += "あ";
    const std::optional<std::string> bytes = EncodeMongonTable(table);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 5560u);
    const std::string area = bytes->substr(20 + 8, 260);
    EXPECT_EQ(area.find('\0'), 258u);
    EXPECT_EQ(area.back(), '\0');
}

TEST(MongonBytes, ShortAndLongInputsDecodeAsFixedSize) {
    const std::string good = *EncodeMongonTable(NewTable());
    // Longer: only the first 5,560 bytes count.
    EXPECT_EQ(DecodeMongonTable(good + "trailing garbage"), NewTable());
    // Shorter: missing bytes are zero, so the trailer is gone.
    const MongonTable cut = DecodeMongonTable(good.substr(0, 1000));
    EXPECT_EQ(cut.Header, "MONGON TBL");
    EXPECT_EQ(cut.Trailer, "");
    EXPECT_FALSE(cut.HasMarks());
    EXPECT_EQ(cut.Rows[9].X, 0);
    // A header without any NUL is taken whole (20 bytes).
    std::string noNul = good;
    noNul.replace(0, 20, "MONGON TBLMONGON TBL");
    EXPECT_EQ(DecodeMongonTable(noNul).Header, "MONGON TBLMONGON TBL");
    EXPECT_TRUE(DecodeMongonTable("").Rows[0].Text.empty());
}

TEST(MongonBytes, AreasWithoutTheirNulReadAsTheyWouldBeSavedAgain) {
    std::string bytes = *EncodeMongonTable(NewTable());
    const std::size_t row = 20, font = row + 268;
    // A face name filling all 256 bytes, and a text filling its 260 with a
    // double-byte character across the 259th byte.
    bytes.replace(font + 12, 256, std::string(256, 'A'));
    std::string text(258, 'B');
    text += Bytes({0x82, 0xA0});  // "あ" in its last two bytes
    bytes.replace(row + 8, 260, text);
    const MongonTable read = DecodeMongonTable(bytes);
    EXPECT_EQ(read.Rows[0].Font.Name, std::string(255, 'A'));
    EXPECT_EQ(read.Rows[0].Text, std::string(258, 'B'));  // "あ" would end past byte 259
    const std::optional<std::string> again = EncodeMongonTable(read);
    ASSERT_TRUE(again);
    EXPECT_EQ(DecodeMongonTable(*again), read);
}

// ---- reading and writing files ----

struct MongonFiles : ::testing::Test {
    TempDir dir;
    ScriptedPrompter prompter;
    test::FailingFileSystem files;
    std::string good = *EncodeMongonTable(NewTable());
};

TEST_F(MongonFiles, ReaderMessagesAndWhatItKeeps) {
    MongonTable table;
    table.Rows[0].Text = "kept";
    const std::string missing = dir.Path("none.mon");
    EXPECT_EQ(ReadMongonFile(files, missing, table, prompter.shown), MongonReadResult::kCannotOpen);
    EXPECT_EQ(prompter.shown.back(), "open エラー (" + missing + ")");

    // One character more in the header before its NUL.
    std::string wrongHeader = good;
    wrongHeader[10] = 'X';
    WriteFileBytes(dir.Path("h.mon"), wrongHeader);
    EXPECT_EQ(ReadMongonFile(files, dir.Path("h.mon"), table, prompter.shown), MongonReadResult::kDataError);
    EXPECT_EQ(prompter.shown.back(), "文言ファイルのデータエラー(" + dir.Path("h.mon") + ")");

    std::string wrongTrailer = good;
    wrongTrailer[5540 + 13] = 'd';
    WriteFileBytes(dir.Path("t.mon"), wrongTrailer);
    EXPECT_EQ(ReadMongonFile(files, dir.Path("t.mon"), table, prompter.shown), MongonReadResult::kDataError);
    EXPECT_EQ(table.Rows[0].Text, "kept");

    // Short: its message, then the marks are checked on what was read.
    prompter.shown.clear();
    WriteFileBytes(dir.Path("s.mon"), good.substr(0, 3000));
    bool shortRead = false;
    EXPECT_EQ(ReadMongonFile(files, dir.Path("s.mon"), table, prompter.shown, &shortRead), MongonReadResult::kDataError);
    EXPECT_TRUE(shortRead);
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"read エラー  (" + dir.Path("s.mon") + ")",
                                                        "文言ファイルのデータエラー(" + dir.Path("s.mon") + ")"}));
    // Short by only the trailer's padding: the marks hold, so it is read.
    prompter.shown.clear();
    WriteFileBytes(dir.Path("p.mon"), good.substr(0, 5554));
    EXPECT_EQ(ReadMongonFile(files, dir.Path("p.mon"), table, prompter.shown, &shortRead), MongonReadResult::kRead);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(table, NewTable());

    // Longer: read, nothing said.
    prompter.shown.clear();
    WriteFileBytes(dir.Path("l.mon"), good + std::string(100000, 'z'));
    EXPECT_EQ(ReadMongonFile(files, dir.Path("l.mon"), table, prompter.shown, &shortRead), MongonReadResult::kRead);
    EXPECT_FALSE(shortRead);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MongonFiles, WritesAreWholeOrNotAtAll) {
    const std::string path = dir.Path("a.mon");
    WriteFileBytes(path, "earlier");
    MongonTable table = NewTable();
    table.Rows[0].Text = "新しい";

    files.failAtWrite = 1;
    EXPECT_FALSE(WriteMongonFile(files, prompter, path, table));
    EXPECT_EQ(prompter.shown.back(), "エラー write");
    EXPECT_EQ(ReadFileBytes(path), "earlier");

    files.failAtWrite = 0;
    files.failCommit = true;
    EXPECT_FALSE(WriteMongonFile(files, prompter, path, table));
    EXPECT_EQ(prompter.shown.back(), "エラー write");
    EXPECT_EQ(ReadFileBytes(path), "earlier");

    files.failCommit = false;
    files.failCreate = true;
    EXPECT_FALSE(WriteMongonFile(files, prompter, path, table));
    EXPECT_EQ(prompter.shown.back(), "エラー open");
    EXPECT_EQ(ReadFileBytes(path), "earlier");

    files.failCreate = false;
    table.Rows[1].Text = "😀";
    EXPECT_FALSE(WriteMongonFile(files, prompter, path, table));
    EXPECT_NE(prompter.shown.back().find("項番 1"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), "earlier");

    table.Rows[1].Text.clear();
    EXPECT_TRUE(WriteMongonFile(files, prompter, path, table));
    EXPECT_EQ(ReadFileBytes(path), *EncodeMongonTable(table));
}

// ---- fonts ----

TEST(MongonFonts, SizeAndHeightFollowEachOtherAsOnAFont) {
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(10, 96, 72), 13);    // 13.33
    EXPECT_EQ(MulDiv(3, 1, 2), 2);        // half away from zero
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);

    MongonFont f = WindowMongonFont();
    SetFontSize(f, 12);
    EXPECT_EQ(f.Height, -16);
    SetFontHeight(f, -8);
    EXPECT_EQ(f.Size, 6);
    f.PixelsPerInch = 120;
    SetFontSize(f, 9);
    EXPECT_EQ(f.Height, -15);

    // Applied, the size with the stored pixels per inch decides the height,
    // whatever height the record held.
    MongonFont odd = WindowMongonFont();
    odd.Height = -40;
    odd.Size = 9;
    odd.Color = kMongonGreen;
    odd.Style = kFontBold | kFontUnderline;
    MongonFont target;
    ApplyFont(odd, target);
    EXPECT_EQ(target.Height, -12);
    EXPECT_EQ(target.Size, 9);
    EXPECT_EQ(target.Color, kMongonGreen);
    EXPECT_EQ(target.Style, kFontBold | kFontUnderline);
    EXPECT_EQ(target.Name, "ＭＳ Ｐゴシック");
}

TEST(MongonFonts, ColourValuesAndSurfaceFonts) {
    EXPECT_EQ(RgbOfColorValue(kMongonRed), kRed);
    EXPECT_EQ(RgbOfColorValue(kMongonGreen), kGreen);
    EXPECT_EQ(RgbOfColorValue(kMongonYellow), kYellow);
    EXPECT_EQ(RgbOfColorValue(0x123456), (Rgb{0x56, 0x34, 0x12}));
    EXPECT_EQ(ColorValueOf(kYellow), kMongonYellow);

    MongonFont f = WindowMongonFont();
    EXPECT_EQ(FontSpecOf(f), FontSpec("ＭＳ Ｐゴシック", 12));
    f.Height = 20;  // a cell height
    f.Pitch = 2;
    f.Style = kFontItalic;
    EXPECT_EQ(FontSpecOf(f), FontSpec("ＭＳ Ｐゴシック", 20, kFontItalic, true));
    f.Height = 0;
    EXPECT_EQ(FontSpecOf(f).pixelSize, 12);
    f.Height = -2147483647 - 1;
    EXPECT_EQ(FontSpecOf(f).pixelSize, 1000);
}

// ---- drawing into the picture ----

// An image whose text is a solid block of the text colour, one pixel per
// byte wide and font-height high: enough to see where each row lands.
class BlockTextImage : public MemoryImage {
public:
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb fg, Rgb) override {
        for (int dy = 0; dy < font.pixelSize; ++dy)
            for (int dx = 0; dx < static_cast<int>(text.size()); ++dx) SetPixel(x + dx, y + dy, fg);
        drawn.push_back(text);
    }
    std::vector<std::string> drawn;
};

TEST(MongonRender, RowsWithPositionsLightTheirColoursOnly) {
    BlockTextImage canvas;
    MongonTable table = NewTable();
    auto put = [&](int i, int x, int y, const char* text, std::int32_t colour) {
        table.Rows[i].X = x;
        table.Rows[i].Y = y;
        table.Rows[i].Text = text;
        table.Rows[i].Font.Color = colour;
        table.Rows[i].Font.Height = -4;
    };
    put(0, 0, 0, "RR", kMongonRed);
    put(1, 10, 20, "GG", kMongonGreen);
    put(2, 20, 40, "YY", kMongonYellow);
    put(3, 500, 0, "far", kMongonRed);           // on the canvas, beyond the picture
    put(4, -100, 60, "none", kMongonRed);        // no X: not drawn
    put(8, 30, 60, "hidden row", kMongonRed);   // a row the window hides is still drawn
    put(9, -99, -99, "corner", kMongonRed);      // drawn, almost all outside

    DocUnderTest t;
    ASSERT_TRUE(RenderMongonTable(table, canvas, t.doc, "", t.prompter));
    EXPECT_EQ(canvas.Width(), 800);
    EXPECT_EQ(canvas.Height(), 80);
    EXPECT_EQ(canvas.drawn, (std::vector<std::string>{"RR", "GG", "YY", "far", "hidden row", "corner"}));
    EXPECT_EQ(canvas.GetPixel(500, 0), kRed);
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
    EXPECT_EQ(t.doc.DotColor(1, 3), kLedRed);
    EXPECT_EQ(t.doc.DotColor(2, 0), kOff);
    EXPECT_EQ(t.doc.DotColor(10, 20), kLedGreen);
    EXPECT_EQ(t.doc.DotColor(21, 43), kLedYellow);
    EXPECT_EQ(t.doc.DotColor(30, 60), kLedRed);
    int lit = 0;
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y) lit += t.doc.DotColor(x, y) != kOff;
    EXPECT_EQ(lit, 3 * 2 * 4 + 10 * 4);
    // A new picture: no file holds it yet.
    EXPECT_TRUE(t.doc.Modified());
    EXPECT_EQ(t.doc.FileName, "");
}

// いいえ at the discard question makes no picture: nothing claims one was made.
TEST(MongonRender, RefusedDiscardLeavesThePictureAndReportsNoSuccess) {
    TempDir dir;
    DocUnderTest t;
    test::MakeDistinctive(t);
    MarkUnsaved(t.doc);
    const test::DocumentSnapshot before(t.doc);
    ScriptedPrompter prompter;
    MongonForm form(2, 5);
    form.Rows[0].X = "0";
    form.Rows[0].Y = "0";
    form.Rows[0].Text = "AB";
    prompter.answers = {false};
    BlockTextImage canvas;
    EXPECT_FALSE(form.RenderRows(canvas, t.doc, dir.Path("tmp.bmp"), prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"作成したデータが失われてもいいですか？"}));
    EXPECT_EQ(test::DocumentSnapshot(t.doc), before);
    EXPECT_EQ(ReadFileBytes(dir.Path("tmp.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(form.Table.Rows[0].Text, "AB");  // collected all the same
}

// A row with a text but no number in its X or Y box is not drawn: the
// completion names it. Rows without text, and hidden rows, are not named.
TEST(MongonRender, CompletionNamesTheRowsLeftOut) {
    struct Case {
        const char* x;
        const char* y;
        const char* text;
        bool named;
    };
    const Case cases[] = {{"0", "0", "A", false}, {"", "0", "A", true},  {"0", "", "A", true},
                          {"-", "5", "A", true},  {"", "", "", false},   {"-99", "-99", "A", false}};
    for (const Case& c : cases) {
        DocUnderTest t;
        ScriptedPrompter prompter;
        MongonForm form(2, 2);
        form.Rows[1] = {c.x, c.y, c.text, form.Rows[1].Font};
        form.Rows[3] = {"", "", "hidden", form.Rows[3].Font};  // beyond TateMaisuu 2
        BlockTextImage canvas;
        ASSERT_TRUE(form.RenderRows(canvas, t.doc, "", prompter));
        const std::string said = c.named ? "Led表示データ作成完了\n項番 1 の文言は、横座標か縦座標に数が入って"
                                           "いないため表示データに入っていません"
                                         : "Led表示データ作成完了";
        EXPECT_EQ(prompter.shown, std::vector<std::string>{said}) << c.x << "," << c.y;
    }
    MongonForm form(2, 5);
    form.Rows[0].Text = "a";
    form.Rows[4].Text = "b";
    EXPECT_EQ(form.RowsLeftOut(), (std::vector<int>{0, 4}));
    EXPECT_NE(form.RenderedMessage().find("項番 0、4 の文言は"), std::string::npos);
}

// カードに追加 after 表示データ作成 adds what is shown; anything changed since
// (a row, or the picture in the editor) needs a new rendering first.
TEST(MongonRender, ShowsRenderingOnlyWhileRowsAndPictureAreUnchanged) {
    DocUnderTest t;
    ScriptedPrompter prompter;
    MongonForm form(2, 5);
    BlockTextImage canvas;
    EXPECT_FALSE(form.ShowsRendering(t.doc));  // nothing drawn yet
    form.Rows[0] = {"0", "0", "AB", form.Rows[0].Font};
    ASSERT_TRUE(form.RenderRows(canvas, t.doc, "", prompter));
    EXPECT_TRUE(form.ShowsRendering(t.doc));
    t.doc.SetWriteNoText("07");  // a setting is not part of the drawing
    EXPECT_TRUE(form.ShowsRendering(t.doc));
    form.Rows[0].Text = "ABC";
    EXPECT_FALSE(form.ShowsRendering(t.doc));
    form.Rows[0].Text = "AB";
    EXPECT_TRUE(form.ShowsRendering(t.doc));
    t.doc.DrawDot(600, 400, kRed);  // a dot well away from the text
    EXPECT_FALSE(form.ShowsRendering(t.doc));
}

TEST(MongonRender, PreviewShowsTheDotsTheDocumentGets) {
    MongonTable table = NewTable();
    table.Rows[0] = MongonRow{470, 10, "ABCDEFGHIJKLMNOP", table.Rows[0].Font};
    table.Rows[0].Font.Height = -40;
    table.Rows[0].Font.Color = kMongonYellow;
    BlockTextImage canvas;
    const std::vector<std::uint8_t> dots = MongonPreviewDots(table, canvas, 2);
    ASSERT_EQ(dots.size(), 480u * 80u);
    DocUnderTest t(StartupConfig{2, 2, 5, ""});
    ConvertImageToPicture(canvas, t.doc);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 480; ++x) ASSERT_EQ(dots[y * 480 + x], t.doc.DotColor(x, y)) << x << "," << y;
    EXPECT_EQ(dots[10 * 480 + 470], 3);
    EXPECT_EQ(dots[31 * 480 + 479], 3);
    EXPECT_EQ(dots[32 * 480 + 470], 0);  // third panel row: disabled
}

}  // namespace
}  // namespace tesslor
