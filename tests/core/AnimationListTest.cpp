// The animation list and its files: golden bytes of the list and data files,
// every message of the checks, the save and the load, file naming, failed
// writes that keep the earlier files, the data-file checker and the demo's frames.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FileTestDoc.h"
#include "TestSupport.h"
#include "makers/AnimationList.h"
#include "text/Numbers.h"

namespace tesslor::test {
namespace {

namespace fs = std::filesystem;

const char* const kOtherFolder = "同一のフォルダー内のファイルしか指定できません";
const char* const kNoPictures = "ファイルが追加されていません";

std::string Num(int n, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, n);
    return buf;
}
// Data lines a picture file holds, told apart by colour, and the filler the data file adds.
std::string RedLine(int n) { return "$" + Num(n, 3) + ":8000,0000,0000,0000,0001,"; }
std::string GreenLine(int n) { return "$" + Num(n, 3) + ":0000,0000,0000,0000,4000,"; }
std::string BlankLine(int n) { return "$" + Num(n, 3) + ":0000,0000,0000,0000,0000,"; }

// An LED data file with `lines` data lines per colour; 0 gives a picture
// without a lit dot (no colour blocks at all).
std::string PictureBytes(int lines) {
    std::vector<std::string> l = {"#LED_DATA_FILE", "#DATA_TYPE",        "$NORMAL",
                                  "#END_OF_DATA_TYPE", "#DEFINE",        "$SETEI:A, , ,000",
                                  "$MAXIMUM_LINES=" + Num(lines, 3),     "$REVERSE_COLOR_RED",
                                  "$WRITE_TABLE_NO=01", "#END_OF_DEFINE"};
    if (lines > 0) {
        l.push_back("#RED");
        for (int i = 0; i < lines; ++i) l.push_back(RedLine(i));
        l.push_back("#END_OF_RED");
        l.push_back("#GREEN");
        for (int i = 0; i < lines; ++i) l.push_back(GreenLine(i));
        l.push_back("#END_OF_GREEN");
    }
    l.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(l, true);
}

// The lines one picture of `lines` data lines per colour gives in the data file.
void AppendPicture(std::vector<std::string>& out, int j, int lines) {
    out.push_back("#PICTURE_NO=" + Num(j, 2));
    out.push_back("#RED");
    for (int i = 0; i < 80; ++i) out.push_back(i < lines ? RedLine(i) : BlankLine(i));
    out.push_back("#END_OF_RED");
    out.push_back("#GREEN");
    for (int i = 0; i < 80; ++i) out.push_back(i < lines ? GreenLine(i) : BlankLine(i));
    out.push_back("#END_OF_GREEN");
}

std::vector<std::string> DataHead(const std::string& quality, const std::string& time, const std::string& count,
                                  const std::string& writeNo) {
    return {"#LED_DATA_FILE", "#DATA_TYPE", "$ANIMATION", "#END_OF_DATA_TYPE", "#DEFINE", quality,
            "$ANIMATION_DISPLAY_TIME=" + time, "$ANIMATION_PICTURES=" + count, "$WRITE_TABLE_NO=" + writeNo,
            "#END_OF_DEFINE"};
}

// Files a save left behind that are neither lists, data files nor pictures.
int StrayFiles(const TempDir& dir) {
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir.Dir()))
        if (e.path().filename().string().rfind(".tesslor-save-", 0) == 0) ++n;
    return n;
}

// A file system that cannot create one kind of file.
class NoCreateFileSystem : public FailingFileSystem {
public:
    explicit NoCreateFileSystem(std::string ext) : ext_(std::move(ext)) {}
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        if (path.size() >= ext_.size() && path.compare(path.size() - ext_.size(), ext_.size(), ext_) == 0)
            return nullptr;
        return FailingFileSystem::Create(path);
    }

private:
    std::string ext_;
};

class AnimationTest : public ::testing::Test {
protected:
    void Picture(const std::string& name, int lines) { WriteFileBytes(dir.Path(name), PictureBytes(lines)); }
    void Add(const std::string& name) { ASSERT_TRUE(list.AddPicture(dir.Path(name), -1, prompter)) << name; }
    // n pictures p00.lee … of 16 lines each, all in the list.
    void AddPictures(int n) {
        for (int i = 0; i < n; ++i) {
            Picture("p" + Num(i, 2) + ".lee", 16);
            Add("p" + Num(i, 2) + ".lee");
        }
    }
    bool Save(const std::string& name = "anim.alt") { return list.SaveAnimation(dir.Path(name), prompter); }
    std::string Bytes(const std::string& name) { return ReadFileBytes(dir.Path(name)); }
    bool Exists(const std::string& name) { return fs::exists(dir.Path(name)); }
    // Saves after refusing with exactly the message given ("" for none), or saves.
    void ExpectSave(bool ok, const std::string& message) {
        prompter.shown.clear();
        EXPECT_EQ(Save(), ok);
        EXPECT_EQ(prompter.shown, message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    }

    TempDir dir;
    ScriptedPrompter prompter;
    FailingFileSystem files;
    AnimationList list{files};
};

// ---- golden bytes ----

TEST_F(AnimationTest, SavesListAndDataFileByteForByte) {
    Picture("a.lee", 16);   // padded with blank lines 016 to 079
    Picture("b.lee", 480);  // cut to its first 80 lines per colour
    Add("a.lee");
    Add("b.lee");
    list.WriteNoText = "03";
    ASSERT_TRUE(Save("anim.alt"));
    EXPECT_TRUE(prompter.shown.empty());

    EXPECT_EQ(Bytes("anim.alt"), "ANIMATION_QUALITY_SUPER\r\n03\r\n10\r\na.lee\r\nb.lee\r\n");
    std::vector<std::string> lines = DataHead("$ANIMATION_QUALITY_SUPER", "0010", "02", "03");
    AppendPicture(lines, 0, 16);
    AppendPicture(lines, 1, 80);
    lines.push_back("#END_OF_LED_DATA_FILE");
    const std::string ana = Bytes("anim.ana");
    EXPECT_EQ(ana, CrLfLines(lines, true));
    EXPECT_EQ(ana.size(), 341u * 32u);
    EXPECT_NE(ana.find("$ANIMATION_DISPLAY_TIME=0010  \r\n"), std::string::npos);
    EXPECT_NE(ana.find(RedLine(15) + "\r\n" + BlankLine(16) + "\r\n"), std::string::npos) << "16 lines, then the filler from 016";
}

TEST_F(AnimationTest, WritesTypeTimeAndWriteNumberFields) {
    Picture("a.lee", 1);
    Add("a.lee");
    struct Case {
        int type;
        const char* writeNo;
        const char* time;
        const char* listHead;
        const char* quality;
        const char* timeField;
        const char* writeNoField;
    } cases[] = {
        {kAnimationSuper, "1", "1", "ANIMATION_QUALITY_SUPER\r\n1\r\n1\r\n", "$ANIMATION_QUALITY_SUPER", "0001", "01"},
        {kAnimationSuper, "06", "9999", "ANIMATION_QUALITY_SUPER\r\n06\r\n9999\r\n", "$ANIMATION_QUALITY_SUPER",
         "9999", "06"},
        {kAnimationNormal, "20", "0150", "ANIMATION_QUALITY_NORMAL\r\n20\r\n0150\r\n", "$ANIMATION_QUALITY_NORMAL",
         "0150", "20"},
        // Blanks around the numbers would make the list unreadable; they are left out.
        {kAnimationNormal, " 7", " 10", "ANIMATION_QUALITY_NORMAL\r\n7\r\n10\r\n", "$ANIMATION_QUALITY_NORMAL",
         "0010", "07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writeNo);
        list.Type = c.type;
        list.WriteNoText = c.writeNo;
        list.TimeText = c.time;
        ExpectSave(true, "");
        EXPECT_EQ(Bytes("anim.alt"), std::string(c.listHead) + "a.lee\r\n");
        std::vector<std::string> lines = DataHead(c.quality, c.timeField, "01", c.writeNoField);
        AppendPicture(lines, 0, 1);
        lines.push_back("#END_OF_LED_DATA_FILE");
        EXPECT_EQ(Bytes("anim.ana"), CrLfLines(lines, true));
        AnimationList reloaded;
        ASSERT_TRUE(reloaded.LoadAnimationList(dir.Path("anim.alt"), prompter));
        EXPECT_EQ(reloaded.Type, c.type);
        EXPECT_EQ(LeadingInt(reloaded.WriteNoText), LeadingInt(c.writeNo));
        EXPECT_EQ(LeadingInt(reloaded.TimeText), LeadingInt(c.time));
    }
}

TEST_F(AnimationTest, WritesNamesInShiftJisTrimmed) {
    Picture("絵.lee", 1);
    Add("絵.lee");
    list.Entries.push_back(" 絵.lee \t");  // as a hand-edited list may hold it
    list.WriteNoText = "1";
    ASSERT_TRUE(Save());
    EXPECT_EQ(Bytes("anim.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n\x8a\x47.lee\r\n\x8a\x47.lee\r\n");
    ASSERT_TRUE(list.LoadAnimationList(dir.Path("anim.alt"), prompter));
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"絵.lee", "絵.lee"}));
}

// ---- the checks before saving ----

TEST_F(AnimationTest, PictureCountLimitsByType) {
    AddPictures(31);
    list.WriteNoText = "1";
    ExpectSave(false, "スパーアニメーションは、１～３０のファイルです");
    list.DeletePicture(30);
    ExpectSave(true, "");
    EXPECT_NE(Bytes("anim.ana").find("$ANIMATION_PICTURES=30"), std::string::npos);
    EXPECT_NE(Bytes("anim.ana").find("#PICTURE_NO=29"), std::string::npos);

    list.Type = kAnimationNormal;
    while (list.Entries.size() > 16) list.DeletePicture(0);
    ExpectSave(false, "ノーマルアニメーションは、１～１５のファイルです");
    list.DeletePicture(0);
    ExpectSave(true, "");
    EXPECT_NE(Bytes("anim.ana").find("$ANIMATION_PICTURES=15"), std::string::npos);
}

TEST_F(AnimationTest, WriteNumberLimitsByType) {
    AddPictures(1);
    const char* missing = "書き込みＮｏを入力して下さい";
    struct Case {
        int type;
        const char* text;
        const char* message;
    } cases[] = {
        {kAnimationSuper, "6", ""},
        {kAnimationSuper, "7", "スーパーアニメーションの書き込みＮｏは、１～６です"},
        {kAnimationNormal, "20", ""},
        {kAnimationNormal, "21", "ノーマルアニメーションの書き込みＮｏは、１～２０です"},
        {kAnimationSuper, "", missing},
        {kAnimationSuper, "  ", missing},
        {kAnimationSuper, "0", missing},
        {kAnimationNormal, "-1", missing},
        {kAnimationNormal, "x", missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        list.Type = c.type;
        list.WriteNoText = c.text;
        ExpectSave(*c.message == '\0', c.message);
    }
}

TEST_F(AnimationTest, DisplayTimeLimits) {
    AddPictures(1);
    list.WriteNoText = "1";
    const char* range = "１枚の表示時間は、１～９９９９です";
    for (auto [text, message] : {std::pair{"1", ""}, std::pair{"9999", ""}, std::pair{"", "１枚の表示時間を入力して下さい"},
                                 std::pair{"0", range}, std::pair{"10000", range}, std::pair{"    ", range}}) {
        SCOPED_TRACE(text);
        list.TimeText = text;
        ExpectSave(*message == '\0', message);
    }
}

TEST_F(AnimationTest, ChecksStopAtTheFirstFailureInOrder) {
    list.WriteNoText = "";
    list.TimeText = "";
    EXPECT_FALSE(list.Validate(prompter));
    AddPictures(31);
    EXPECT_FALSE(list.Validate(prompter));
    list.DeletePicture(0);
    EXPECT_FALSE(list.Validate(prompter));
    list.WriteNoText = "9";
    EXPECT_FALSE(list.Validate(prompter));
    list.WriteNoText = "1";
    EXPECT_FALSE(list.Validate(prompter));
    list.TimeText = "5";
    EXPECT_TRUE(list.Validate(prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{kNoPictures, "スパーアニメーションは、１～３０のファイルです",
                                                        "書き込みＮｏを入力して下さい",
                                                        "スーパーアニメーションの書き込みＮｏは、１～６です",
                                                        "１枚の表示時間を入力して下さい"}));
}

// ---- the list's editing and folder rule ----

TEST_F(AnimationTest, AddInsertDeleteAndTheFolderRule) {
    fs::create_directory(dir.Path("other"));
    EXPECT_TRUE(list.AddPicture(dir.Path("b.lee"), -1, prompter));
    EXPECT_EQ(list.PictureFolder, dir.Dir().string());
    EXPECT_TRUE(list.Modified);
    EXPECT_TRUE(list.AddPicture(dir.Path("a.lee"), 0, prompter));
    EXPECT_TRUE(list.AddPicture(dir.Path("c.lee"), 7, prompter));  // out of range: appended
    // The same folder spelled otherwise is the same folder.
    EXPECT_TRUE(list.AddPicture(dir.Path("other/../d.lee"), -1, prompter));
    EXPECT_TRUE(list.AddPicture(dir.Path(".") + "\\e.lee", -1, prompter));
    EXPECT_FALSE(list.AddPicture(dir.Path("other/x.lee"), -1, prompter));
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"a.lee", "b.lee", "c.lee", "d.lee", "e.lee"}));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{kOtherFolder});

    list.Modified = false;
    list.DeletePicture(5);
    list.DeletePicture(-1);
    EXPECT_FALSE(list.Modified);
    list.DeletePicture(1);
    EXPECT_TRUE(list.Modified);
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"a.lee", "c.lee", "d.lee", "e.lee"}));

    // A name the list file cannot hold in Shift-JIS is refused, nothing changed.
    EXPECT_FALSE(list.AddPicture(dir.Path("\xF0\x9F\x98\x80.lee"), -1, prompter));
    EXPECT_EQ(list.Entries.size(), 4u);
    EXPECT_EQ(prompter.shown.back(), "ファイル名が長すぎます");

    list.CurrentFile = "x.alt";
    list.WriteNoText = "4";
    list.OpenWindow();
    EXPECT_TRUE(list.Entries.empty());
    EXPECT_EQ(list.CurrentFile, "");
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(list.WriteNoText, "4");
    EXPECT_EQ(list.PictureFolder, dir.Dir().string());
    list.CloseWindow();
    EXPECT_EQ(list.PictureFolder, "");
}

TEST_F(AnimationTest, SavingOutsideThePictureFolderIsRefused) {
    fs::create_directory(dir.Path("other"));
    AddPictures(1);
    list.WriteNoText = "1";
    EXPECT_FALSE(list.SaveAnimation(dir.Path("other/anim.alt"), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{kOtherFolder});
    EXPECT_FALSE(Exists("other/anim.alt"));
    // Entries with no folder fixed cannot be resolved anywhere.
    AnimationList bare(files);
    bare.Entries = {"p00.lee"};
    bare.WriteNoText = "1";
    EXPECT_FALSE(bare.SaveAnimation(dir.Path("anim.alt"), prompter));
    EXPECT_EQ(prompter.shown.back(), kOtherFolder);
}

TEST_F(AnimationTest, ProposedNamesSkipAnyListOrDataFileAlreadyThere) {
    EXPECT_EQ(list.ProposedListName(), "動画01.alt") << "no folder yet";
    AddPictures(1);
    EXPECT_EQ(list.ProposedListName(), "動画01.alt");
    WriteFileBytes(dir.Path("動画01.ana"), "x");  // a data file alone takes the name
    WriteFileBytes(dir.Path("動画02.ALT"), "x");  // whatever the case of its letters
    EXPECT_EQ(list.ProposedListName(), "動画03.alt");
    EXPECT_EQ(list.SaveName, "") << "名前を付けて保存 itself still starts without a name";
}

// ---- the form: named fields and the window's flows ----

TEST_F(AnimationTest, NamedFieldsShowAndTakeBackWhatTheWindowHolds) {
    list.Type = kAnimationNormal;
    list.WriteNoText = "12";
    list.TimeText = "50";
    list.Entries = {"a.lee", "b.lee"};
    EXPECT_EQ(list.Kind(), "animation");
    const std::vector<std::string> names = list.FieldNames();
    EXPECT_EQ(names, (std::vector<std::string>{"AnimationTypeRadioGroup", "WriteNoMaskEdit", "P_TimeMaskEdit",
                                               "Entry1", "Entry2"}));
    // What show prints, another form takes back unchanged.
    AnimationList copy(files);
    copy.Entries.clear();
    std::string problem;
    for (const std::string& name : names) ASSERT_TRUE(copy.SetValue(name, *list.Value(name), problem)) << problem;
    EXPECT_EQ(*copy.Value("AnimationTypeRadioGroup"), "ノーマル");
    EXPECT_EQ(copy.Type, kAnimationNormal);
    EXPECT_EQ(copy.WriteNoText, "12");
    EXPECT_EQ(copy.TimeText, "50");
    EXPECT_EQ(copy.Entries, list.Entries);
    EXPECT_FALSE(list.Value("Entry3"));

    struct Case {
        const char* name;
        std::string value;
        bool taken;
    };
    const Case cases[] = {
        {"AnimationTypeRadioGroup", "スーパー", true}, {"AnimationTypeRadioGroup", "0", true},
        {"AnimationTypeRadioGroup", "1", true},       {"AnimationTypeRadioGroup", "2", false},
        {"AnimationTypeRadioGroup", "super", false},  {"WriteNoMaskEdit", "", true},
        {"WriteNoMaskEdit", " 5", true},              {"WriteNoMaskEdit", "123", false},
        {"WriteNoMaskEdit", "a", false},              {"P_TimeMaskEdit", "9999", true},
        {"P_TimeMaskEdit", "10000", false},           {"P_TimeMaskEdit", "-1", false},
        {"Entry1", "c.lee", true},                    {"Entry3", "d.lee", true},
        {"Entry5", "e.lee", false},                   {"Entry0", "e.lee", false},
        {"Entry1", "../x.lee", false},                {"Entry1", "sub/x.lee", false},
        {"Entry1", "", false},                        {"ListBox", "x", false},
    };
    for (const Case& c : cases) {
        problem.clear();
        EXPECT_EQ(copy.SetValue(c.name, c.value, problem), c.taken) << c.name << "=" << c.value;
        EXPECT_EQ(problem.empty(), c.taken) << c.name << "=" << c.value;
    }
    EXPECT_EQ(copy.Entries, (std::vector<std::string>{"c.lee", "b.lee", "d.lee"}));
    // The window's boxes take as many digits as the form says.
    EXPECT_EQ(AnimationList::kWriteNoDigits, 2);
    EXPECT_EQ(AnimationList::kTimeDigits, 4);
}

TEST_F(AnimationTest, APickOfSeveralPicturesGoesInInOrderUntilARefusal) {
    fs::create_directory(dir.Path("other"));
    EXPECT_EQ(list.AddPictures({dir.Path("c.lee"), dir.Path("a.lee")}, -1, prompter), 2);
    EXPECT_EQ(list.AddPictures({dir.Path("x.lee"), dir.Path("y.lee")}, 1, prompter), 2);
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"c.lee", "x.lee", "y.lee", "a.lee"}));
    // A picture of another folder ends the pick with its one message; those before it stay.
    EXPECT_EQ(list.AddPictures({dir.Path("b.lee"), dir.Path("other/o.lee"), dir.Path("d.lee")}, 0, prompter), 1);
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"b.lee", "c.lee", "x.lee", "y.lee", "a.lee"}));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{kOtherFolder});
}

TEST_F(AnimationTest, DialogsStartInTheListsFolderWithNoStaleName) {
    ScriptedFileChooser chooser;
    FileDialog add(chooser, kAnimationPictureDialog);
    FileDialog save(chooser, kAnimationSaveDialog);
    FileDialog open(chooser, kAnimationListOpenDialog);
    const FormDialogs dialogs{&open, &save, "/drive"};
    fs::create_directory(dir.Path("other"));

    add.FileName = "/somewhere/stale.lee";
    chooser.manyScript = {std::vector<std::string>{dir.Path("a.lee")}, std::vector<std::string>{dir.Path("other/b.lee")},
                          std::nullopt};
    EXPECT_EQ(list.AddWithDialog(add, dialogs, -1, prompter), 1);
    EXPECT_EQ(list.AddWithDialog(add, dialogs, -1, prompter), 0);  // refused: another folder
    EXPECT_EQ(list.AddWithDialog(add, dialogs, -1, prompter), 0);  // cancelled
    ASSERT_EQ(chooser.requests.size(), 3u);
    EXPECT_EQ(chooser.requests[0].initialDir, "/drive");  // no folder yet: the drive's root
    EXPECT_TRUE(chooser.requests[0].fileName.empty());
    EXPECT_TRUE(chooser.requests[0].multiple);
    // After the refusal the next pick starts in the list's folder, not where the refused file was.
    EXPECT_EQ(chooser.requests[2].initialDir, list.PictureFolder);
    EXPECT_TRUE(chooser.requests[2].fileName.empty());
    EXPECT_EQ(list.DialogFolder(dialogs), dir.Dir().string());
}

TEST_F(AnimationTest, SaveAsChecksFirstKeepsTheCurrentListAndSaysWhatItWrote) {
    ScriptedFileChooser chooser;
    FileDialog save(chooser, kAnimationSaveDialog);
    FileDialog open(chooser, kAnimationListOpenDialog);
    const FormDialogs dialogs{&open, &save, "/drive"};
    AddPictures(2);

    // An empty write number is refused before any name is asked for.
    EXPECT_FALSE(list.SaveAs(dialogs, prompter));
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"書き込みＮｏを入力して下さい"});

    list.WriteNoText = "3";
    list.CurrentFile = dir.Path("loaded.alt");
    save.FileName = "/stale/name.alt";
    chooser.script = {dir.Path("copy")};
    ASSERT_TRUE(list.SaveAs(dialogs, prompter));
    EXPECT_EQ(chooser.requests.back().initialDir, list.PictureFolder);
    EXPECT_TRUE(chooser.requests.back().fileName.empty());
    EXPECT_TRUE(Exists("copy.alt"));
    EXPECT_TRUE(Exists("copy.ana"));
    EXPECT_EQ(list.CurrentFile, dir.Path("loaded.alt")) << "名前を付けて保存 leaves the current list";
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(list.Status, "保存完了　" + dir.Path("copy.alt"));
    EXPECT_EQ(prompter.shown.size(), 1u) << "a good save shows no box";

    // 上書き保存 writes the current list without a dialog.
    list.SettingEdited();
    EXPECT_TRUE(list.Modified);
    EXPECT_EQ(list.Status, "");
    const std::size_t asked = chooser.requests.size();
    ASSERT_TRUE(list.Save(dialogs, prompter));
    EXPECT_EQ(chooser.requests.size(), asked);
    EXPECT_TRUE(Exists("loaded.alt"));
    EXPECT_EQ(list.Status, "保存完了　" + dir.Path("loaded.alt"));
}

TEST_F(AnimationTest, OpenAsksToSaveAndItsYesSavesUnderANewName) {
    ScriptedFileChooser chooser;
    FileDialog save(chooser, kAnimationSaveDialog);
    FileDialog open(chooser, kAnimationListOpenDialog);
    const FormDialogs dialogs{&open, &save, "/drive"};
    AddPictures(1);
    list.WriteNoText = "1";
    ASSERT_TRUE(Save("first.alt"));
    ASSERT_TRUE(list.LoadAnimationList(dir.Path("first.alt"), prompter));
    list.DeletePicture(0);
    AddPictures(2);
    ASSERT_TRUE(list.Modified);

    // Yes to "保存しますか？" asks for a name even though a list is current.
    prompter.saveChoices = {SaveChoice::Save};
    chooser.script = {dir.Path("second.alt"), dir.Path("first.alt")};
    ASSERT_TRUE(list.Open(dialogs, prompter));
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(chooser.requests[1].kind, FileDialogKind::Open);
    EXPECT_EQ(chooser.requests[1].initialDir, list.PictureFolder);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"保存しますか？"});
    EXPECT_EQ(Bytes("second.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\np00.lee\r\np01.lee\r\n");
    EXPECT_EQ(list.Entries, std::vector<std::string>{"p00.lee"});
    EXPECT_EQ(list.CurrentFile, dir.Path("first.alt"));
    EXPECT_FALSE(list.Modified);

    // Closing with unsaved work asks, and No keeps it.
    list.SettingEdited();
    prompter.answers = {false};
    EXPECT_FALSE(list.ConfirmClose(prompter));
    EXPECT_EQ(prompter.shown.back(), "作成したデータが失われてもいいですか？");
}

// ---- naming ----

TEST(AnimationNaming, OnlyTheFileNamesExtensionIsReplaced) {
    EXPECT_EQ(AnimationList::ListPathFor("/card/anim"), "/card/anim.alt");
    EXPECT_EQ(AnimationList::ListPathFor("/card/anim.alt"), "/card/anim.alt");
    EXPECT_EQ(AnimationList::ListPathFor("/card/files.txt"), "/card/files.alt");
    EXPECT_EQ(AnimationList::ListPathFor("/card/a.b.c"), "/card/a.b.alt");
    EXPECT_EQ(AnimationList::ListPathFor("/media/card.v2/anim"), "/media/card.v2/anim.alt");
    EXPECT_EQ(AnimationList::ListPathFor("E:\\card.v2\\anim"), "E:\\card.v2\\anim.alt");
    EXPECT_EQ(AnimationList::ListPathFor("E:\\card.v2\\anim.txt"), "E:\\card.v2\\anim.alt");
    EXPECT_EQ(AnimationList::DataPathFor("/card/anim.alt"), "/card/anim.ana");
    EXPECT_EQ(AnimationList::DataPathFor("E:\\card.v2\\anim.alt"), "E:\\card.v2\\anim.ana");
}

TEST_F(AnimationTest, NameWithoutExtensionAndFolderWithDotSaveBeside) {
    AddPictures(1);
    list.WriteNoText = "1";
    ASSERT_TRUE(Save("anim"));
    const std::string withoutExtension = Bytes("anim.ana");
    ASSERT_TRUE(Save("anim.alt"));
    EXPECT_EQ(Bytes("anim.ana"), withoutExtension);
    EXPECT_FALSE(Exists("anim"));

    fs::create_directory(dir.Path("card.v2"));
    WriteFileBytes(dir.Path("card.v2/p.lee"), PictureBytes(2));
    AnimationList inDotted(files);
    ASSERT_TRUE(inDotted.AddPicture(dir.Path("card.v2/p.lee"), -1, prompter));
    inDotted.WriteNoText = "1";
    ASSERT_TRUE(inDotted.SaveAnimation(dir.Path("card.v2/anim"), prompter));
    EXPECT_TRUE(Exists("card.v2/anim.alt"));
    EXPECT_TRUE(Exists("card.v2/anim.ana"));
    EXPECT_FALSE(Exists("card.alt"));
    EXPECT_FALSE(Exists("card.ana"));
}

TEST_F(AnimationTest, EntriesResolveOnlyInsideThePictureFolder) {
    list.PictureFolder = "/card";
    EXPECT_EQ(list.PicturePath("a.lee"), "/card/a.lee");
    EXPECT_EQ(list.PicturePath(" a.lee\r\n"), "/card/a.lee");
    for (const char* bad : {"../a.lee", "..", "sub/a.lee", "sub\\a.lee", "/etc/passwd", "C:a.lee", "", "  "})
        EXPECT_EQ(list.PicturePath(bad), "") << bad;
    list.PictureFolder = "E:\\card";
    EXPECT_EQ(list.PicturePath("a.lee"), "E:\\card\\a.lee");
    list.PictureFolder = "/";
    EXPECT_EQ(list.PicturePath("a.lee"), "/a.lee");

    // A hand-edited list cannot make the save read a file elsewhere.
    fs::create_directory(dir.Path("in"));
    WriteFileBytes(dir.Path("outside.lee"), PictureBytes(3));
    WriteFileBytes(dir.Path("in/anim.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n../outside.lee\r\n");
    ASSERT_TRUE(list.LoadAnimationList(dir.Path("in/anim.alt"), prompter));
    EXPECT_FALSE(list.SaveAnimation(dir.Path("in/anim.alt"), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"オープンエラー ../outside.lee"});
    EXPECT_FALSE(Exists("in/anim.ana"));
}

// ---- failures of the save ----

TEST_F(AnimationTest, EveryMessageOfTheSave) {
    Picture("a.lee", 16);
    Picture("empty.lee", 0);
    WriteFileBytes(dir.Path("cut.lee"), PictureBytes(16).substr(0, 32 * 20));  // ends inside its red block
    Add("a.lee");
    list.WriteNoText = "1";

    fs::create_directory(dir.Path("taken.alt"));
    EXPECT_FALSE(Save("taken.alt"));
    EXPECT_EQ(prompter.shown.back(), dir.Path("taken.alt") + "オープンエラー");

    NoCreateFileSystem noData(".ana");
    AnimationList viaNoData(noData);
    ASSERT_TRUE(viaNoData.AddPicture(dir.Path("a.lee"), -1, prompter));
    viaNoData.WriteNoText = "1";
    EXPECT_FALSE(viaNoData.SaveAnimation(dir.Path("anim.alt"), prompter));
    EXPECT_EQ(prompter.shown.back(), dir.Path("anim.ana") + "オープンエラー");
    EXPECT_TRUE(Exists("anim.alt")) << "the list is written before the data file is opened";

    list.Entries = {"a.lee", "missing.lee"};
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompter.shown.back(), "オープンエラー missing.lee");
    for (const char* name : {"empty.lee", "cut.lee"}) {
        list.Entries = {"a.lee", name};
        EXPECT_FALSE(Save());
        EXPECT_EQ(prompter.shown.back(), std::string(name) + " エラー");
    }
    EXPECT_EQ(prompter.shown.size(), 5u) << "one message per failure";
    EXPECT_FALSE(Exists("anim.ana"));
    EXPECT_EQ(StrayFiles(dir), 0);
}

TEST_F(AnimationTest, FailedPictureKeepsTheEarlierDataFile) {
    Picture("a.lee", 16);
    Picture("empty.lee", 0);
    Add("a.lee");
    list.WriteNoText = "1";
    ASSERT_TRUE(Save());
    const std::string earlier = Bytes("anim.ana");
    list.Entries.push_back("empty.lee");
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"empty.lee エラー"});
    EXPECT_EQ(Bytes("anim.ana"), earlier);
    EXPECT_EQ(Bytes("anim.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\na.lee\r\nempty.lee\r\n");
    EXPECT_EQ(StrayFiles(dir), 0);
}

TEST_F(AnimationTest, AWriteFailingAtAnyLineKeepsBothEarlierFiles) {
    Picture("a.lee", 16);
    Picture("b.lee", 90);
    Add("a.lee");
    Add("b.lee");
    list.WriteNoText = "2";
    ASSERT_TRUE(Save());
    const int total = files.writes;
    // The list a line at a time (three setting lines, two names), the data
    // file's ten head lines one by one, each picture whole, the closing line.
    const int listWrites = 5;
    ASSERT_EQ(total, listWrites + 10 + 2 + 1);
    for (int at = 1; at <= total; ++at) {
        SCOPED_TRACE(at);
        WriteFileBytes(dir.Path("anim.alt"), "earlier list");
        WriteFileBytes(dir.Path("anim.ana"), "earlier data");
        FailingFileSystem failing;
        failing.failAtWrite = at;
        AnimationList copy(failing);
        copy.Entries = list.Entries;
        copy.WriteNoText = list.WriteNoText;
        copy.PictureFolder = list.PictureFolder;
        ScriptedPrompter p;
        EXPECT_FALSE(copy.SaveAnimation(dir.Path("anim.alt"), p));
        const bool inList = at <= listWrites;
        EXPECT_EQ(p.shown, std::vector<std::string>{dir.Path(inList ? "anim.alt" : "anim.ana") + "書き込みエラー"});
        EXPECT_EQ(Bytes("anim.ana"), "earlier data");
        if (inList) {
            EXPECT_EQ(Bytes("anim.alt"), "earlier list");
        }
        EXPECT_EQ(StrayFiles(dir), 0);
    }
    FailingFileSystem noCommit;
    noCommit.failCommit = true;
    AnimationList copy(noCommit);
    copy.Entries = list.Entries;
    copy.WriteNoText = "2";
    copy.PictureFolder = list.PictureFolder;
    EXPECT_FALSE(copy.SaveAnimation(dir.Path("anim.alt"), prompter));
    EXPECT_EQ(prompter.shown.back(), dir.Path("anim.alt") + "書き込みエラー");
}

// ---- loading ----

TEST_F(AnimationTest, LoadsTheListWithItsValues) {
    WriteFileBytes(dir.Path("l.alt"), "ANIMATION_QUALITY_NORMAL\n05\r\n0150 x\r\nb.lee\r\n a.lee\r\n\x8a\x47.lee");
    list.Modified = true;
    ASSERT_TRUE(list.LoadAnimationList(dir.Path("l.alt"), prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(list.Type, kAnimationNormal);
    EXPECT_EQ(list.WriteNoText, "5");
    EXPECT_EQ(list.TimeText, "150");
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"b.lee", " a.lee", "絵.lee"}));
    EXPECT_EQ(list.PictureFolder, dir.Dir().string());
    EXPECT_EQ(list.CurrentFile, dir.Path("l.alt"));
    EXPECT_FALSE(list.Modified);

    // A name longer than the reader's line is still one entry.
    const std::string longName(250, 'n');
    WriteFileBytes(dir.Path("long.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n" + longName + "\r\n");
    ASSERT_TRUE(list.LoadAnimationList(dir.Path("long.alt"), prompter));
    EXPECT_EQ(list.Entries, std::vector<std::string>{longName});
    EXPECT_EQ(list.Type, kAnimationSuper);
}

TEST_F(AnimationTest, EveryMessageOfTheLoad) {
    const std::string p = dir.Path("l.alt");
    const std::string notAList = p + "アニメーションリストファイルではありません";
    struct Case {
        const char* bytes;  // nullptr: no file
        std::string message;
    } cases[] = {
        {nullptr, p + "オープンエラー"},
        {"ANIMATION_QUALITY_SUPER\r\n1\r\n", p + "リードエラー"},
        {"", p + "リードエラー"},
        {"ANIMATION_QUALITY_SUPER \r\n1\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPE\r\n1\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPER\r\nx\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPER\r\n\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPER\r\n 5\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPER\r\n99999999999\r\n10\r\n", notAList},
        {"ANIMATION_QUALITY_SUPER\r\n1\r\n1O\r\n", notAList},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        fs::remove(p);
        if (c.bytes) WriteFileBytes(p, c.bytes);
        ScriptedPrompter pr;
        EXPECT_FALSE(list.LoadAnimationList(p, pr));
        EXPECT_EQ(pr.shown, std::vector<std::string>{c.message});
    }
}

TEST_F(AnimationTest, ValuesTakenBeforeAFailedLoadStay) {
    list.Entries = {"kept.lee"};
    list.CurrentFile = "kept.alt";
    list.Modified = true;
    WriteFileBytes(dir.Path("l.alt"), "ANIMATION_QUALITY_NORMAL\r\n7 \r\nten\r\na.lee\r\n");
    EXPECT_FALSE(list.LoadAnimationList(dir.Path("l.alt"), prompter));
    EXPECT_EQ(list.Type, kAnimationNormal);
    EXPECT_EQ(list.WriteNoText, "7");
    EXPECT_EQ(list.TimeText, "10");
    EXPECT_EQ(list.Entries, std::vector<std::string>{"kept.lee"});
    EXPECT_EQ(list.CurrentFile, "kept.alt");
    EXPECT_TRUE(list.Modified);
}

// ---- the data-file checker ----

class AnimationDataCheck : public AnimationTest {
protected:
    void SetUp() override {
        Picture("a.lee", 16);
        Picture("b.lee", 80);
        Add("a.lee");
        Add("b.lee");
        list.WriteNoText = "6";
        ASSERT_TRUE(Save());
        good = Bytes("anim.ana");
    }
    // The checker's one message for bytes ("" when it passes).
    std::string Check(const std::string& bytes) {
        MemoryLineReader in(bytes);
        ScriptedPrompter p;
        const bool ok = CheckAnimationData(in, test::Said(p));
        EXPECT_EQ(p.shown.size(), ok ? 0u : 1u);
        return ok ? "" : p.shown.front();
    }
    // The good file with line `number` (1-based) replaced by text, padded.
    std::string WithLine(int number, const std::string& text) {
        std::string bytes = good;
        bytes.replace(static_cast<std::size_t>(number - 1) * 32, 32, CrLfLines({text}, true));
        return bytes;
    }
    std::string good;
};

TEST_F(AnimationDataCheck, AcceptsWhatTheSaveWrites) {
    EXPECT_EQ(Check(good), "");
    std::string bareLf = good;
    for (std::size_t i; (i = bareLf.find("\r\n")) != std::string::npos;) bareLf.erase(i, 1);
    EXPECT_EQ(Check(bareLf), "");
}

TEST_F(AnimationDataCheck, NamesTheFailingLine) {
    EXPECT_EQ(Check(WithLine(3, "$NORMAL")), "エラー　3行目　$ANIMATION ではありません");
    EXPECT_EQ(Check(WithLine(6, "$ANIMATION_QUALITY_BEST")),
              "エラー　6行目　$ANIMATION_QUALITY_SUPER または $ANIMATION_QUALITY_NORMAL ではありません");
    EXPECT_EQ(Check(WithLine(7, "$ANIMATION_DISPLAY_TIME=0000")),
              "エラー　7行目　$ANIMATION_DISPLAY_TIME= の値は、1～9999です");
    EXPECT_EQ(Check(WithLine(7, "$ANIMATION_DISPLAY_TIME=10")), "エラー　7行目　$ANIMATION_DISPLAY_TIME= ではありません");
    EXPECT_EQ(Check(WithLine(8, "$ANIMATION_PICTURES=31")), "エラー　8行目　$ANIMATION_PICTURES= の値は、1～30です");
    EXPECT_EQ(Check(WithLine(9, "$WRITE_TABLE_NO=07")), "エラー　9行目　$WRITE_TABLE_NO= の値は、1～6です");
    EXPECT_EQ(Check(WithLine(6, "$ANIMATION_QUALITY_NORMAL")), "");  // normal allows write number 6 and 2 pictures
    EXPECT_EQ(Check(WithLine(8, "$ANIMATION_PICTURES=03")), "エラー　341行目　#PICTURE_NO=02 ではありません");
    EXPECT_EQ(Check(WithLine(11, "#PICTURE_NO=01")), "エラー　11行目　#PICTURE_NO=00 ではありません");
    EXPECT_EQ(Check(WithLine(13, BlankLine(1))), "エラー　13行目　データ行 $000: ではありません");
    EXPECT_EQ(Check(WithLine(13, "#END_OF_RED")), "エラー　13行目　データ行 $000: ではありません");
    EXPECT_EQ(Check(WithLine(93, BlankLine(80))), "エラー　93行目　#END_OF_RED ではありません");
    EXPECT_EQ(Check(good.substr(0, 32 * 50)), "エラー　51行目　データ行 $038: がリード出来ませんでした");
    EXPECT_EQ(Check(good + "x"), "エラー　342行目　#END_OF_LED_DATA_FILE の後に行があります");
    EXPECT_EQ(Check(good.substr(0, good.size() - 2)), "エラー　341行目　#END_OF_LED_DATA_FILE ではありません");
    // A data line longer than the unit's 30 characters.
    EXPECT_EQ(Check(WithLine(13, BlankLine(0)).insert(12 * 32 + 30, "0")),
              "エラー　13行目　データ行 $000: ではありません");
}

TEST_F(AnimationDataCheck, EveryCutShortFileFails) {
    for (std::size_t lines = 0; lines * 32 < good.size(); ++lines)
        EXPECT_NE(Check(good.substr(0, lines * 32)), "") << lines;
}

// ---- the demo's frames ----

TEST(AnimationDemo, FramesOfTheFirstThirtyEntriesAtTheUnitsSize) {
    TempDir dir;
    WriteFileBytes(dir.Path("lit.lee"), PictureBytes(1));
    WriteFileBytes(dir.Path("dark.lee"), PictureBytes(0));
    StartupConfig config;
    config.YokoMaisuu = 3;
    config.TateMaisuu = 2;
    DocUnderTest t(config);
    AnimationList list;
    list.PictureFolder = dir.Dir().string();
    list.Entries = {"lit.lee", "dark.lee", "../lit.lee", " gone.lee "};
    for (int i = 0; i < 30; ++i) list.Entries.push_back("lit.lee");
    std::vector<std::string> opened;
    NullSurface layout;
    std::vector<MemoryImage> frames = CaptureAnimationFrames(
        t.doc, list,
        [&](const std::string& path) {
            opened.push_back(path);
            t.files.OpenFile(path);
        },
        layout, t.prompter);
    ASSERT_EQ(frames.size(), 30u);
    ASSERT_EQ(opened.size(), 28u) << "entries outside the folder or missing are not opened";
    EXPECT_EQ(opened[0], dir.Path("lit.lee"));
    EXPECT_EQ(opened[1], dir.Path("dark.lee"));
    EXPECT_EQ(opened[2], dir.Path("lit.lee"));
    for (const MemoryImage& f : frames) {
        EXPECT_EQ(f.Width(), 3 * 96);
        EXPECT_EQ(f.Height(), 2 * 96);
    }
    EXPECT_NE(frames[0].Pixels(), frames[1].Pixels());
    EXPECT_EQ(frames[1].Pixels(), frames[2].Pixels()) << "an unreadable entry keeps what the picture holds";
    EXPECT_EQ(frames[1].Pixels(), frames[3].Pixels());
    EXPECT_EQ(frames[0].Pixels(), frames[4].Pixels());
    // Each entry that cannot be shown is named.
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{"オープンエラー ../lit.lee", "オープンエラー gone.lee"}));
}

TEST(AnimationDemo, EmptyAndOverlongLists) {
    AnimationList list;
    ScriptedPrompter prompter;
    EXPECT_FALSE(CheckDemoList(list, prompter));
    list.Entries.assign(30, "a.lee");
    EXPECT_TRUE(CheckDemoList(list, prompter));
    list.Entries.push_back("a.lee");
    EXPECT_TRUE(CheckDemoList(list, prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{kNoPictures, "ファイルが３０を超えていますので、最初の３０ファイルを表示します"}));
}

}  // namespace
}  // namespace tesslor::test
