// The main window's rules without a window: the control bar, what the
// configuration hides, the drive file's letter, the drive-root lookup, and the
// question-dialog-action flow of the file commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "FileTestDoc.h"
#include "app/ControlBar.h"
#include "app/Drives.h"
#include "platform/DialogFlows.h"
#include "app/FileDialogs.h"
#include "app/MainWindowRules.h"
#include "platform/IniProfile.h"

namespace tesslor::test {
namespace {

StartupConfig Config(const char* customerMode, int nanSyoku = 2) {
    StartupConfig c;
    c.CustomerMode = customerMode;
    c.NanSyoku = nanSyoku;
    return c;
}

TEST(ControlBarRules, StartUpIsTheSameForEveryFrontAndLeavesNothingUnsaved) {
    for (int nanSyoku : {2, 1, -1}) {
        DocUnderTest t(Config("customer", nanSyoku));
        ControlBar bar(t.doc, t.prompter);
        bar.FormCreate();
        const ControlBarState& s = bar.state;
        EXPECT_EQ(s.WriteNoText, "1");
        EXPECT_EQ(s.DisplayModeIndex, 0);
        EXPECT_EQ(s.ReverseColorIndex, nanSyoku == -1 ? 2 : 0);
        EXPECT_EQ(s.SounyuuMojiIndex, 0);
        EXPECT_EQ(s.SounyuuItiIndex, 0);
        EXPECT_EQ(s.NiniItiText, "0");
        EXPECT_FALSE(s.ReverseColorEnabled || s.SounyuuMojiEnabled || s.SounyuuItiEnabled || s.NiniItiEnabled);
        EXPECT_EQ(t.doc.WriteNoText(), "1");
        EXPECT_EQ(t.doc.DisplayModeCode(), 'A');
        EXPECT_EQ(t.doc.SounyuuMojiCode(), ' ');
        EXPECT_EQ(t.doc.SounyuuItiCode(), ' ');
        EXPECT_EQ(t.doc.NiniItiText(), "000");
        EXPECT_EQ(t.doc.ReverseColorIndex(), nanSyoku == -1 ? 2 : 0);
        EXPECT_FALSE(t.doc.Modified()) << nanSyoku;  // the XK series' yellow is no change of the operator's
        EXPECT_TRUE(t.prompter.shown.empty());
    }
}

TEST(ControlBarRules, DisplayModeAndInsertionDecideWhatIsEnabled) {
    DocUnderTest t(Config("root"));
    ControlBar bar(t.doc, t.prompter);
    bar.FormCreate();
    auto enabled = [&] {
        const ControlBarState& s = bar.state;
        return std::string{s.ReverseColorEnabled ? 'R' : '-', s.SounyuuMojiEnabled ? 'M' : '-',
                           s.SounyuuItiEnabled ? 'I' : '-', s.NiniItiEnabled ? 'N' : '-'};
    };
    struct Step {
        int mode, moji, iti;
        const char* enabled;
    } steps[] = {
        {1, 0, 0, "R---"},  // 反転
        {3, 0, 0, "R---"},  // 点滅２
        {2, 0, 0, "----"},  // 点滅１
        {4, 0, 0, "-M--"},  // スクロール, 挿入なし
        {4, 3, 0, "-MI-"},  // 日付１～日付２挿入, 位置指定なし
        {4, 3, 6, "-MIN"},  // 下段任意
        {9, 1, 3, "-MIN"},  // 上段任意 in the last scrolling mode
        {9, 1, 4, "-MI-"},  // 下段左
        {-1, 1, 3, "----"},  // no mode selected
        {0, 1, 3, "----"},  // 標準 switches everything off
    };
    for (const Step& step : steps) {
        bar.state.DisplayModeIndex = step.mode;
        bar.state.SounyuuMojiIndex = step.moji;
        bar.state.SounyuuItiIndex = step.iti;
        bar.DisplayModeComboBoxChange();
        EXPECT_EQ(enabled(), step.enabled) << step.mode << " " << step.moji << " " << step.iti;
    }
    // 標準 kept the insertion chosen in the scrolling mode.
    EXPECT_EQ(t.doc.DisplayModeCode(), 'A');
    EXPECT_EQ(t.doc.SounyuuMojiCode(), 'A');
    EXPECT_EQ(t.doc.SounyuuItiCode(), 'a');
}

TEST(ControlBarRules, ARefusedPositionPutsTheStoredOneBackInTheBox) {
    DocUnderTest t(Config("root"));
    ControlBar bar(t.doc, t.prompter);
    bar.FormCreate();
    bar.state.NiniItiText = "48";
    EXPECT_TRUE(bar.NiniItiMaskEditChange());
    EXPECT_EQ(t.doc.NiniItiText(), "048");
    bar.state.NiniItiText = "480";
    EXPECT_FALSE(bar.NiniItiMaskEditChange());
    EXPECT_EQ(t.prompter.shown, std::vector<std::string>{"480より小さい値を入力して下さい"});
    EXPECT_EQ(t.doc.NiniItiText(), "048");
    EXPECT_EQ(bar.state.NiniItiText, "048");
    bar.state.NiniItiText = "";  // an emptied box reads as 0
    EXPECT_TRUE(bar.NiniItiMaskEditChange());
    EXPECT_EQ(t.doc.NiniItiText(), "000");
}

TEST(ControlBarRules, WriteNumberByCustomerMode) {
    struct Case {
        const char* mode;
        const char* text;
        bool accepted;
        const char* boxAfter;
        const char* message;
    } cases[] = {
        {"root", "99", true, "99", nullptr},
        {"root", "0", false, "0", "書込みNoは、1～99の数字を入力して下さい"},
        {"customer51_60", "55", true, "55", nullptr},
        {"customer51_60", "11", false, "", "書込みNoは、1～10 51～60の数字を入力して下さい"},
        {"customer", "5x", true, "5x", nullptr},
        {"customer", "60", false, "", "書込みNoは、1～10の数字を入力して下さい"},
    };
    for (const Case& c : cases) {
        DocUnderTest t(Config(c.mode));
        ControlBar bar(t.doc, t.prompter, c.mode);
        bar.FormCreate();
        bar.state.WriteNoText = c.text;
        EXPECT_EQ(bar.WriteNoMaskComboBoxChange(), c.accepted) << c.mode << " " << c.text;
        EXPECT_EQ(bar.state.WriteNoText, c.boxAfter) << c.mode << " " << c.text;
        EXPECT_EQ(t.doc.WriteNoText(), c.accepted ? c.text : "1") << c.mode << " " << c.text;
        const std::vector<std::string> shown = c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
        EXPECT_EQ(t.prompter.shown, shown) << c.mode << " " << c.text;
    }
}

TEST(ControlBarRules, ShowDocumentSettingsCopiesSettingsButNotEnabledStates) {
    DocUnderTest t(Config("root"));
    ControlBar bar(t.doc, t.prompter);
    bar.FormCreate();
    MakeDistinctive(t);
    bar.ShowDocumentSettings();
    EXPECT_EQ(bar.state.WriteNoText, "7");
    EXPECT_EQ(bar.state.DisplayModeIndex, 5);  // R 逆スクロール
    EXPECT_EQ(bar.state.SounyuuMojiIndex, 4);  // D 距離挿入
    EXPECT_EQ(bar.state.SounyuuItiIndex, 5);   // b 下段右
    EXPECT_EQ(bar.state.NiniItiText, "321");
    EXPECT_EQ(bar.state.ReverseColorIndex, 1);
    EXPECT_FALSE(bar.state.SounyuuMojiEnabled);
}

TEST(MainWindowRules, WhatTheConfigurationHides) {
    auto hidden = [](const StartupConfig& c) {
        std::vector<std::string> names = HiddenControlNames(c);
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_TRUE(hidden(Config("root")).empty());
    const std::vector<std::string> restricted = {"AnimeDemonstration", "DougaFaileSakusei", "Label5", "Label6",
                                                 "Label7", "NiniItiMaskEdit", "OldFileOpen", "OldFileWrite",
                                                 "SounyuuItiComboBox", "SounyuuMojiComboBox"};
    EXPECT_EQ(hidden(Config("customer")), restricted);
    EXPECT_EQ(hidden(Config("customer51_60")), restricted);
    EXPECT_EQ(hidden(Config("root", 1)), (std::vector<std::string>{"PenColor", "ReverseModeColorRadioGroup"}));
    EXPECT_EQ(hidden(Config("root", -1)), (std::vector<std::string>{"PenColor", "ReverseModeColorRadioGroup"}));
    EXPECT_EQ(hidden(Config("customer", -1)).size(), restricted.size() + 2);
}

TEST(MainWindowRules, DriveFileLetterCaptionAndBoxes) {
    EXPECT_EQ(DriveIndexForStoredValue(""), 2);
    EXPECT_EQ(DriveIndexForStoredValue("E"), 4);
    EXPECT_EQ(DriveIndexForStoredValue("E:"), 4);
    EXPECT_EQ(DriveIndexForStoredValue("Z"), 25);
    EXPECT_EQ(DriveIndexForStoredValue("e"), std::nullopt);
    // A first run (no value yet) starts on the card's letter when C has no folder.
    EXPECT_EQ(DriveIndexForStoredValue("", "EF"), 4);
    EXPECT_EQ(DriveIndexForStoredValue("", "CE"), 2);
    EXPECT_EQ(DriveIndexForStoredValue("F", "E"), 5) << "a stored letter wins";
    EXPECT_EQ(DriveIndexForStoredValue("e", "E"), std::nullopt);
    EXPECT_EQ(DriveIndexForStoredValue("1"), std::nullopt);

    EXPECT_TRUE(EnablesSchedule("Kankyouhyoujiki"));
    EXPECT_FALSE(EnablesSchedule("kankyouhyoujiki"));
    EXPECT_FALSE(EnablesSchedule(""));
    EXPECT_EQ(MainCaption(Config("customer"), false), "Tesslor 特殊な環境表示器２専用  2.0.0  (２色用）");
    EXPECT_EQ(MainCaption(Config("customer", -1), true),
              "Tesslor 特殊な環境表示器２専用  2.0.0  (ＸＫシリーズ）　環境表示器用");
    EXPECT_EQ(VersionBoxText(), "Ver   2.0.0  Date 2014.09.24");
    EXPECT_EQ(EnquiryText().rfind("Tesslorについてのお問合せは、", 0), 0u);
}

TEST(DriveRoots, AMissingFolderFallsBackToHomeAndIsToldOncePerLetter) {
    TempDir card;
    TempDir dir;
    const std::string missing = card.Path("not-inserted");
    WriteFileBytes(dir.Path("t.INI"), "[DriveRoots]\nE=" + card.Dir().string() + "\nF=" + missing + "\n");
    IniProfile config(dir.Path("t.INI"));
    ScriptedPrompter prompter;
    DriveRootLookup lookup(config, prompter, RealFileSystem());
    EXPECT_EQ(lookup.RootFor(""), "");
    EXPECT_EQ(lookup.RootFor("E"), card.Dir().string());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(lookup.RootFor("F"), HomeFolder());
    EXPECT_EQ(lookup.RootFor("F"), HomeFolder());
    EXPECT_EQ(prompter.shown, std::vector<std::string>{MissingDriveFolderMessage('F', missing, HomeFolder())});
    EXPECT_NE(prompter.shown[0].find(missing), std::string::npos);
    // The card arrives: its folder is used from then on.
    std::filesystem::create_directory(missing);
    EXPECT_EQ(lookup.RootFor("F"), missing);
#ifdef _WIN32
    // An unmapped letter is the drive itself.
    EXPECT_EQ(DriveRootFor(config, 'G'), "G:\\");
#else
    // An unmapped letter is the home folder without a word.
    EXPECT_EQ(lookup.RootFor("G"), HomeFolder());
    EXPECT_EQ(prompter.shown.size(), 1u);
#endif
}

TEST(FileCommands, QuestionDialogAndActionInOrder) {
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    FileDialog dialog(chooser, kFileOpenDialog);
    dialog.FileName = "stale.lee";
    std::vector<std::string> acted;
    auto act = [&](const std::string& path) {
        acted.push_back(path);
        return path != "bad";
    };
    // Refused: no dialog, no action.
    prompter.answers = {false};
    EXPECT_FALSE(OpenThroughDialog(prompter, true, dialog, act));
    EXPECT_TRUE(chooser.requests.empty());
    // Nothing unsaved: no question; cancelled: no action.
    chooser.script = {std::nullopt};
    EXPECT_FALSE(OpenThroughDialog(prompter, false, dialog, act));
    EXPECT_EQ(chooser.requests.back().fileName, "");
    EXPECT_TRUE(acted.empty());
    // Confirmed: the action's result is the command's.
    prompter.answers = {true};
    chooser.script = {"bad"};
    EXPECT_FALSE(OpenThroughDialog(prompter, true, dialog, act));
    chooser.script = {"good"};
    EXPECT_TRUE(OpenThroughDialog(prompter, false, dialog, act));
    EXPECT_EQ(acted, (std::vector<std::string>{"bad", "good"}));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"作成したデータが失われてもいいですか？",
                                                         "作成したデータが失われてもいいですか？"}));

    FileDialog save(chooser, kFileSaveDialog);
    chooser.script = {"out.lee"};
    EXPECT_TRUE(SaveThroughDialog(save, "preset.lee", act));
    EXPECT_EQ(chooser.requests.back().fileName, "preset.lee");
    EXPECT_EQ(chooser.requests.back().title, "LEDデータファイルを保存する");
    EXPECT_TRUE(chooser.requests.back().overwritePrompt);
    EXPECT_EQ(acted.back(), "out.lee");
}

}  // namespace
}  // namespace tesslor::test
