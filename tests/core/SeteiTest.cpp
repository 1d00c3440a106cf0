// The settings 1 and 2 form: golden bytes, the input check and its order, the
// reader's messages across the two variants and the wind-only bands, and saves
// that fail without losing the earlier file.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/SeteiForm.h"

namespace tesslor::test {
namespace {

const std::string kPath = "E:/setei.txt";
const std::string kReadError = kPath + "リードエラー";
const char* const kWindChkError = "風速 Chk エラー";

// The fifteen lines the standard values give.
const std::vector<std::string> kStandardLines = {
    "$TENTOU_JIKAN=00100", "$SYOUTOU_JIKAN=00100", "$SCROLL_JIKAN=05", "$TCHK1=001,027", "$TCHK2=028,030",
    "$TCHK3=031,00",       "$TCHK0=000",           "$WCHK1=022,023",   "$WCHK2=024,025", "$WCHK3=026,027",
    "$WCHK4=024,00",       "$SOUON=100,00",        "$SINDOU=100,00",   "$URYOU=010,00",  "$FUUSOKU=10,00"};

const std::vector<std::string> kWindLines = {"$FUUSOKU_SEN_CHK1=01,05,01", "$FUUSOKU_SEN_CHK2=06,10,02",
                                             "$FUUSOKU_SEN_CHK3=11,20,03", "$FUUSOKU_SEN_CHK4=21,04"};

// The whole file around the given setting lines.
std::string SeteiFile(const std::vector<std::string>& settingLines) {
    std::vector<std::string> lines = {"#LED_DATA_FILE", "#DATA_TYPE", "$SETEI", "#END_OF_DATA_TYPE", "#DEFINE"};
    lines.insert(lines.end(), settingLines.begin(), settingLines.end());
    lines.push_back("#END_OF_DEFINE");
    lines.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(lines, true);
}

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kSettings2Lines = Plus(kStandardLines, {"$SYUNKAN_SOUON_LAMP", "$HEIKIN_FUUSOKU_LAMP"});

void SetWindBands(SeteiForm& form) {
    for (auto [name, value] : {std::pair{"FuusokuChk1MinEdit", "1"}, {"FuusokuChk1MaxEdit", "5"},
                               {"FuusokuChk1KaitentouEdit", "1"}, {"FuusokuChk2MinEdit", "6"},
                               {"FuusokuChk2MaxEdit", "10"}, {"FuusokuChk2KaitentouEdit", "2"},
                               {"FuusokuChk3MinEdit", "11"}, {"FuusokuChk3MaxEdit", "20"},
                               {"FuusokuChk3KaitentouEdit", "3"}, {"FuusokuChk4MinEdit", "21"},
                               {"FuusokuChk4KaitentouEdit", "4"}}) {
        std::string problem;
        ASSERT_TRUE(form.SetValue(name, value, problem));
    }
}

std::string Written(const SeteiForm& form) {
    MemoryOutputFile out;
    ScriptedPrompter prompter;
    EXPECT_TRUE(form.WriteLines(out, test::Said(prompter)));
    EXPECT_TRUE(prompter.shown.empty());
    return out.Bytes();
}

bool OpenBytes(SeteiForm& form, const std::string& bytes, ScriptedPrompter& prompter) {
    MemoryLineReader in(bytes);
    return form.Open(in, kPath, prompter.shown);
}

std::map<std::string, std::string> Values(const SeteiForm& form) {
    std::map<std::string, std::string> values;
    for (const FieldInfo& f : form.Fields()) values[f.Name] = form.Value(f.Name).value_or("");
    for (const auto& [key, value] : form.ModeValues()) values["mode:" + key] = value;
    return values;
}

// ---- writing ----

TEST(SeteiWrite, StandardValuesGiveTheExampleFileInBothModes) {
    SeteiForm form;
    form.Standard();
    ScriptedPrompter prompter;
    ASSERT_TRUE(form.Check(prompter));
    const std::string bytes = Written(form);
    EXPECT_EQ(bytes, SeteiFile(kStandardLines));
    // Every line is 30 characters and CR LF.
    EXPECT_EQ(bytes.size(), 22u * 32u);
    EXPECT_EQ(bytes.substr(5 * 32, 32), "$TENTOU_JIKAN=00100" + std::string(11, ' ') + "\r\n");
    EXPECT_EQ(form.Kind(), "settings1");

    form.SetSettings2(true);
    ASSERT_TRUE(form.Check(prompter));
    EXPECT_EQ(Written(form), SeteiFile(kSettings2Lines));
    EXPECT_EQ(form.Kind(), "settings2");
    form.SetChecked("HeikinSouonRadioButton", true);
    form.SetChecked("SyunkanFuusokuRadioButton", true);
    EXPECT_EQ(Written(form), SeteiFile(Plus(kStandardLines, {"$HEIKIN_SOUON_LAMP", "$SYUNKAN_FUUSOKU_LAMP"})));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(SeteiWrite, WindBandsFollowTheChoicesInWindOnlyMode) {
    SeteiForm form(true);
    form.Standard();
    SetWindBands(form);
    form.SetWindOnly(true);
    ScriptedPrompter prompter;
    ASSERT_TRUE(form.Check(prompter));
    EXPECT_EQ(Written(form), SeteiFile(Plus(kSettings2Lines, kWindLines)));
    form.SetSettings2(false);
    EXPECT_EQ(Written(form), SeteiFile(Plus(kStandardLines, kWindLines)));
    // The bands stay out of the file once the mode is off, though their texts are kept.
    form.SetWindOnly(false);
    EXPECT_EQ(Written(form), SeteiFile(kStandardLines));
    EXPECT_EQ(form.Text("FuusokuChk4MinEdit"), "21");
}

TEST(SeteiWrite, ValuesArePaddedAsEntered) {
    SeteiForm form;
    form.Standard();
    form.SetText("OndoChkZeroEdit", "-5");
    form.SetText("OndoChk1MinEdit", "5");
    form.SetText("OndoChk1MaxEdit", "007");
    form.SetText("WbgtChk1MinEdit", "-99");
    form.SetText("TentouJikanEdit", "60000");
    EXPECT_EQ(form.LineText(6), "$TCHK0= -5");
    EXPECT_EQ(form.LineText(3), "$TCHK1=005,007");
    EXPECT_EQ(form.LineText(7), "$WCHK1=-99,023");
    EXPECT_EQ(form.LineText(0), "$TENTOU_JIKAN=60000");
}

TEST(SeteiWrite, MissingChoiceInSettings2IsAFailedWrite) {
    TempDir dir;
    struct Case {
        const char* uncheck;
        const char* message;
    };
    for (const Case& c : {Case{"SyunkanSouonRadioButton", "平均・瞬間　騒音を選択して下さい。"},
                          Case{"HeikinFuusokuRadioButton", "平均・瞬間　風速を選択して下さい。"}}) {
        const std::string path = dir.Path(std::string(c.uncheck) + ".txt");
        SeteiForm form(true);
        form.Standard();
        form.SetChecked(c.uncheck, false);
        ScriptedPrompter prompter;
        EXPECT_FALSE(WriteSettingsFile(form, RealFileSystem(), path, prompter.shown));
        EXPECT_EQ(prompter.shown, (std::vector<std::string>{c.message, "ファイル ライトエラー"}));
        EXPECT_FALSE(std::filesystem::exists(path));
        // Settings 1 never writes the choices and does not miss them.
        form.SetSettings2(false);
        prompter.shown.clear();
        EXPECT_TRUE(WriteSettingsFile(form, RealFileSystem(), path, prompter.shown));
        EXPECT_TRUE(prompter.shown.empty()) << "the window, not the writer, says 書込み完了";
    }
}

TEST(SeteiWrite, FailedWriteKeepsTheEarlierFile) {
    TempDir dir;
    const std::string path = dir.Path("setei.txt");
    SeteiForm form(true);
    form.Standard();
    SetWindBands(form);
    form.SetWindOnly(true);
    ScriptedPrompter prompter;
    ASSERT_TRUE(WriteSettingsFile(form, RealFileSystem(), path, prompter.shown));
    EXPECT_TRUE(prompter.shown.empty());
    const std::string earlier = ReadFileBytes(path);
    ASSERT_EQ(earlier, SeteiFile(Plus(kSettings2Lines, kWindLines)));

    form.SetText("TentouJikanEdit", "200");
    // A head line, a setting line, a choice, a band, the closing lines.
    for (int failAt : {1, 5, 6, 20, 21, 22, 26, 27, 28}) {
        FailingFileSystem files;
        files.failAtWrite = failAt;
        prompter.shown.clear();
        EXPECT_FALSE(WriteSettingsFile(form, files, path, prompter.shown)) << failAt;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイル ライトエラー"}) << failAt;
        EXPECT_EQ(ReadFileBytes(path), earlier) << failAt;
    }
    FailingFileSystem files;
    files.failCreate = true;
    prompter.shown.clear();
    EXPECT_FALSE(WriteSettingsFile(form, files, path, prompter.shown));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイル オープンエラー"});
    EXPECT_EQ(ReadFileBytes(path), earlier);
}

// ---- the input check ----

TEST(SeteiCheck, MessagesComeInTheirOrder) {
    // With every field empty, each check names the first field still wrong;
    // filling that one in moves on to the next.
    SeteiForm form;
    form.SetWindOnly(true);
    form.Clear();
    const std::vector<std::pair<std::string, std::string>> order = {
        {"TentouJikanEdit", "点灯時間エラー"},
        {"SyoutouJikanEdit", "消灯時間エラー"},
        {"ScrollJikanEdit", "スクロール時間エラー"},
        {"OndoChk1MinEdit", "温度 CHK1 MIN エラー"},
        {"OndoChk1MaxEdit", "温度 CHK1 MAX エラー"},
        {"OndoChk2MinEdit", "温度 CHK2 MIN エラー"},
        {"OndoChk2MaxEdit", "温度 CHK2 MAX エラー"},
        {"OndoChk3Edit", "温度 CHK3 エラー"},
        {"OndoChk3KaitenTouEdit", "温度 回転灯 エラー"},
        {"OndoChkZeroEdit", "温度 ZERO エラー"},
        {"WbgtChk1MinEdit", "WBGT CHK1 MIN エラー"},
        {"WbgtChk1MaxEdit", "WBGT CHK1 MAX エラー"},
        {"WbgtChk2MinEdit", "WBGT CHK2 MIN エラー"},
        {"WbgtChk2MaxEdit", "WBGT CHK2 MAX エラー"},
        {"WbgtChk3MinEdit", "WBGT CHK3 MIN エラー"},
        {"WbgtChk3MaxEdit", "WBGT CHK3 MAX エラー"},
        {"WbgtChk4Edit", "WBGT CHK4 エラー"},
        {"WbgtChk4KaitenTouEdit", "WBGT 回転灯 エラー"},
        {"SindouChkEdit", "振動 エラー"},
        {"SindouChkKaitenTouEdit", "振動 回転灯 エラー"},
        {"SouonChkEdit", "騒音 エラー"},
        {"SouonChkKaitenTouEdit", "騒音 回転灯 エラー"},
        {"UryouChkEdit", "雨量 エラー"},
        {"UryouChkKaitenTouEdit", "雨量 回転灯 エラー"},
        {"FuusokuChkEdit", "風速 エラー"},
        {"FuusokuChkKaitenTouEdit", "風速 回転灯 エラー"},
        {"FuusokuChk1MinEdit", "風速 Chk1 Min エラー"},
        {"FuusokuChk1MaxEdit", "風速 Chk1 Max エラー"},
        {"FuusokuChk1KaitentouEdit", "風速 Chk1 回転灯 エラー"},
        {"FuusokuChk2MinEdit", "風速 Chk2 Min エラー"},
        {"FuusokuChk2MaxEdit", "風速 Chk2 Max エラー"},
        {"FuusokuChk2KaitentouEdit", "風速 Chk2 回転灯 エラー"},
        {"FuusokuChk3MinEdit", "風速 Chk3 Min エラー"},
        {"FuusokuChk3MaxEdit", "風速 Chk3 Max エラー"},
        {"FuusokuChk3KaitentouEdit", "風速 Chk3 回転灯 エラー"},
        {"FuusokuChk4MinEdit", "風速 Chk4 Min エラー"},
        {"FuusokuChk4KaitentouEdit", "風速 Chk4 回転灯 エラー"},
    };
    for (const auto& [name, message] : order) {
        ScriptedPrompter prompter;
        EXPECT_FALSE(form.Check(prompter)) << name;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{message}) << name;
        form.SetText(name, name.find("aiten") != std::string::npos ? "0" : "50");
    }
    ScriptedPrompter prompter;
    EXPECT_TRUE(form.Check(prompter));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(SeteiCheck, MaximumMayNotBeLessThanMinimum) {
    struct Case {
        const char* min;
        const char* max;
        const char* message;
    };
    for (const Case& c : {Case{"OndoChk1MinEdit", "OndoChk1MaxEdit", "温度CHK1  エラー"},
                          Case{"OndoChk2MinEdit", "OndoChk2MaxEdit", "温度CHK2  エラー"},
                          Case{"WbgtChk1MinEdit", "WbgtChk1MaxEdit", "WBGT CHK1  エラー"},
                          Case{"WbgtChk2MinEdit", "WbgtChk2MaxEdit", "WBGT CHK2  エラー"},
                          Case{"WbgtChk3MinEdit", "WbgtChk3MaxEdit", "WBGT CHK3  エラー"}}) {
        SeteiForm form;
        form.Standard();
        form.SetText(c.min, "28");
        form.SetText(c.max, "27");
        ScriptedPrompter prompter;
        EXPECT_FALSE(form.Check(prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{c.message});
        form.SetText(c.min, "27");
        prompter.shown.clear();
        EXPECT_TRUE(form.Check(prompter)) << c.min;
        form.SetText(c.min, "-5");
        form.SetText(c.max, "-6");
        EXPECT_FALSE(form.Check(prompter));
    }
    // The wind bands have no such check.
    SeteiForm form;
    form.Standard();
    SetWindBands(form);
    form.SetText("FuusokuChk2MinEdit", "30");
    form.SetWindOnly(true);
    ScriptedPrompter prompter;
    EXPECT_TRUE(form.Check(prompter));
}

TEST(SeteiCheck, LampPoolCountsBeforeDuplicates) {
    auto check = [](const std::vector<std::pair<const char*, const char*>>& lamps, bool windOnly) {
        SeteiForm form;
        form.Standard();
        SetWindBands(form);
        for (const char* band : {"FuusokuChk1KaitentouEdit", "FuusokuChk2KaitentouEdit", "FuusokuChk3KaitentouEdit",
                                 "FuusokuChk4KaitentouEdit"})
            form.SetText(band, "0");
        form.SetWindOnly(windOnly);
        for (auto [name, lamp] : lamps) form.SetText(name, lamp);
        ScriptedPrompter prompter;
        form.Check(prompter);
        return prompter.shown;
    };
    const std::vector<std::string> tooMany = {"回転灯の設定台数が多過ぎます"};
    const std::vector<std::string> duplicate = {"回転灯の設定Noが重複しています"};
    // Checked in the order temperature, WBGT, vibration, noise, rain: the fifth is one too many.
    EXPECT_EQ(check({{"OndoChk3KaitenTouEdit", "1"},
                     {"WbgtChk4KaitenTouEdit", "2"},
                     {"SindouChkKaitenTouEdit", "3"},
                     {"SouonChkKaitenTouEdit", "4"},
                     {"UryouChkKaitenTouEdit", "1"}},
                    false),
              tooMany);
    EXPECT_EQ(check({{"SouonChkKaitenTouEdit", "2"}, {"FuusokuChkKaitenTouEdit", "2"}}, false), duplicate);
    // The bands join the same pool.
    EXPECT_EQ(check({{"FuusokuChk1KaitentouEdit", "3"}, {"FuusokuChk4KaitentouEdit", "3"}}, true), duplicate);
    EXPECT_EQ(check({{"FuusokuChk1KaitentouEdit", "1"},
                     {"FuusokuChk2KaitentouEdit", "2"},
                     {"FuusokuChk3KaitentouEdit", "3"},
                     {"FuusokuChk4KaitentouEdit", "4"}},
                    true)
                  .size(),
              0u);
    // Switching the mode on zeroed the quantity lamps; naming one again repeats a band's lamp.
    SeteiForm form;
    form.Standard();
    SetWindBands(form);
    form.SetWindOnly(true);
    form.SetText("UryouChkKaitenTouEdit", "1");
    ScriptedPrompter prompter;
    EXPECT_FALSE(form.Check(prompter));
    EXPECT_EQ(prompter.shown, duplicate);
}

// ---- modes ----

TEST(SeteiModes, WindOnlySwitchAndItsNotices) {
    SeteiForm form;
    form.Standard();
    for (const char* lamp : {"OndoChk3KaitenTouEdit", "WbgtChk4KaitenTouEdit", "SouonChkKaitenTouEdit",
                             "SindouChkKaitenTouEdit", "UryouChkKaitenTouEdit", "FuusokuChkKaitenTouEdit"})
        form.SetText(lamp, "3");
    form.SetText("FuusokuChk1KaitentouEdit", "2");
    EXPECT_FALSE(form.WindOnly());
    EXPECT_TRUE(form.FuusokuChkKaitenTouEnabled());
    EXPECT_EQ(form.ModeValues(), (std::vector<std::pair<std::string, std::string>>{{"wind-only", "no"}}));

    ScriptedPrompter prompter;
    form.WindOnlyButton(prompter);
    EXPECT_EQ(prompter.shown,
              (std::vector<std::string>{"装置によって風速回転灯が使えない装置もありますのでご注意願います。",
                                        "回転灯の設定が追加された物になり一般の装置で読み込めなくなりますのでご注"
                                        "意願います。"}));
    EXPECT_TRUE(form.WindOnly());
    EXPECT_FALSE(form.FuusokuChkKaitenTouEnabled());
    for (const char* lamp : {"OndoChk3KaitenTouEdit", "WbgtChk4KaitenTouEdit", "SouonChkKaitenTouEdit",
                             "SindouChkKaitenTouEdit", "UryouChkKaitenTouEdit", "FuusokuChkKaitenTouEdit"})
        EXPECT_EQ(form.Text(lamp), "0") << lamp;
    EXPECT_EQ(form.Text("FuusokuChk1KaitentouEdit"), "2");
    EXPECT_EQ(form.ModeValues(), (std::vector<std::pair<std::string, std::string>>{{"wind-only", "yes"}}));

    // Switching off shows nothing and keeps every text.
    form.SetText("UryouChkKaitenTouEdit", "4");
    prompter.shown.clear();
    form.WindOnlyButton(prompter);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(form.WindOnly());
    EXPECT_TRUE(form.FuusokuChkKaitenTouEnabled());
    EXPECT_EQ(form.Text("UryouChkKaitenTouEdit"), "4");
    EXPECT_EQ(form.Text("FuusokuChk1KaitentouEdit"), "2");
}

TEST(SeteiModes, StandardLeavesTheBandsAndClearEmptiesEverything) {
    SeteiForm form(true);
    SetWindBands(form);
    form.SetWindOnly(true);
    form.SetChecked("HeikinSouonRadioButton", true);
    form.SetChecked("SyunkanFuusokuRadioButton", true);
    form.Standard();
    EXPECT_TRUE(form.WindOnly());
    EXPECT_EQ(form.Text("FuusokuChk2MaxEdit"), "10");
    EXPECT_EQ(form.Text("ScrollJikanEdit"), "5");
    EXPECT_EQ(form.Value("SyunkanSouonRadioButton"), "yes");
    EXPECT_EQ(form.Value("HeikinSouonRadioButton"), "no");
    EXPECT_EQ(form.Value("HeikinFuusokuRadioButton"), "yes");

    form.SetChecked("HeikinSouonRadioButton", true);
    form.Clear();
    for (const FieldInfo& f : form.Fields()) {
        if (f.Kind == FieldKind::Edit) {
            EXPECT_EQ(form.Text(f.Name), "") << f.Name;
        }
    }
    EXPECT_EQ(form.Value("SyunkanSouonRadioButton"), "yes");
    EXPECT_EQ(form.Value("HeikinFuusokuRadioButton"), "yes");
    EXPECT_EQ(form.Fields().size(), 41u);
}

// ---- reading ----

TEST(SeteiOpen, RoundTripInEveryMode) {
    for (bool settings2 : {false, true}) {
        for (bool windOnly : {false, true}) {
            SeteiForm form(settings2);
            form.Standard();
            SetWindBands(form);
            ScriptedPrompter prompter;
            if (windOnly) form.WindOnlyButton(prompter);
            prompter.shown.clear();
            form.SetText("OndoChkZeroEdit", "-5");
            form.SetText("OndoChk1MinEdit", "-99");
            form.SetText("TentouJikanEdit", "60000");
            form.SetChecked("HeikinSouonRadioButton", settings2);
            if (!windOnly) form.SetText("UryouChkKaitenTouEdit", "2");
            ASSERT_TRUE(form.Check(prompter));
            const std::string bytes = Written(form);

            SeteiForm read(settings2);
            SetWindBands(read);  // a band left from before must not survive the open
            ASSERT_TRUE(OpenBytes(read, bytes, prompter)) << settings2 << windOnly;
            EXPECT_TRUE(prompter.shown.empty());
            // Bands are written only in wind-only lamp mode; the open clears them otherwise.
            if (!windOnly) {
                for (const SeteiField& f : kSeteiFields)
                    if (kSeteiLines[SeteiLineOf(f.Name)].WindOnly) form.SetText(f.Name, "");
            }
            EXPECT_EQ(Values(read), Values(form)) << settings2 << windOnly;
            EXPECT_EQ(Written(read), bytes);
        }
    }
}

TEST(SeteiOpen, ValuesBecomePlainDecimalText) {
    std::vector<std::string> lines = kStandardLines;
    lines[6] = "$TCHK0= -5";
    lines[3] = "$TCHK1=  7,0 8";
    lines[0] = "$TENTOU_JIKAN=00100xyz";
    SeteiForm form;
    ScriptedPrompter prompter;
    ASSERT_TRUE(OpenBytes(form, SeteiFile(lines), prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(form.Text("OndoChkZeroEdit"), "-5");
    EXPECT_EQ(form.Text("OndoChk1MinEdit"), "7");
    EXPECT_EQ(form.Text("OndoChk1MaxEdit"), "8");
    EXPECT_EQ(form.Text("TentouJikanEdit"), "100");
    EXPECT_EQ(form.Text("ScrollJikanEdit"), "5");
    EXPECT_EQ(form.Text("FuusokuChkKaitenTouEdit"), "0");
}

TEST(SeteiOpen, EachSettingLineFailsWithItsMessageAndKeepsWhatWasRead) {
    struct Case {
        std::size_t line;
        const char* text;
        const char* message;
        const char* keptField;  // a field of the failing line already read, or nullptr
    };
    const Case cases[] = {
        {0, "$TENTOU_JIKAN=00009", "点灯時間エラー", nullptr},
        {0, "$TENTOU_JIKAN 00100", "点灯時間エラー", nullptr},
        {1, "$SYOUTOU_JIKAN=60001", "消灯時間エラー", nullptr},
        {2, "$SCROLL_JIKAN=51", "スクロール時間エラー", nullptr},
        {3, "$TCHK1=001;027", "温度 Chk1 エラー", "OndoChk1MinEdit"},
        {3, "$TCHK1=001,100", "温度 Chk1 エラー", "OndoChk1MinEdit"},
        {4, "$TCHK2=028", "温度 Chk2 エラー", "OndoChk2MinEdit"},
        {5, "$TCHK3=031,05", "温度 Chk3 エラー", "OndoChk3Edit"},
        {6, "$tchk0=000", "温度 Chk Zero エラー", nullptr},
        {7, "$WCHK1=-100,023", "WBGT Chk1 エラー", nullptr},
        {8, "$WCHK2=024,100", "WBGT Chk2 エラー", "WbgtChk2MinEdit"},
        {9, "$WCHK3=026 027", "WBGT Chk3 エラー", "WbgtChk3MinEdit"},
        {10, "$WCHK4=024,-1", "WBGT Chk4 エラー", "WbgtChk4Edit"},
        {11, "$SOUON=000,00", "騒音 Chk エラー", nullptr},
        {12, "$SINDOU=201,00", "振動 Chk エラー", nullptr},
        {13, "$URYOU=301,00", "雨量 Chk エラー", nullptr},
        {14, "$FUUSOKU=10,9", "風速 Chk エラー", "FuusokuChkEdit"},
        {14, "#END_OF_DEFINE", "風速 Chk エラー", nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = kStandardLines;
        lines[c.line] = c.text;
        SeteiForm form;
        form.SetWindOnly(true);
        ScriptedPrompter prompter;
        EXPECT_FALSE(OpenBytes(form, SeteiFile(lines), prompter)) << c.text;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{c.message}) << c.text;
        EXPECT_FALSE(form.WindOnly());
        // The lines before stay in the form; the lines after were never read.
        SeteiForm standard;
        standard.Standard();
        for (const SeteiField& f : kSeteiFields) {
            if (c.keptField && f.Name == std::string(c.keptField)) {
                EXPECT_EQ(form.Text(f.Name), standard.Text(f.Name)) << c.text;
            } else if (SeteiLineOf(f.Name) < c.line) {
                EXPECT_EQ(form.Text(f.Name), standard.Text(f.Name)) << c.text << " " << f.Name;
            } else if (SeteiLineOf(f.Name) > c.line) {
                EXPECT_EQ(form.Text(f.Name), "") << c.text << " " << f.Name;
            }
        }
    }
}

TEST(SeteiOpen, MissingLinesAreReadErrors) {
    const std::string whole = SeteiFile(kSettings2Lines);
    // Cut right after the head, after "$TCHK0=" and after "$FUUSOKU=" (line 20 of the file).
    for (std::size_t lines : {0u, 3u, 5u, 12u, 20u}) {
        SeteiForm form;
        ScriptedPrompter prompter;
        EXPECT_FALSE(OpenBytes(form, whole.substr(0, lines * 32), prompter)) << lines;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{kReadError}) << lines;
    }
    // Settings 2 needs both choices and a line after them.
    for (std::size_t lines : {20u, 21u, 22u}) {
        SeteiForm form(true);
        ScriptedPrompter prompter;
        EXPECT_FALSE(OpenBytes(form, whole.substr(0, lines * 32), prompter)) << lines;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{kReadError}) << lines;
    }
}

TEST(SeteiOpen, Settings2ChoiceLinesMustBeWhole) {
    struct Case {
        std::vector<std::string> after;
        std::vector<std::string> shown;
    };
    const std::string noSouon = "ランプ点灯の平均騒音・瞬間騒音の設定がない";
    const std::string noFuusoku = "ランプ点灯の平均風速・瞬間風速の設定がない";
    const Case cases[] = {
        {{"$HEIKIN_SOUON_LAMPX", "$HEIKIN_FUUSOKU_LAMP"}, {noSouon, kReadError}},
        {{"$FUUSOKU_SEN_CHK2=01,05,01"}, {noSouon, kReadError}},
        {{"$HEIKIN_SOUON_LAMP"}, {noFuusoku, kReadError}},  // then "#END_OF_DEFINE"
        {{"$HEIKIN_SOUON_LAMP", "$HEIKIN_SOUON_LAMP"}, {noFuusoku, kReadError}},
    };
    for (const Case& c : cases) {
        SeteiForm form(true);
        ScriptedPrompter prompter;
        EXPECT_FALSE(OpenBytes(form, SeteiFile(Plus(kStandardLines, c.after)), prompter)) << c.after[0];
        EXPECT_EQ(prompter.shown, c.shown) << c.after[0];
    }
    // A choice line with its padding cut short is not the choice.
    std::string bytes = SeteiFile(kSettings2Lines);
    const std::size_t at = bytes.find("$SYUNKAN_SOUON_LAMP");
    bytes.erase(at + 19, 1);
    SeteiForm form(true);
    ScriptedPrompter prompter;
    EXPECT_FALSE(OpenBytes(form, bytes, prompter));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{noSouon, kReadError}));

    // Both choices are taken from the file.
    ASSERT_TRUE(OpenBytes(form, SeteiFile(Plus(kStandardLines, {"$HEIKIN_SOUON_LAMP", "$SYUNKAN_FUUSOKU_LAMP"})),
                          prompter));
    EXPECT_EQ(form.Value("HeikinSouonRadioButton"), "yes");
    EXPECT_EQ(form.Value("SyunkanSouonRadioButton"), "no");
    EXPECT_EQ(form.Value("SyunkanFuusokuRadioButton"), "yes");
    EXPECT_EQ(form.Value("HeikinFuusokuRadioButton"), "no");
}

TEST(SeteiOpen, FilesOfTheOtherVariant) {
    // A settings 2 file in settings 1 mode stops after its fifteen lines.
    SeteiForm one;
    ScriptedPrompter prompter;
    EXPECT_FALSE(OpenBytes(one, SeteiFile(Plus(kSettings2Lines, kWindLines)), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{kWindChkError});
    EXPECT_EQ(one.Text("FuusokuChkEdit"), "10");
    EXPECT_EQ(one.Text("TentouJikanEdit"), "100");
    EXPECT_FALSE(one.WindOnly());

    // A settings 1 file in settings 2 mode is read whole after a notice.
    const std::string notice = "設定１で作成したファイルかもしれません。騒音と風速の平均・瞬間の切り替えがありません。";
    SeteiForm two(true);
    two.SetChecked("HeikinSouonRadioButton", true);
    prompter.shown.clear();
    EXPECT_TRUE(OpenBytes(two, SeteiFile(kStandardLines), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{notice});
    SeteiForm standard(true);
    standard.Standard();
    EXPECT_EQ(Values(two), Values(standard));

    // The same with wind bands: the notice, then the bands.
    prompter.shown.clear();
    EXPECT_TRUE(OpenBytes(two, SeteiFile(Plus(kStandardLines, kWindLines)), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{notice});
    EXPECT_TRUE(two.WindOnly());
    EXPECT_EQ(two.Text("FuusokuChk4MinEdit"), "21");
}

TEST(SeteiOpen, WindBandsSwitchTheModeOnAndZeroTheLamps) {
    std::vector<std::string> lines = kStandardLines;
    lines[5] = "$TCHK3=031,01";
    lines[13] = "$URYOU=010,02";
    lines[14] = "$FUUSOKU=10,03";
    SeteiForm form;
    ScriptedPrompter prompter;
    ASSERT_TRUE(OpenBytes(form, SeteiFile(Plus(lines, kWindLines)), prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(form.WindOnly());
    EXPECT_FALSE(form.FuusokuChkKaitenTouEnabled());
    for (const char* lamp : {"OndoChk3KaitenTouEdit", "UryouChkKaitenTouEdit", "FuusokuChkKaitenTouEdit"})
        EXPECT_EQ(form.Text(lamp), "0") << lamp;
    EXPECT_EQ(form.Text("FuusokuChk1MaxEdit"), "5");
    EXPECT_EQ(form.Text("FuusokuChk3KaitentouEdit"), "3");
    EXPECT_EQ(form.Text("FuusokuChk4KaitentouEdit"), "4");

    // The next open starts with the mode off again.
    EXPECT_TRUE(OpenBytes(form, SeteiFile(lines), prompter));
    EXPECT_FALSE(form.WindOnly());
    EXPECT_EQ(form.Text("UryouChkKaitenTouEdit"), "2");
    EXPECT_EQ(form.Text("FuusokuChk1MaxEdit"), "");
}

TEST(SeteiOpen, RefusedWindBands) {
    // A refused first band ends the open with the mode off.
    {
        SeteiForm form;
        ScriptedPrompter prompter;
        std::vector<std::string> bands = kWindLines;
        bands[0] = "$FUUSOKU_SEN_CHK1=01,05,05";
        EXPECT_FALSE(OpenBytes(form, SeteiFile(Plus(kStandardLines, bands)), prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{kWindChkError});
        EXPECT_FALSE(form.WindOnly());
        EXPECT_EQ(form.Text("FuusokuChk2MinEdit"), "");
    }
    // A refused later band is reported, the rest still read, and the open fails.
    {
        SeteiForm form;
        ScriptedPrompter prompter;
        std::vector<std::string> bands = kWindLines;
        bands[1] = "$FUUSOKU_SEN_CHK2=00,10,02";
        bands[3] = "$FUUSOKU_SEN_CHK4=21;04";
        EXPECT_FALSE(OpenBytes(form, SeteiFile(Plus(kStandardLines, bands)), prompter));
        EXPECT_EQ(prompter.shown, (std::vector<std::string>{kWindChkError, kWindChkError}));
        EXPECT_TRUE(form.WindOnly());
        EXPECT_EQ(form.Text("FuusokuChk2MaxEdit"), "");
        EXPECT_EQ(form.Text("FuusokuChk3MaxEdit"), "20");
        EXPECT_EQ(form.Text("FuusokuChk4MinEdit"), "21");
        EXPECT_EQ(form.Text("FuusokuChk4KaitentouEdit"), "");
    }
    // The bands come in their order, and a line must follow the last one.
    {
        SeteiForm form;
        ScriptedPrompter prompter;
        std::vector<std::string> bands = {kWindLines[0], kWindLines[2], kWindLines[1], kWindLines[3]};
        EXPECT_FALSE(OpenBytes(form, SeteiFile(Plus(kStandardLines, bands)), prompter));
        EXPECT_EQ(prompter.shown, (std::vector<std::string>{kWindChkError, kWindChkError}));
        prompter.shown.clear();
        const std::string whole = SeteiFile(Plus(kStandardLines, kWindLines));
        EXPECT_FALSE(OpenBytes(form, whole.substr(0, 24 * 32), prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{kReadError});
        prompter.shown.clear();
        EXPECT_FALSE(OpenBytes(form, whole.substr(0, 22 * 32), prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{kReadError});
    }
}

TEST(SeteiOpen, LongLinesArriveInPieces) {
    // A setting line longer than 49 characters: its rest is taken as the next line.
    std::vector<std::string> lines = kStandardLines;
    lines[0] += std::string(45, ' ');
    SeteiForm form;
    ScriptedPrompter prompter;
    EXPECT_FALSE(OpenBytes(form, SeteiFile(lines), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"消灯時間エラー"});
    EXPECT_EQ(form.Text("TentouJikanEdit"), "100");
    // Exactly 48 characters and the line feed still make one line.
    lines[0] = kStandardLines[0] + std::string(48 - kStandardLines[0].size(), ' ');
    prompter.shown.clear();
    EXPECT_TRUE(OpenBytes(form, SeteiFile(lines), prompter));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(SeteiOpen, MissingFileNamesThePath) {
    TempDir dir;
    const std::string path = dir.Path("none.txt");
    SeteiForm form;
    form.Standard();
    ScriptedPrompter prompter;
    EXPECT_FALSE(OpenSettingsFile(form, RealFileSystem(), path, prompter.shown));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{path + "オープンエラー"});
    EXPECT_EQ(form.Text("TentouJikanEdit"), "100");
}

}  // namespace
}  // namespace tesslor::test
