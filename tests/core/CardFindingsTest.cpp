// The findings of a card check that must not cry wolf: pictures taken through
// an animation need no line of their own, and an animation saved before its
// list changed is told by what changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "card/Card.h"
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
    ASSERT_TRUE(WriteSettingsFile(*settings, RealFileSystem(), prompter, dir.Path("setei.txt")));
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

}  // namespace
}  // namespace tesslor
