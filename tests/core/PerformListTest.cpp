// The perform list: golden bytes of "Perform.txt", the folder and name rules
// of 追加, loading lines as they stand, every message of 保存, a failed save
// that keeps the earlier file, and the checker of list files.
#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "makers/ListEntries.h"
#include "makers/PerformList.h"
#include "platform/Paths.h"

namespace tesslor::test {
namespace {

std::string Line30(const std::string& sjis) { return sjis + std::string(30 - sjis.size(), ' ') + "\r\n"; }

const std::string kA = "\xE3\x81\x82";       // "あ" in UTF-8
const std::string kSjisA = "\x82\xA0";        // and in Shift-JIS

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

TEST(PerformList, SaveWritesThirtyBytePaddedLinesInOrder) {
    TempDir dir;
    ScriptedPrompter prompter;
    PerformList list;
    const std::string thirty = Repeat(kA, 13) + ".lee";  // 26 + 4 bytes
    for (const std::string& name : {std::string("a"), kA + ".ana", thirty, std::string("setei.txt")})
        ASSERT_TRUE(list.Add(dir.Path(name), prompter)) << name;
    ASSERT_TRUE(list.Save(prompter));

    const std::string expected = Line30("a") + Line30(kSjisA + ".ana") + Repeat(kSjisA, 13) + ".lee\r\n" +
                                 Line30("setei.txt");
    EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")), expected);
    EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")).substr(0, 32), "a" + std::string(29, ' ') + "\r\n");
    // A good save is said in the window's status line, not in a box.
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(list.Status, "保存完了　" + dir.Path("Perform.txt"));
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(list.CurrentFile, dir.Path("Perform.txt"));
}

TEST(PerformList, AddKeepsOneFolderAndThirtyBytes) {
    TempDir dir;
    ScriptedPrompter prompter;
    PerformList list;
    ASSERT_TRUE(list.Add(dir.Path("first.lee"), prompter));
    EXPECT_EQ(list.PerformFolder, dir.Dir().string());

    // Another spelling of the same folder is the same folder.
    EXPECT_TRUE(list.Add((dir.Dir() / "." / "second.ana").string(), prompter));
    EXPECT_TRUE(list.Add(dir.Dir().string() + "/sub/../third.co2", prompter));

    // Another folder, an overlong name, and names the list cannot carry are refused.
    EXPECT_FALSE(list.Add("/elsewhere/x.lee", prompter));
    EXPECT_FALSE(list.Add(dir.Path(Repeat(kA, 13) + "a.lee"), prompter));                  // 31 bytes
    EXPECT_FALSE(list.Add(dir.Path(std::string(27, 'b') + ".txt"), prompter));            // 31 bytes
    EXPECT_FALSE(list.Add(dir.Path("\xF0\x9F\x98\x80.lee"), prompter));                   // no Shift-JIS form
    EXPECT_FALSE(list.Add(dir.Path("two\nlines.lee"), prompter));
    EXPECT_FALSE(list.Add(dir.Path(".."), prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{
                                  "同一のフォルダー内のファイルしか指定できません", "エラー　ファイル名が長すぎます",
                                  "エラー　ファイル名が長すぎます", "エラー　ファイル名が長すぎます",
                                  "エラー　ファイル名が長すぎます", "エラー　ファイル名が長すぎます"}));
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"first.lee", "second.ana", "third.co2"}));

    // An overlong first name still fixes the folder.
    PerformList fresh;
    EXPECT_FALSE(fresh.Add(dir.Path(std::string(40, 'c') + ".lee"), prompter));
    EXPECT_EQ(fresh.PerformFolder, dir.Dir().string());
    EXPECT_TRUE(fresh.Entries.empty());
}

TEST(PerformList, DeleteAndOpeningTheWindow) {
    ScriptedPrompter prompter;
    PerformList list;
    for (const char* name : {"/c/a.lee", "/c/b.lee", "/c/c.lee"}) list.Add(name, prompter);
    list.Delete(-1);
    list.Delete(3);
    list.Delete(1);
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"a.lee", "c.lee"}));
    list.OpenWindow();
    EXPECT_TRUE(list.Entries.empty());
    EXPECT_TRUE(list.PerformFolder.empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(PerformList, OpenTakesLinesAsTheyStandAndSavesThemBack) {
    TempDir dir;
    ScriptedPrompter prompter;
    const std::string original = Line30("a.lee") + Line30(kSjisA + ".ana") + Line30("setei.txt");
    WriteFileBytes(dir.Path("Perform.txt"), original);
    PerformList list;
    ASSERT_TRUE(list.Open(dir.Path("Perform.txt"), prompter));
    EXPECT_EQ(list.PerformFolder, dir.Dir().string());
    ASSERT_EQ(list.Entries.size(), 3u);
    EXPECT_EQ(list.Entries[0], "a.lee" + std::string(25, ' '));
    EXPECT_EQ(list.Entries[1], kA + ".ana" + std::string(24, ' '));
    ASSERT_TRUE(list.Save(prompter));
    EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")), original);

    // LF, CR and CR LF all end a line; a last line without one still counts.
    WriteFileBytes(dir.Path("mixed.txt"), "a.lee\nb.lee\rc.lee\r\n\r\nd.lee");
    ASSERT_TRUE(list.Open(dir.Path("mixed.txt"), prompter));
    EXPECT_EQ(list.Entries, (std::vector<std::string>{"a.lee", "b.lee", "c.lee", "", "d.lee"}));

    // A line longer than 30 bytes is cut on saving, never inside a double-byte character.
    const std::string longName = std::string(40, 'x') + ".lee";
    WriteFileBytes(dir.Path("Perform.txt"), longName + "\r\n" + std::string(29, 'y') + kSjisA + "\r\n");
    ASSERT_TRUE(list.Open(dir.Path("Perform.txt"), prompter));
    ASSERT_TRUE(list.Save(prompter));
    EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")),
              std::string(30, 'x') + "\r\n" + std::string(29, 'y') + " \r\n");
}

TEST(PerformList, OpenOfAnUnreadableFileKeepsTheList) {
    TempDir dir;
    ScriptedPrompter prompter;
    PerformList list;
    list.Add(dir.Path("a.lee"), prompter);
    const std::string missing = dir.Path("none/Perform.txt");
    EXPECT_FALSE(list.Open(missing, prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{missing + "オープンエラー"});
    EXPECT_EQ(list.Entries, std::vector<std::string>{"a.lee"});
    EXPECT_EQ(list.PerformFolder, dir.Dir().string());
}

TEST(PerformList, SaveMessagesAndAFailedSaveKeepsTheEarlierFile) {
    TempDir dir;
    {
        ScriptedPrompter prompter;
        PerformList empty;
        EXPECT_FALSE(empty.Save(prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"入力されていません"});
    }
    const std::string earlier = Line30("old.lee");
    WriteFileBytes(dir.Path("Perform.txt"), earlier);
    {
        FailingFileSystem files;
        files.failCreate = true;
        ScriptedPrompter prompter;
        PerformList list(files);
        list.Add(dir.Path("a.lee"), prompter);
        EXPECT_FALSE(list.Save(prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"Perform.txt オープンエラー"});
    }
    {
        FailingFileSystem files;
        files.failAtWrite = 2;
        ScriptedPrompter prompter;
        PerformList list(files);
        list.Add(dir.Path("a.lee"), prompter);
        list.Add(dir.Path("b.lee"), prompter);
        EXPECT_FALSE(list.Save(prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"Perform.txt 書き込みエラー"});
    }
    EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")), earlier);
}

// 保存 over a Perform.txt asks first only when that file holds another list
// than the one written and than the window's own (read from it or written).
TEST(PerformList, SavingOverAnotherListAsksFirst) {
    TempDir dir;
    const std::string five = Line30("1.lee") + Line30("2.lee") + Line30("3.lee") + Line30("4.lee") + Line30("5.lee");
    struct Case {
        const char* what;
        std::optional<std::string> onCard;  // the Perform.txt there before 保存
        bool openFirst;                      // 開く of it, then one entry deleted
        bool asked;
    };
    const Case cases[] = {
        {"no list there", std::nullopt, false, false},
        {"the same list", Line30("1.lee"), false, false},
        {"another list", five, false, true},
        {"the list it read, edited", five, true, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.Path("Perform.txt"));
        if (c.onCard) WriteFileBytes(dir.Path("Perform.txt"), *c.onCard);
        for (const bool yes : {false, true}) {
            ScriptedPrompter prompter;
            PerformList list;
            if (c.openFirst) {
                ASSERT_TRUE(list.Open(dir.Path("Perform.txt"), prompter));
                list.Delete(0);
            } else {
                ASSERT_TRUE(list.Add(dir.Path("1.lee"), prompter));
            }
            const std::string wanted = c.openFirst ? five.substr(32) : Line30("1.lee");
            prompter.answers = {yes};
            const bool written = list.SaveAskingToReplace(prompter);
            EXPECT_EQ(prompter.shown.size(), c.asked ? 1u : 0u) << c.what;
            if (c.asked) {
                EXPECT_EQ(prompter.shown[0], "Perform.txt は、もうあります。置き換えますか？");
            }
            EXPECT_EQ(written, yes || !c.asked) << c.what;
            EXPECT_EQ(ReadFileBytes(dir.Path("Perform.txt")), written ? wanted : *c.onCard) << c.what;
            if (!c.asked) break;  // no question, nothing to answer
            WriteFileBytes(dir.Path("Perform.txt"), *c.onCard);
        }
    }
}

TEST(PerformList, CheckerNamesTheFirstBadLine) {
    const std::string good = Line30("a.lee") + Line30("B.ANA") + Line30("setei.txt") + Line30("c.co2");
    EXPECT_EQ(CheckPerformBytes(good), "");
    EXPECT_EQ(CheckPerformBytes(Line30("a.lee") + "b.lee" + std::string(24, ' ') + "\r\n"),
              "エラー　2行目　30バイトではありません（29バイト）");
    EXPECT_EQ(CheckPerformBytes(Line30("a.bmp")), "エラー　1行目　表示器のファイル（.lee .ana .txt .co2）ではありません: a.bmp");
    EXPECT_EQ(CheckPerformBytes(std::string(30, 'a') + "\n"), "エラー　1行目　行末が CR LF ではありません");
    EXPECT_EQ(CheckPerformBytes(Line30("a.lee") + std::string(30, 'a')), "エラー　2行目　行末が CR LF ではありません");
    EXPECT_EQ(CheckPerformBytes(Line30("")), "エラー　1行目　ファイル名がありません");
    EXPECT_EQ(CheckPerformBytes(Line30("x/a.lee")), "エラー　1行目　フォルダー付きの名前です: x/a.lee");
    EXPECT_NE(CheckPerformBytes(""), "");
}

// ---- the form: named fields and the window's flows ----

TEST(PerformList, EntriesByNameRoundTripAndRefuseWhatTheUnitCannotRead) {
    TempDir dir;
    ScriptedPrompter prompter;
    WriteFileBytes(dir.Path("Perform.txt"), Line30("a.lee") + Line30(kSjisA + ".ana"));
    PerformList list;
    ASSERT_TRUE(list.Open(dir.Path("Perform.txt"), prompter));
    EXPECT_EQ(list.Kind(), "perform");
    EXPECT_EQ(list.FieldNames(), (std::vector<std::string>{"Entry1", "Entry2"}));
    EXPECT_EQ(*list.Value("Entry2"), kA + ".ana" + std::string(24, ' '));
    EXPECT_FALSE(list.Value("Entry3"));

    // What show prints, another list takes back and writes as the same bytes.
    PerformList copy;
    std::string problem;
    for (const std::string& name : list.FieldNames())
        ASSERT_TRUE(copy.SetValue(name, *list.Value(name), problem)) << problem;
    EXPECT_EQ(copy.Entries, list.Entries);

    struct Case {
        std::string name, value;
        bool taken;
    };
    const Case cases[] = {
        {"Entry1", "b.lee", true},          {"Entry3", "c.co2", true},        {"Entry5", "d.lee", false},
        {"Entry01", "d.lee", false},        {"Entry", "d.lee", false},        {"ListBox", "d.lee", false},
        {"Entry1", "x/b.lee", false},       {"Entry1", "..", false},          {"Entry1", "", false},
        {"Entry1", "a\nb.lee", false},      {"Entry1", "\xF0\x9F\x98\x80.lee", false},
    };
    for (const Case& c : cases) {
        problem.clear();
        EXPECT_EQ(copy.SetValue(c.name, c.value, problem), c.taken) << c.name << "=" << c.value;
        EXPECT_EQ(problem.empty(), c.taken) << c.name << "=" << c.value;
    }
    EXPECT_EQ(copy.Entries, (std::vector<std::string>{"b.lee", kA + ".ana" + std::string(24, ' '), "c.co2"}));
}

TEST(PerformList, DialogsStartWhereTheWindowSaysWithNoStaleName) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path("other"));
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    FileDialog add(chooser, kPerformAddDialog);
    FileDialog open(chooser, kPerformOpenDialog);
    const FormDialogs dialogs{&open, nullptr, "/drive"};
    PerformList list;

    add.FileName = "/old/stale.lee";
    chooser.script = {dir.Path("a.lee"), dir.Path("other/b.lee"), std::nullopt, dir.Path("Perform.txt")};
    EXPECT_TRUE(list.AddWithDialog(add, dialogs, prompter));
    EXPECT_FALSE(list.AddWithDialog(add, dialogs, prompter));  // another folder
    EXPECT_FALSE(list.AddWithDialog(add, dialogs, prompter));  // cancelled
    ASSERT_EQ(chooser.requests.size(), 3u);
    EXPECT_EQ(chooser.requests[0].initialDir, "/drive");
    EXPECT_TRUE(chooser.requests[0].fileName.empty());
    EXPECT_EQ(chooser.requests[0].title, "ファイルの追加");
    // After a refused file the next 追加 starts in the list's folder again.
    EXPECT_EQ(chooser.requests[2].initialDir, dir.Dir().string());
    EXPECT_TRUE(chooser.requests[2].fileName.empty());
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"同一のフォルダー内のファイルしか指定できません"});

    // 開く starts at the drive's root, preset with the list's name.
    ASSERT_TRUE(list.Save(prompter));
    EXPECT_EQ(list.CurrentFile, dir.Path("Perform.txt"));
    list.OpenWindow();
    EXPECT_EQ(list.Status, "");
    EXPECT_EQ(list.CurrentFile, "");
    ASSERT_TRUE(list.OpenWithDialog(open, dialogs, prompter));
    EXPECT_EQ(chooser.requests[3].initialDir, "/drive");
    EXPECT_EQ(chooser.requests[3].fileName, "Perform.txt");
    EXPECT_EQ(list.Entries, std::vector<std::string>{"a.lee" + std::string(25, ' ')});
    EXPECT_EQ(list.CurrentFile, dir.Path("Perform.txt"));
    EXPECT_FALSE(list.Modified);
}

// ---- the folder rule shared by both lists ----

TEST(ListFolders, OneFolderHoweverSpelt) {
    const std::pair<std::string, std::string> folders[] = {
        {"/card/a.lee", "/card"}, {"/a.lee", "/"},     {"a.lee", "."},        {"E:\\x.lee", "E:\\"},
        {"E:x.lee", "E:"},        {"E:\\d\\x.lee", "E:\\d"}, {"d/e/x.lee", "d/e"},
    };
    for (const auto& [path, folder] : folders) EXPECT_EQ(FolderOfFile(path), folder) << path;

    TempDir dir;
    const std::string d = dir.Dir().string();
    EXPECT_TRUE(SameFolder(d, d + "/"));
    EXPECT_TRUE(SameFolder(d, d + "/./sub/.."));
    EXPECT_TRUE(SameFolder(d, d + "\\."));
    EXPECT_FALSE(SameFolder(d, d + "/sub"));
    EXPECT_TRUE(SameFolder("", "."));
    EXPECT_EQ(PathInFolder("/card", "a.lee"), "/card/a.lee");
    EXPECT_EQ(PathInFolder("/", "a.lee"), "/a.lee");
    EXPECT_EQ(PathInFolder("E:\\d", "a.lee"), "E:\\d\\a.lee");
    EXPECT_EQ(PathInFolder("", "a.lee"), "a.lee");
}

TEST(ListFolders, EntryNamesAndBareNames) {
    EXPECT_EQ(EntryFieldName(0), "Entry1");
    EXPECT_EQ(EntryFieldName(29), "Entry30");
    const std::pair<const char*, std::optional<std::size_t>> names[] = {
        {"Entry1", 0}, {"Entry30", 29}, {"Entry0", std::nullopt}, {"Entry01", std::nullopt},
        {"Entry", std::nullopt}, {"entry1", std::nullopt}, {"Entry1a", std::nullopt}, {"Entry99999999", std::nullopt},
    };
    for (const auto& [name, index] : names) EXPECT_EQ(EntryFieldIndex(name), index) << name;
    for (const char* bare : {"a.lee", "a b.lee", "..a"}) EXPECT_EQ(IsBareName(bare), std::string(bare) != "..a") << bare;
    for (const char* notBare : {"", "x/a.lee", "x\\a.lee", "E:a.lee", "..", "a..b"}) EXPECT_FALSE(IsBareName(notBare)) << notBare;
    EXPECT_TRUE(FitsDigitsBox("12", 2));
    EXPECT_TRUE(FitsDigitsBox(" 1", 2));
    EXPECT_FALSE(FitsDigitsBox("123", 2));
    EXPECT_FALSE(FitsDigitsBox("1a", 2));
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor {
namespace {

TEST(PerformList, MoveKeepsEveryEntryAndStaysInTheList) {
    struct Case {
        int index, steps, to;
        std::vector<std::string> after;
        bool modified;
    };
    const Case cases[] = {
        {1, -1, 0, {"b", "a", "c"}, true},   {1, 1, 2, {"a", "c", "b"}, true},
        {0, -1, 0, {"a", "b", "c"}, false},  {2, 1, 2, {"a", "b", "c"}, false},
        {0, 100, 2, {"b", "c", "a"}, true},  {2, -2147483647 - 1, 0, {"c", "a", "b"}, true},
        {5, -1, 5, {"a", "b", "c"}, false},  {-1, 1, -1, {"a", "b", "c"}, false},
    };
    for (const Case& c : cases) {
        PerformList list;
        list.Entries = {"a", "b", "c"};
        list.Modified = false;
        EXPECT_EQ(list.Move(c.index, c.steps), c.to) << c.index << " " << c.steps;
        EXPECT_EQ(list.Entries, c.after) << c.index << " " << c.steps;
        EXPECT_EQ(list.Modified, c.modified) << c.index << " " << c.steps;
    }
}

}  // namespace
}  // namespace tesslor
