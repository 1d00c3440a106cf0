// The text message editor's state: positions as typed, the unsaved flag and
// its questions, the font and colour rules of each colour setting, the file
// commands, and the controls reached by name.
#include <gtest/gtest.h>

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

    MongonForm MakeForm(int nanSyoku = 2, int tate = 5) { return MongonForm(nanSyoku, tate, files, prompter); }
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
    ASSERT_TRUE(form.SaveMongonFile(save));  // no current file yet: asks for a name
    EXPECT_EQ(chooser.requests.back().title, "文言ファイルSave");
    EXPECT_EQ(chooser.requests.back().defaultExt, "mon");
    EXPECT_EQ(prompter.shown.back(), "保存完了(" + path + ")");
    EXPECT_EQ(form.CurrentFile, path);
    EXPECT_TRUE(form.Modified);
    EXPECT_EQ(ReadFileBytes(path), *EncodeMongonTable(form.Table));

    form.Rows[0].Text = "変更";
    ASSERT_TRUE(form.SaveMongonFile(save));
    EXPECT_EQ(prompter.shown.back(), "上書き完了(" + path + ")");
    EXPECT_EQ(chooser.requests.size(), 1u);

    // A failed save keeps the name it had and says so once.
    files.failAtWrite = files.writes + 1;
    const std::size_t before = prompter.shown.size();
    chooser.script = {dir.Path("b.mon")};
    EXPECT_FALSE(form.SaveMongonFileAs(save));
    EXPECT_EQ(form.CurrentFile, path);
    EXPECT_EQ(prompter.shown.size(), before + 1);
    EXPECT_EQ(prompter.shown.back(), "エラー write");
}

TEST_F(MongonFormFixture, OpenShowsRowsAndFailuresKeepThem) {
    MongonForm writer = MakeForm();
    writer.Rows[1] = {"-5", "", "温度", writer.Rows[1].Font};
    SetFontSize(writer.Rows[1].Font, 12);
    const std::string path = dir.Path("w.mon");
    ASSERT_TRUE(writer.WriteMongonFile(path));

    MongonForm form = MakeForm(2, 2);
    chooser.script = {path};
    ASSERT_TRUE(form.ReadMongonFile(open, save));
    EXPECT_EQ(chooser.requests.back().title, "文言ファイルOpen");
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
    EXPECT_FALSE(form.OpenFile(dir.Path("broken.mon")));
    EXPECT_EQ(form.CurrentFile, dir.Path("broken.mon"));
    EXPECT_EQ(form.Rows[1].Text, "温度");
    // A file that cannot be opened changes nothing at all.
    EXPECT_FALSE(form.OpenFile(dir.Path("missing.mon")));
    EXPECT_EQ(form.CurrentFile, dir.Path("broken.mon"));
}

TEST_F(MongonFormFixture, NewAndOpenAskToSaveEveryTimeOnceEdited) {
    MongonForm form = MakeForm(2, 2);
    form.Rows[0].Text = "a";
    form.Modified = true;
    const std::string path = dir.Path("q.mon");

    // Yes saves first (asking for a name), then 新規作成 goes on.
    prompter.answers = {true};
    chooser.script = {path};
    form.ResetRows(save);
    EXPECT_EQ(prompter.shown.front(), "保存しますか？");
    EXPECT_EQ(DecodeMongonTable(ReadFileBytes(path)).Rows[0].Text, "a");
    EXPECT_TRUE(form.CurrentFile.empty());
    EXPECT_EQ(form.Rows[0].Text, "");
    EXPECT_TRUE(form.Modified);

    // Asked again after the save; No opens without saving.
    prompter.shown.clear();
    prompter.answers = {false};
    chooser.script = {path};
    ASSERT_TRUE(form.ReadMongonFile(open, save));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？"}));
    EXPECT_EQ(form.Rows[0].Text, "a");

    // A save asked for and cancelled keeps the rows: nothing is opened.
    prompter.answers = {true};
    form.CurrentFile.clear();
    chooser.script = {std::nullopt};
    form.Rows[0].Text = "unsaved";
    form.ResetRows(save);
    EXPECT_EQ(form.Rows[0].Text, "unsaved");
}

TEST_F(MongonFormFixture, NewClearsHiddenRowsTooSoTheyAreNotDrawnAfterwards) {
    MongonTable table = MongonForm(2, 5, files, prompter).CollectedTable();
    table.Rows[7] = MongonRow{0, 0, "old", table.Rows[7].Font};
    ASSERT_TRUE(WriteMongonFile(files, prompter, dir.Path("h.mon"), table));
    MongonForm form = MakeForm(2, 2);
    ASSERT_TRUE(form.OpenFile(dir.Path("h.mon")));
    EXPECT_EQ(form.Rows[7].Text, "old");
    prompter.answers = {false};
    form.ResetRows(save);
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
    for (const std::string& name : MongonForm::FieldNames()) {
        ASSERT_TRUE(copy.SetValue(name, *form.Value(name), problem)) << name << ": " << problem;
    }
    EXPECT_EQ(copy.CollectedTable(), form.CollectedTable());
    EXPECT_EQ(MongonForm::FieldNames().size(), 30u + 80u);
    EXPECT_EQ(MongonForm::FieldNames()[30], "Font0.Color");
}

}  // namespace
}  // namespace tesslor
