// The findings of a card check that must not cry wolf: pictures taken through
// an animation, files computers leave on a card, and an animation saved
// before its list changed told by what changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "card/Card.h"
#include "card/CardFiles.h"
#include "card/CardWrite.h"
#include "makers/AnimationList.h"
#include "settings/SettingsKinds.h"

namespace tesslor {
namespace {

using test::ReadFileBytes;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFileBytes;

void WritePicture(const std::string& path, const std::string& writeNo, int x) {
    test::WriteTestPicture(path, writeNo, x, 5, kLedGreen);
}

struct ListSettings {
    int type = kAnimationSuper;
    std::string writeNo = "2";
    std::string time = "10";
};

// Saves the list name (and its animation) in dir over pictures, as the maker does.
void SaveList(const TempDir& dir, const std::string& name, const std::vector<std::string>& pictures,
              const ListSettings& settings = {}) {
    ScriptedPrompter prompter;
    AnimationList list;
    for (const std::string& p : pictures) ASSERT_TRUE(list.AddPicture(dir.Path(p), -1, prompter));
    list.Type = settings.type;
    list.WriteNoText = settings.writeNo;
    list.TimeText = settings.time;
    ASSERT_TRUE(list.SaveAnimation(dir.Path(name), prompter)) << testing::PrintToString(prompter.shown);
}

// Saves m.alt again as the maker would, leaving the m.ana saved before on the card.
void ResaveListOnly(const TempDir& dir, const std::vector<std::string>& pictures, const ListSettings& settings = {}) {
    const std::string ana = ReadFileBytes(dir.Path("m.ana"));
    SaveList(dir, "m.alt", pictures, settings);
    WriteFileBytes(dir.Path("m.ana"), ana);
}

CardScan Scan(const std::string& folder, FileSystem& files = RealFileSystem()) {
    CardScan scan;
    std::string message;
    EXPECT_TRUE(ScanCard(files, folder, {}, scan, message)) << message;
    return scan;
}

// The findings' messages that start with prefix ("" for all), "エラー " or "注意 " before each.
std::vector<std::string> Findings(const CardScan& scan, const std::string& prefix = "") {
    std::vector<std::string> lines;
    for (const CardFinding& f : scan.findings)
        if (f.message.rfind(prefix, 0) == 0) lines.push_back(std::string(CardSeverityWord(f.severity)) + " " + f.message);
    return lines;
}

std::vector<std::string> NotInPerform(const CardScan& scan) {
    std::vector<std::string> lines;
    for (const CardFinding& f : scan.findings)
        if (f.message.find("に載っていません") != std::string::npos) lines.push_back(f.message);
    return lines;
}

TEST(CardFindings, PicturesAnAnimationListNamesNeedNoPerformLine) {
    TempDir dir;
    WritePicture(dir.Path("p.lee"), "01", 1);
    WritePicture(dir.Path("f1.lee"), "02", 2);
    WritePicture(dir.Path("f2.lee"), "03", 3);
    WritePicture(dir.Path("f3.lee"), "04", 4);
    WritePicture(dir.Path("f4.lee"), "05", 5);
    WritePicture(dir.Path("loose.lee"), "06", 6);
    SaveList(dir, "anim.alt", {"f1.lee", "f2.lee"});
    SaveList(dir, "anim2.alt", {"f4.lee"}, {kAnimationNormal, "3", "10"});
    std::unique_ptr<SettingsForm> settings = NewSettingsForm("settings1");
    settings->Standard();
    ScriptedPrompter prompter;
    ASSERT_TRUE(WriteSettingsFile(*settings, RealFileSystem(), dir.Path("setei.txt"), prompter.shown));
    // A list written by hand, in other case: the unit's card does not tell
    // case apart. It names a settings file too, which is no picture.
    WriteFileBytes(dir.Path("files.txt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\nF3.LEE\r\nsetei.txt\r\n");
    test::WritePerformList(dir.Path("Perform.txt"), {"p.lee", "anim.ana"});

    const CardScan scan = Scan(dir.Dir().string());
    // Pictures of animations go to the unit with their animation; an
    // animation, a settings file or a picture nothing names still needs its line.
    EXPECT_EQ(NotInPerform(scan), (std::vector<std::string>{
                                      "anim2.ana は Perform.txt に載っていません",
                                      "loose.lee は Perform.txt に載っていません",
                                      "setei.txt は Perform.txt に載っていません",
                                  }))
        << testing::PrintToString(Findings(scan));
    EXPECT_TRUE(scan.Passed());

    // A correct animation card has nothing to say.
    TempDir good;
    WritePicture(good.Path("a.lee"), "01", 1);
    WritePicture(good.Path("b.lee"), "02", 2);
    SaveList(good, "m.alt", {"a.lee", "b.lee", "a.lee"});
    test::WritePerformList(good.Path("Perform.txt"), {"m.ana"});
    const CardScan clean = Scan(good.Dir().string());
    EXPECT_TRUE(clean.findings.empty()) << testing::PrintToString(Findings(clean));
}

TEST(CardFindings, AStaleAnimationSaysWhetherItsSettingsOrItsPicturesChanged) {
    const std::string settings =
        "注意 m.ana は m.alt の今の設定と違います（保存の後で表示時間などの設定が変わっています）。m.alt を保存し直してください";
    const std::string pictures =
        "注意 m.ana は m.alt の今の絵と違います（保存の後で絵が変わったか、なくなっています）。m.alt を保存し直してください";
    const std::string both =
        "注意 m.ana は m.alt の今の設定とも今の絵とも違います（保存の後で表示時間などの設定が変わり、絵も変わったか、"
        "なくなっています）。m.alt を保存し直してください";
    struct Case {
        const char* what;
        // Changes the card after m.alt and m.ana were saved over p1.lee and p2.lee.
        std::function<void(const TempDir&)> change;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"saved again alike", [](const TempDir& d) { ResaveListOnly(d, {"p1.lee", "p2.lee"}); }, {}},
        {"display time", [](const TempDir& d) { ResaveListOnly(d, {"p1.lee", "p2.lee"}, {kAnimationSuper, "2", "20"}); },
         {settings}},
        {"write number", [](const TempDir& d) { ResaveListOnly(d, {"p1.lee", "p2.lee"}, {kAnimationSuper, "5", "10"}); },
         {settings}},
        {"type", [](const TempDir& d) { ResaveListOnly(d, {"p1.lee", "p2.lee"}, {kAnimationNormal, "2", "10"}); },
         {settings}},
        {"a picture redrawn", [](const TempDir& d) { WritePicture(d.Path("p2.lee"), "02", 40); }, {pictures}},
        {"pictures in another order", [](const TempDir& d) { ResaveListOnly(d, {"p2.lee", "p1.lee"}); }, {pictures}},
        {"time and a picture",
         [](const TempDir& d) {
             ResaveListOnly(d, {"p1.lee", "p2.lee"}, {kAnimationSuper, "2", "30"});
             WritePicture(d.Path("p1.lee"), "01", 50);
         },
         {both}},
        // The number of pictures is a define line.
        {"a picture fewer", [](const TempDir& d) { ResaveListOnly(d, {"p1.lee"}); }, {both}},
        {"a picture gone", [](const TempDir& d) { std::filesystem::remove(d.Path("p2.lee")); }, {pictures}},
        {"a list edited by hand past what the maker saves",
         [](const TempDir& d) {
             WriteFileBytes(d.Path("m.alt"), "ANIMATION_QUALITY_SUPER\r\n2\r\n0\r\np1.lee\r\np2.lee\r\n");
         },
         {"注意 m.ana は m.alt から作り直せません（１枚の表示時間は、１～９９９９です）。m.alt "
          "の設定を直して保存し直してください"}},
        {"an animation cut short", [](const TempDir& d) { WriteFileBytes(d.Path("m.ana"), "#LED_DATA_FILE\r\n"); },
         {both}},
        // Compared as the list makes it again: a difference at the very end counts.
        {"its last byte gone",
         [](const TempDir& d) {
             const std::string bytes = ReadFileBytes(d.Path("m.ana"));
             WriteFileBytes(d.Path("m.ana"), bytes.substr(0, bytes.size() - 1));
         },
         {pictures}},
        {"a byte more at its end",
         [](const TempDir& d) { WriteFileBytes(d.Path("m.ana"), ReadFileBytes(d.Path("m.ana")) + "\n"); },
         {pictures}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WritePicture(dir.Path("p1.lee"), "01", 1);
        WritePicture(dir.Path("p2.lee"), "02", 2);
        SaveList(dir, "m.alt", {"p1.lee", "p2.lee"});
        test::WritePerformList(dir.Path("Perform.txt"), {"m.ana"});
        c.change(dir);
        const CardScan scan = Scan(dir.Dir().string());
        EXPECT_EQ(Findings(scan, "m.ana"), c.expected) << testing::PrintToString(Findings(scan));
    }
}

TEST(CardScan, NamesComputersLeaveOnACardCaseBlind) {
    for (const char* name : {"._", "._kion.lee", "._Perform.txt", "._.", ".DS_Store", ".ds_store", "Thumbs.db",
                             "THUMBS.DB", "desktop.ini", "Desktop.INI", ".Spotlight-V100", ".spotlight-v100",
                             ".Trashes", ".fseventsd", "System Volume Information", "SYSTEM VOLUME INFORMATION"})
        EXPECT_TRUE(IsLeftByComputer(name)) << name;
    for (const char* name : {"", ".", "..", "_", "_.lee", "x._kion.lee", ". _x", ".DS_Store.lee", "DS_Store",
                             "Thumbs.db.lee", "thumbs", "desktop.ini.txt", ".Trash", ".Trashes2", "System Volume",
                             "kion.lee", "Perform.txt", "files.txt"})
        EXPECT_FALSE(IsLeftByComputer(name)) << name;
}

TEST(CardScan, FilesComputersLeaveAreNotedOnceAndNeverRead) {
    TempDir dir;
    WritePicture(dir.Path("kion.lee"), "01", 1);
    test::WritePerformList(dir.Path("Perform.txt"), {"kion.lee"});
    // A Mac's AppleDouble file: bytes no reader takes, under a name that says picture.
    const std::string appleDouble("\x00\x05\x16\x07\x00\x02\x00\x00Mac OS X        ", 24);
    WriteFileBytes(dir.Path("._kion.lee"), appleDouble);
    WriteFileBytes(dir.Path("._Perform.txt"), appleDouble);
    WriteFileBytes(dir.Path("._"), appleDouble);
    WriteFileBytes(dir.Path(".DS_Store"), std::string("\0\0\0\1Bud1", 8));
    WriteFileBytes(dir.Path("THUMBS.DB"), "junk");
    for (const char* folder : {".Trashes", ".fseventsd", ".Spotlight-V100", "System Volume Information", "sub"})
        std::filesystem::create_directory(dir.Dir() / folder);
    // A file inside a computer's folder is no more part of the card than any subfolder's.
    WritePicture((dir.Dir() / ".Trashes" / "gone.lee").string(), "07", 1);

    const CardScan scan = Scan(dir.Dir().string());
    std::vector<std::string> rows;
    for (const CardFile& f : scan.files) rows.push_back(f.name + " " + CardKindWord(f.kind) + " " + f.status);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        ".DS_Store other OK",
                        "._ other OK",
                        "._Perform.txt other OK",
                        "._kion.lee other OK",
                        "Perform.txt perform OK",
                        "THUMBS.DB other OK",
                        "kion.lee picture OK",
                    }));
    const std::vector<std::string> names{".DS_Store", "._",       "._Perform.txt",
                                         "._kion.lee", ".Spotlight-V100", ".Trashes", ".fseventsd",
                                         "System Volume Information", "THUMBS.DB"};
    // In byte order of the names, files and folders together.
    std::vector<std::string> ordered = names;
    std::sort(ordered.begin(), ordered.end());
    std::string listed;
    for (const std::string& n : ordered) listed += (listed.empty() ? "" : "、") + n;
    ASSERT_EQ(Findings(scan), std::vector<std::string>{"注意 " + listed +
                                                       " はパソコンが作ったファイルとフォルダーです（表示器は読みません。消してもかまいません）"});
    EXPECT_EQ(scan.findings[0].files, ordered);
    EXPECT_TRUE(scan.Passed());
    // Nor are they carried onto a card.
    EXPECT_EQ(CardWriteOrder(scan), (std::vector<std::string>{"kion.lee", "Perform.txt"}));

    // Files alone, and folders alone, are called what they are.
    TempDir files, folders;
    WriteFileBytes(files.Path("._kion.lee"), appleDouble);
    WriteFileBytes(files.Path(".DS_Store"), "x");
    std::filesystem::create_directory(folders.Dir() / ".Trashes");
    const CardScan filesOnly = Scan(files.Dir().string());
    const CardScan foldersOnly = Scan(folders.Dir().string());
    EXPECT_EQ(Findings(filesOnly, ".DS_Store"),
              std::vector<std::string>{
                  "注意 .DS_Store、._kion.lee はパソコンが作ったファイルです（表示器は読みません。消してもかまいません）"});
    EXPECT_EQ(Findings(foldersOnly, ".Trashes"),
              std::vector<std::string>{"注意 .Trashes はパソコンが作ったフォルダーです（表示器は読みません。消してもかまいません）"});
}

// A card folder held in memory, whose names no real folder need allow.
class MemoryCard : public FileSystem {
public:
    static constexpr const char* kFolder = "/card";
    std::map<std::string, std::string> files;  // bare name → bytes
    std::vector<std::string> folders;
    int creates = 0;

    std::unique_ptr<OutputFile> Create(const std::string&) override {
        ++creates;
        return nullptr;
    }
    std::unique_ptr<LineReader> OpenText(const std::string& path) override {
        const auto it = files.find(NameOf(path));
        return it == files.end() ? nullptr : std::make_unique<MemoryLineReader>(it->second);
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        const auto it = files.find(NameOf(path));
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool FolderExists(const std::string& path) override { return path == kFolder; }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        entries.clear();
        if (folder != kFolder) return false;
        for (const auto& [name, bytes] : files) entries.push_back({name, FolderEntry::Type::File, bytes.size()});
        for (const std::string& name : folders) entries.push_back({name, FolderEntry::Type::Folder, 0});
        return true;
    }

private:
    static std::string NameOf(const std::string& path) {
        const std::string prefix = std::string(kFolder) + "/";
        return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : std::string("\x01none");
    }
};

TEST(CardScan, OddNamesAreListedAsTheyAreAndNeverCrashTheCheck) {
    MemoryCard card;
    const std::string list = "ANIMATION_QUALITY_SUPER\r\n2\r\n10\r\n._\r\n.lee\r\n\r\n";
    for (const char* name : {"", ".", "._", "._.", "._.lee", "._.ana", "._.alt", ".lee", "..ana", "x.", "ana", ".alt",
                             ".ana", "Perform.txt"})
        card.files[name] = "#";
    card.files[".alt"] = list;
    card.files["._.alt"] = list;
    card.files["Perform.txt"] = "._\r\n.ana\r\n";
    card.folders = {"._", ".TRASHES", ""};

    const CardScan scan = Scan(MemoryCard::kFolder, card);
    EXPECT_EQ(card.creates, 0);
    ASSERT_EQ(scan.files.size(), card.files.size());
    for (const std::string name : {"._", "._.", "._.lee", "._.ana", "._.alt"}) {
        const CardFile* f = scan.Find(name);
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->kind, CardKind::Other) << name;
        EXPECT_EQ(f->status, "OK") << name;
    }
    EXPECT_EQ(scan.Find(".lee")->kind, CardKind::Picture);
    EXPECT_EQ(scan.Find(".alt")->kind, CardKind::AnimationList);
    EXPECT_EQ(scan.Find("x.")->kind, CardKind::Other);
    const std::vector<std::string> noted = Findings(scan, ".TRASHES、");
    ASSERT_EQ(noted.size(), 1u) << testing::PrintToString(Findings(scan));
    EXPECT_EQ(noted[0].rfind("注意 .TRASHES、._、._、._.、._.alt、._.ana、._.lee はパソコンが作ったファイルとフォルダーです", 0), 0u)
        << noted[0];
}

}  // namespace
}  // namespace tesslor
