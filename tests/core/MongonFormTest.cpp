// The text message editor's state: positions as typed, the unsaved flag and
// its questions, the font and colour rules of each colour setting, the file
// commands, and the controls reached by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "TestSupport.h"
#include "makers/MongonForm.h"

namespace tesslor {
namespace {

using test::ReadFileBytes;
using test::ScriptedFileChooser;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFileBytes;

TEST(MongonPositions, TypedTextsBecomeValuesOrNoPosition) {
    EXPECT_EQ(ParsePosition(""), -100);
    EXPECT_EQ(ParsePosition("-"), -100);
    EXPECT_EQ(ParsePosition("1a"), -100);
    EXPECT_EQ(ParsePosition(" 5 "), 5);
    EXPECT_EQ(ParsePosition("-99"), -99);
    EXPECT_EQ(ParsePosition("+7"), 7);
    EXPECT_EQ(ParsePosition("99999999999"), -100);
    EXPECT_EQ(PositionText(-100), "");
    EXPECT_EQ(PositionText(-99), "-99");
    for (const char* fits : {"", "0", "-9", "+12", "999"}) EXPECT_TRUE(FitsPositionMask(fits)) << fits;
    for (const char* refused : {"1000", "9-", "1 2", "a", "--1", "-100"}) EXPECT_FALSE(FitsPositionMask(refused)) << refused;
}

struct MongonFormFixture : ::testing::Test {
    TempDir dir;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    test::FailingFileSystem files;
    FileDialog open{chooser, kMongonOpenDialog};
    FileDialog save{chooser, kMongonSaveDialog};
    FormDialogs dialogs{&open, &save, "/card"};

    MongonForm MakeForm(int nanSyoku = 2, int tate = 5) { return MongonForm(nanSyoku, tate, files); }
};

TEST_F(MongonFormFixture, CreationClearsEveryRowInTheRowColour) {
    MongonForm red = MakeForm(2, 2);
    EXPECT_FALSE(red.Modified);
    EXPECT_TRUE(red.CurrentFile.empty());
    for (int i = 0; i < kMongonRows; ++i) {
        EXPECT_EQ(red.Rows[i].Font.Color, kMongonRed);
        EXPECT_EQ(red.Rows[i].Font.Height, -12);
        EXPECT_EQ(red.Rows[i].Font.Charset, 128);
        EXPECT_EQ(red.RowShown(i), i < 2);
    }
    MongonForm yellow = MakeForm(-1);
    EXPECT_EQ(yellow.Rows[9].Font.Color, kMongonYellow);
}

TEST_F(MongonFormFixture, SaveAsThenOverwriteWithTheirMessagesAndTheFlagStaysSet) {
    MongonForm form = MakeForm();
    form.Rows[0] = {"1", "2", "文言", form.Rows[0].Font};
    form.Modified = true;
    const std::string path = dir.Path("a.mon");
    chooser.script = {path};
    ASSERT_TRUE(form.SaveMongonFile(dialogs, prompter));  // no current file yet: asks for a name
    EXPECT_EQ(chooser.requests.back().title, "文言ファイルSave");
    EXPECT_EQ(chooser.requests.back().defaultExt, "mon");
    EXPECT_EQ(chooser.requests.back().initialDir, "/card");  // no file yet: the drive's root
    EXPECT_EQ(prompter.shown.back(), "保存完了(" + path + ")");
    EXPECT_EQ(form.CurrentFile, path);
    EXPECT_TRUE(form.Modified);
    EXPECT_EQ(ReadFileBytes(path), *EncodeMongonTable(form.Table));

    form.Rows[0].Text = "変更";
    ASSERT_TRUE(form.SaveMongonFile(dialogs, prompter));
    EXPECT_EQ(prompter.shown.back(), "上書き完了(" + path + ")");
    EXPECT_EQ(chooser.requests.size(), 1u);

    // A failed save keeps the name it had and says so once.
    files.failAtWrite = files.writes + 1;
    const std::size_t before = prompter.shown.size();
    chooser.script = {dir.Path("b.mon")};
    EXPECT_FALSE(form.SaveMongonFileAs(dialogs, prompter));
    EXPECT_EQ(chooser.requests.back().initialDir, dir.Dir().string());  // the current file's folder
    EXPECT_EQ(chooser.requests.back().fileName, path);
    EXPECT_EQ(form.CurrentFile, path);
    EXPECT_EQ(prompter.shown.size(), before + 1);
    EXPECT_EQ(prompter.shown.back(), "エラー write");
}

TEST_F(MongonFormFixture, OpenShowsRowsAndFailuresKeepThem) {
    MongonForm writer = MakeForm();
    writer.Rows[1] = {"-5", "", "温度", writer.Rows[1].Font};
    SetFontSize(writer.Rows[1].Font, 12);
    const std::string path = dir.Path("w.mon");
    ASSERT_TRUE(writer.WriteFile(path, prompter));

    MongonForm form = MakeForm(2, 2);
    chooser.script = {path};
    ASSERT_TRUE(form.ReadMongonFile(dialogs, prompter));
    EXPECT_EQ(chooser.requests.back().title, "文言ファイルOpen");
    EXPECT_EQ(chooser.requests.back().fileName, "");
    EXPECT_EQ(form.Rows[1].X, "-5");
    EXPECT_EQ(form.Rows[1].Y, "");  // -100 shows empty
    EXPECT_EQ(form.Rows[1].Text, "温度");
    EXPECT_EQ(form.Rows[1].Font.Height, -16);
    EXPECT_EQ(form.CurrentFile, path);
    EXPECT_TRUE(form.Modified);  // the boxes were filled

    // A broken file names itself the current file but changes no row.
    std::string broken = ReadFileBytes(path);
    broken[0] = 'm';
    WriteFileBytes(dir.Path("broken.mon"), broken);
    EXPECT_FALSE(form.ReadFile(dir.Path("broken.mon"), prompter));
    EXPECT_EQ(form.CurrentFile, dir.Path("broken.mon"));
    EXPECT_EQ(form.Rows[1].Text, "温度");
    // A file that cannot be opened changes nothing at all.
    EXPECT_FALSE(form.ReadFile(dir.Path("missing.mon"), prompter));
    EXPECT_EQ(form.CurrentFile, dir.Path("broken.mon"));
    EXPECT_EQ(prompter.shown.back(), "open エラー (" + dir.Path("missing.mon") + ")");

    // A short file whose marks survive: its message, then its rows, as 開く does.
    MongonTable shortTable = writer.CollectedTable();
    shortTable.Rows[1].Text = "短い";
    std::string shortBytes = *EncodeMongonTable(shortTable);
    shortBytes.resize(kMongonTableBytes - 6);  // the trailer's text is whole, its NULs are not
    WriteFileBytes(dir.Path("short.mon"), shortBytes);
    prompter.shown.clear();
    EXPECT_TRUE(form.ReadFile(dir.Path("short.mon"), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"read エラー  (" + dir.Path("short.mon") + ")"});
    EXPECT_EQ(form.Rows[1].Text, "短い");
    EXPECT_EQ(form.CurrentFile, dir.Path("short.mon"));
}

// What the program's end asks about: rows that differ from their file, or
// from the empty rows of the start and of 新規作成 (unlike Modified, which a
// save leaves set).
TEST_F(MongonFormFixture, RowsAreUnsavedUntilWrittenOrReadOrNew) {
    MongonForm form = MakeForm(2, 2);
    EXPECT_FALSE(form.RowsUnsaved());
    EXPECT_TRUE(form.AskToSaveBeforeEnd(dialogs, prompter));  // nothing to ask
    form.Rows[0].Text = "a";
    form.Modified = true;
    EXPECT_TRUE(form.RowsUnsaved());
    form.Rows[0].Text = "";
    EXPECT_FALSE(form.RowsUnsaved());

    form.Rows[0].Text = "a";
    chooser.script = {dir.Path("a.mon")};
    ASSERT_TRUE(form.SaveMongonFileAs(dialogs, prompter));
    EXPECT_FALSE(form.RowsUnsaved());
    EXPECT_TRUE(form.Modified);
    form.Rows[1].X = "3";
    EXPECT_TRUE(form.RowsUnsaved());
    // キャンセル keeps them; いいえ lets the program end without a write.
    prompter.saveChoices = {SaveChoice::Cancel, SaveChoice::Discard};
    EXPECT_FALSE(form.AskToSaveBeforeEnd(dialogs, prompter));
    EXPECT_TRUE(form.AskToSaveBeforeEnd(dialogs, prompter));
    EXPECT_EQ(form.Rows[1].X, "3");
    EXPECT_EQ(DecodeMongonTable(ReadFileBytes(dir.Path("a.mon"))).Rows[1].X, -100);

    // 新規作成 and 開く ask on Modified; both leave the rows as their file.
    prompter.saveChoices = {SaveChoice::Discard, SaveChoice::Discard};
    ASSERT_TRUE(form.ResetRows(dialogs, prompter));
    EXPECT_FALSE(form.RowsUnsaved());
    chooser.script = {dir.Path("a.mon")};
    ASSERT_TRUE(form.ReadMongonFile(dialogs, prompter));
    EXPECT_FALSE(form.RowsUnsaved());
}

TEST_F(MongonFormFixture, NewAndOpenAskToSaveEveryTimeOnceEdited) {
    MongonForm form = MakeForm(2, 2);
    form.Rows[0].Text = "a";
    form.Modified = true;
    const std::string path = dir.Path("q.mon");

    // Yes saves first (asking for a name), then 新規作成 goes on.
    prompter.saveChoices = {SaveChoice::Save};
    chooser.script = {path};
    EXPECT_TRUE(form.ResetRows(dialogs, prompter));
    EXPECT_EQ(prompter.shown.front(), "保存しますか？");
    EXPECT_EQ(DecodeMongonTable(ReadFileBytes(path)).Rows[0].Text, "a");
    EXPECT_TRUE(form.CurrentFile.empty());
    EXPECT_EQ(form.Rows[0].Text, "");
    EXPECT_TRUE(form.Modified);

    // Asked again after the save; No opens without saving.
    prompter.shown.clear();
    prompter.saveChoices = {SaveChoice::Discard};
    chooser.script = {path};
    ASSERT_TRUE(form.ReadMongonFile(dialogs, prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？"}));
    EXPECT_EQ(form.Rows[0].Text, "a");

    // A save asked for and cancelled keeps the rows: nothing is opened.
    prompter.saveChoices = {SaveChoice::Save};
    form.CurrentFile.clear();
    chooser.script = {std::nullopt};
    form.Rows[0].Text = "unsaved";
    EXPECT_FALSE(form.ResetRows(dialogs, prompter));
    EXPECT_EQ(form.Rows[0].Text, "unsaved");
    // Nor is anything opened over them.
    chooser.script = {std::nullopt, path};
    prompter.saveChoices = {SaveChoice::Save};
    EXPECT_FALSE(form.ReadMongonFile(dialogs, prompter));
    EXPECT_EQ(form.Rows[0].Text, "unsaved");
    EXPECT_EQ(chooser.script.size(), 1u);  // the open dialog never ran
}

TEST_F(MongonFormFixture, NewClearsHiddenRowsTooSoTheyAreNotDrawnAfterwards) {
    MongonTable table = MongonForm(2, 5, files).CollectedTable();
    table.Rows[7] = MongonRow{0, 0, "old", table.Rows[7].Font};
    ASSERT_TRUE(WriteMongonFile(files, prompter, dir.Path("h.mon"), table));
    MongonForm form = MakeForm(2, 2);
    ASSERT_TRUE(form.ReadFile(dir.Path("h.mon"), prompter));
    EXPECT_EQ(form.Rows[7].Text, "old");
    prompter.saveChoices = {SaveChoice::Discard};
    form.ResetRows(dialogs, prompter);
    form.CollectRows();
    EXPECT_FALSE(form.Table.Rows[7].HasPosition());
    EXPECT_EQ(form.Table.Rows[7].Text, "");
    EXPECT_EQ(form.Table.Rows[7].Font.Color, kMongonRed);
}

TEST_F(MongonFormFixture, FontAndColourRulesOfEachColourSetting) {
    MongonFont bold = WindowMongonFont();
    bold.Name = "Unifont";
    bold.Color = kMongonGreen;
    SetFontHeight(bold, -16);
    auto chosen = [&](const MongonFont&) { return std::optional<MongonFont>(bold); };
    auto cancelled = [](const MongonFont&) { return std::optional<MongonFont>(); };
    std::vector<std::optional<std::int32_t>> presets;
    auto pickGreen = [&](std::optional<std::int32_t> preset) {
        presets.push_back(preset);
        return kMongonGreen;
    };

    // Two colours: the pen colour window even after a cancelled font dialog.
    MongonForm two = MakeForm(2);
    two.ChooseRowFont(3, cancelled, pickGreen);
    EXPECT_EQ(presets, (std::vector<std::optional<std::int32_t>>{kMongonRed}));
    EXPECT_EQ(two.Rows[3].Font.Color, kMongonGreen);
    EXPECT_EQ(two.Rows[3].Font.Height, -12);
    EXPECT_TRUE(two.Modified);  // the colour changed
    // A colour that is none of the three presets nothing.
    two.Rows[4].Font.Color = 0x123456;
    two.ChooseRowFont(4, cancelled, pickGreen);
    EXPECT_EQ(presets.back(), std::nullopt);

    // One colour and the XK series force their colour and never ask for one.
    auto never = [](std::optional<std::int32_t>) -> std::int32_t {
        ADD_FAILURE() << "pen colour window opened";
        return 0;
    };
    MongonForm one = MakeForm(1);
    one.ChooseRowFont(0, chosen, never);
    EXPECT_EQ(one.Rows[0].Font.Color, kMongonRed);
    EXPECT_EQ(one.Rows[0].Font.Name, "Unifont");
    EXPECT_TRUE(one.Modified);
    MongonForm xk = MakeForm(-1);
    xk.ChooseRowFont(0, chosen, never);
    EXPECT_EQ(xk.Rows[0].Font.Color, kMongonYellow);
    xk.ChooseRowFont(0, cancelled, never);
    one.ChooseRowFont(10, chosen, never);
    one.ChooseRowFont(-1, chosen, never);
}

TEST_F(MongonFormFixture, ControlsByNameRoundTripTheTable) {
    MongonForm form = MakeForm();
    std::string problem;
    ASSERT_TRUE(form.SetValue("X_Edit0", "12", problem));
    ASSERT_TRUE(form.SetValue("Y_Edit0", "-3", problem));
    ASSERT_TRUE(form.SetValue("MojiEdit0", "騒音 65dB", problem));
    ASSERT_TRUE(form.SetValue("Font0.Color", "0x00FF00", problem));
    ASSERT_TRUE(form.SetValue("Font0.Name", "MisakiGothic", problem));
    ASSERT_TRUE(form.SetValue("Font0.Size", "6", problem));
    EXPECT_EQ(form.Value("Font0.Height"), "-8");
    ASSERT_TRUE(form.SetValue("Font0.Height", "-16", problem));
    EXPECT_EQ(form.Value("Font0.Size"), "12");
    ASSERT_TRUE(form.SetValue("Font8.Color", "255", problem));
    EXPECT_EQ(form.Value("Font8.Color"), "0x0000FF");
    ASSERT_TRUE(form.SetValue("Font9.Color", "0x80000008", problem));
    EXPECT_EQ(form.Value("Font9.Color"), "0x80000008");
    ASSERT_TRUE(form.SetValue("Font9.Style", "15", problem));
    // Pixels per inch keep the height, as on a font; the size follows.
    ASSERT_TRUE(form.SetValue("Font1.PixelsPerInch", "72", problem));
    EXPECT_EQ(form.Value("Font1.Height"), "-12");
    EXPECT_EQ(form.Value("Font1.Size"), "12");
    EXPECT_EQ(form.Value("Font0.Color"), "0x00FF00");
    EXPECT_EQ(form.Value("X_Edit1"), "");
    EXPECT_FALSE(form.Value("X_Edit10"));
    EXPECT_FALSE(form.Value("Font0.Colour"));

    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"X_Edit0", "1000"}, {"Y_Edit3", "abc"}, {"MojiEdit1", "😀"}, {"MojiEdit1", std::string(81, 'a')}, {"MojiEdit1", "two\nlines"}, {"Font2.Name", "a\rb"},
             {"Font0.Charset", "256"}, {"Font0.Pitch", "-1"}, {"Font0.Size", "9pt"}, {"Font0.Name", "한"},
             {"Font10.Size", "9"}, {"Z_Edit0", "1"}}) {
        problem.clear();
        EXPECT_FALSE(form.SetValue(name, value, problem)) << name << "=" << value;
        EXPECT_FALSE(problem.empty()) << name;
    }
    EXPECT_EQ(form.Value("X_Edit0"), "12");

    // What `show` prints, set into a fresh form, gives the same table.
    MongonForm copy = MakeForm();
    // Reached through the base, as tesslor-cli's show and make reach every form.
    Form& base = copy;
    EXPECT_EQ(base.Kind(), "text");
    EXPECT_EQ(base.FieldNames(), MongonForm::AllFieldNames());
    for (const std::string& name : base.FieldNames()) {
        ASSERT_TRUE(base.SetValue(name, *form.Value(name), problem)) << name << ": " << problem;
    }
    EXPECT_EQ(copy.CollectedTable(), form.CollectedTable());
    EXPECT_EQ(MongonForm::AllFieldNames().size(), 30u + 80u);
    EXPECT_EQ(MongonForm::AllFieldNames()[30], "Font0.Color");
}

// ---- fonts: pixel fonts, the text box, the font dialog's choice ----

TEST(MongonFonts, PixelFontsAreGivenAtTheirDotHeightAndShownEnlargedInTheirBox) {
    for (const char* face : {"Unifont", "unifont", "Unifont-JP", "Unifont Upper", "MisakiGothic", "MisakiGothic2nd",
                             "MisakiMincho", "美咲ゴシック"})
        EXPECT_TRUE(IsPixelFontFace(face)) << face;
    for (const char* face : {"", "IPAGothic", "ＭＳ Ｐゴシック", "Uni", "MyUnifont"})
        EXPECT_FALSE(IsPixelFontFace(face)) << face;

    // The pixel font rule: the dot height at 96 pixels per inch, default pitch,
    // no style; colour and character set stay.
    MongonFont f = WindowMongonFont();
    f.Color = kMongonGreen;
    f.PixelsPerInch = 120;
    f.Pitch = 2;
    f.Style = kFontBold | kFontItalic;
    GivePixelFont(f, kMongonMisaki);
    EXPECT_EQ(f, (MongonFont{kMongonGreen, 128, -8, "MisakiGothic", 0, 96, 6, 0}));
    GivePixelFont(f, kMongonUnifont);
    EXPECT_EQ(f, (MongonFont{kMongonGreen, 128, -16, "Unifont", 0, 96, 12, 0}));

    MongonForm form(2, 5);
    form.GiveRowPixelFont(3, kMongonMisaki);
    EXPECT_EQ(form.Rows[3].Font.Name, "MisakiGothic");
    EXPECT_TRUE(form.Modified);
    form.GiveRowPixelFont(10, kMongonMisaki);  // no such row: nothing happens
    EXPECT_EQ(form.CollectedTable().Rows[3].Font.Height, -8);

    // The box: a pixel font by the smallest whole factor to 16 pixels, any
    // other font as it is, nothing taller than the canvas.
    struct Case {
        const char* face;
        std::int32_t height;
        int shown;
    };
    for (const Case& c : {Case{"MisakiGothic", -8, 16}, Case{"MisakiGothic", -16, 16}, Case{"MisakiGothic", -12, 24},
                          Case{"MisakiGothic", -5, 20}, Case{"Unifont", -16, 16}, Case{"Unifont", -1, 16},
                          Case{"Unifont", 0, 24}, Case{"IPAGothic", -8, 8}, Case{"ＭＳ Ｐゴシック", -12, 12},
                          Case{"IPAGothic", -200, 80}, Case{"Unifont", -200, 80}}) {
        MongonFont font = WindowMongonFont();
        font.Name = c.face;
        font.Height = c.height;
        font.Style = kFontUnderline;
        const FontSpec box = MongonBoxFont(font);
        EXPECT_EQ(box.pixelSize, c.shown) << c.face << " " << c.height;
        EXPECT_EQ(box.face, c.face);
        EXPECT_EQ(box.style, kFontUnderline);
        EXPECT_EQ(FontSpecOf(font).pixelSize, std::min(std::abs(c.height ? c.height : 12), 1000));
    }
}

TEST(MongonFonts, TheFontDialogsChoiceBecomesTheRowsFont) {
    EXPECT_EQ(FontStyleBits(false, false, false, false), 0);
    EXPECT_EQ(FontStyleBits(true, false, false, false), kFontBold);
    EXPECT_EQ(FontStyleBits(false, true, false, true), kFontItalic | kFontStrikeOut);
    EXPECT_EQ(FontStyleBits(true, true, true, true), 15);

    MongonFont row = WindowMongonFont();
    row.Color = kMongonGreen;
    row.Pitch = 2;
    row.PixelsPerInch = 72;
    // Pixels give the height, the size follows at 96 pixels per inch; colour,
    // character set and pitch stay the row's.
    std::optional<MongonFont> f =
        MongonFontOfChosen(ChosenFont{"IPAGothic", 20, 0, kFontBold | kFontUnderline}, row, "IPAPGothic");
    ASSERT_TRUE(f);
    EXPECT_EQ(*f, (MongonFont{kMongonGreen, 128, -20, "IPAGothic", 2, 96, 15, kFontBold | kFontUnderline}));
    // Points give the size, rounded; the height follows.
    f = MongonFontOfChosen(ChosenFont{"IPAGothic", 0, 11.6, 0}, row, "IPAPGothic");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Size, 12);
    EXPECT_EQ(f->Height, -16);
    // The family the row's name is drawn with keeps the row's name.
    f = MongonFontOfChosen(ChosenFont{"IPAPGothic", 0, 24, 0}, row, "IPAPGothic");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Name, "ＭＳ Ｐゴシック");
    // A face the file cannot keep is no choice.
    EXPECT_FALSE(MongonFontOfChosen(ChosenFont{"한글글꼴", 0, 12, 0}, row, "IPAPGothic"));
    EXPECT_FALSE(MongonFontOfChosen(ChosenFont{std::string(254, 'a') + "あ", 0, 12, 0}, row, "IPAPGothic"));
    EXPECT_TRUE(MongonFaceNameFits(std::string(255, 'a')));
    EXPECT_FALSE(MongonFaceNameFits(std::string(256, 'a')));
    EXPECT_FALSE(MongonFaceNameFits("a\tb"));
    EXPECT_EQ(MongonFaceRefusedMessage("한"),
              "フォント「한」は文言ファイルに保存できません。名前がシフトJISで表せる（255バイト以内の）フォントを選んで下さい");
}

TEST(MongonDialogFolder, TheCurrentFilesFolderElseTheDrivesRoot) {
    MongonForm form(2, 5);
    const FormDialogs dialogs{nullptr, nullptr, "/media/card"};
    EXPECT_EQ(form.DialogFolder(dialogs), "/media/card");
    form.CurrentFile = "/data/text/a.mon";
    EXPECT_EQ(form.DialogFolder(dialogs), "/data/text");
    form.CurrentFile = "E:\\mon\\b.mon";
    EXPECT_EQ(form.DialogFolder(dialogs), "E:\\mon");
    form.CurrentFile = "/c.mon";
    EXPECT_EQ(form.DialogFolder(dialogs), "/");
    form.CurrentFile = "d.mon";
    EXPECT_EQ(form.DialogFolder(dialogs), "/media/card");
}

}  // namespace
}  // namespace tesslor
