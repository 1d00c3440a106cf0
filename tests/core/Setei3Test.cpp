// The settings 3 form and file: golden bytes of the standard values, every
// rule of the settings check with its precedence, the reader's messages, the
// round trip and a failed write that keeps the earlier file.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/Setei3Form.h"

namespace tesslor::test {
namespace {

// The 35 setting lines of the standard values.
const std::vector<std::string> kStandardLines = {
    "$TENTOU_JIKAN=00100",       "$SYOUTOU_JIKAN=00100",      "$SCROLL_JIKAN=05",
    "$TCHK1=001,027,no,no",      "$TCHK2=028,030,no,no",      "$TCHK3=031,xxx,no,no",
    "$TCHK0=xxx,000,no,no",      "$WCHK1=022,023,no,no",      "$WCHK2=024,025,no,no",
    "$WCHK3=026,027,no,no",      "$WCHK4=028,xxx,no,no",      "$SOUON_SYUNKAN",
    "$SOUONCHK1=no,,,,",         "$SOUONCHK2=no,,,,",         "$SOUONCHK3=100,xxx,no,no",
    "$SINDOUCHK1=no,,,,",        "$SINDOUCHK2=no,,,,",        "$SINDOUCHK3=100,xxx,no,no",
    "$URYOUCHK1=no,,,,",         "$URYOUCHK2=no,,,,",         "$URYOUCHK3=010,xxx,no,no",
    "$FUUSOKU_HEIKIN",           "$FUUSOKU1=no,,,,",          "$FUUSOKU2=no,,,,",
    "$FUUSOKU3=10,xx,no,no",     "$CO2SAKUGEN_8SEG=right",    "$HATUDENRYOU_8SEG=left",
    "$SIYOURYOURYOU_8SEG=no",    "$ONDO_8SEG=lower",          "$WBGT_8SEG=no",
    "$SOUON_8SEG=no",            "$SINDOU_8SEG=no",           "$URYOU_8SEG=no",
    "$FUUSOKU_8SEG=no",          "$G_MODE=no",
};

const std::vector<std::string> kHead = {"#LED_DATA_FILE", "#DATA_TYPE", "$SETEI", "#END_OF_DATA_TYPE", "#DEFINE"};

// A whole file: head, the setting lines, the closing lines, each padded and ended with CR LF.
std::string FileOf(const std::vector<std::string>& settings) {
    std::vector<std::string> all = kHead;
    all.insert(all.end(), settings.begin(), settings.end());
    all.push_back("#END_OF_DEFINE");
    all.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(all, true);
}

// The standard file with setting line `number` (1-based) replaced.
std::string StandardWith(int number, const std::string& text) {
    std::vector<std::string> lines = kStandardLines;
    lines[number - 1] = text;
    return FileOf(lines);
}

std::map<std::string, std::string> Values(const Setei3Form& form) {
    std::map<std::string, std::string> values;
    for (const FieldInfo& f : form.Fields()) values[f.Name] = form.Value(f.Name).value_or("");
    return values;
}

std::string Written(const Setei3Form& form) {
    MemoryOutputFile out;
    ScriptedPrompter prompter;
    EXPECT_TRUE(form.WriteLines(out, test::Said(prompter)));
    return out.Bytes();
}

bool OpenBytes(Setei3Form& form, const std::string& bytes, ScriptedPrompter& prompter) {
    MemoryLineReader in(bytes);
    return form.Open(in, "F:\\setei.txt", prompter.shown);
}

// Every band switched on with values that pass the check, lamps and messages spread out.
Setei3Form AllBandsOn() {
    Setei3Form form;
    form.Standard();
    for (const char* box : {"SouonChk1CheckBox", "SouonChk2CheckBox", "SindouChk1CheckBox", "SindouChk2CheckBox",
                            "UryouChk1CheckBox", "UryouChk2CheckBox", "FuusokuChk1CheckBox", "FuusokuChk2CheckBox"})
        form.SetChecked(box, true);
    for (const char* q : {"Souon", "Sindou", "Uryou", "Fuusoku"}) {
        form.SetText(std::string(q) + "Chk1MinEdit", "5");
        form.SetText(std::string(q) + "Chk1MaxEdit", "20");
        form.SetText(std::string(q) + "Chk2MinEdit", "21");
        form.SetText(std::string(q) + "Chk2MaxEdit", "40");
    }
    form.SetText("SindouChk1MinEdit", "100");
    form.SetText("SindouChk1MaxEdit", "200");
    form.SetText("OndoChk1MinEdit", "-5");
    form.SetText("OndoChkZeroMaxEdit", "-10");
    form.SetText("OndoChk1KaitenComboBox", "1");
    form.SetText("WbgtChk4KaitenComboBox", "2");
    form.SetText("SindouChk1KaitenComboBox", "4");
    form.SetText("FuusokuChk2KaitenComboBox", "3");
    form.SetText("SindouChk1MongonComboBox", "10");
    form.SetText("OndoChkZeroMongonComboBox", "8");
    form.SetText("FuusokuChk1MongonComboBox", "9");
    form.SetText("Siyouryou8SegComboBox", "右");
    form.SetText("CO28SegComboBox", "no");
    form.SetChecked("HeikinSouonRadioButton", true);
    form.SetChecked("SyunkanFuusokuRadioButton", true);
    form.SetChecked("GModeCheckBox", true);
    return form;
}

// ---- writing ----

TEST(Setei3Write, StandardValuesGiveTheGoldenFileOfThirtyTwoByteLines) {
    Setei3Form form;
    form.Standard();
    const std::string bytes = Written(form);
    EXPECT_EQ(bytes, FileOf(kStandardLines));
    EXPECT_EQ(bytes.size(), 42u * 32u);
    for (std::size_t at = 0; at < bytes.size(); at += 32) EXPECT_EQ(bytes.substr(at + 30, 2), "\r\n") << at;
}

TEST(Setei3Write, SwitchedBandsNegativeNumbersChoicesAndTheLongestLine) {
    const Setei3Form form = AllBandsOn();
    ScriptedPrompter prompter;
    ASSERT_TRUE(form.CheckSettings3(prompter)) << prompter.shown.front();
    EXPECT_EQ(form.LineText(3), "$TCHK1= -5,027,01,no");
    EXPECT_EQ(form.LineText(6), "$TCHK0=xxx,-10,no,08");
    EXPECT_EQ(form.LineText(10), "$WCHK4=028,xxx,02,no");
    EXPECT_EQ(form.LineText(11), "$SOUON_HEIKIN");
    EXPECT_EQ(form.LineText(12), "$SOUONCHK1=yes,005,020,no,no");
    EXPECT_EQ(form.LineText(15), "$SINDOUCHK1=yes,100,200,04,10");
    EXPECT_EQ(form.LineText(15).size(), 29u) << "the longest line the unit gets";
    EXPECT_EQ(form.LineText(21), "$FUUSOKU_SYUNKAN");
    EXPECT_EQ(form.LineText(22), "$FUUSOKU1=yes,05,20,no,09");
    EXPECT_EQ(form.LineText(23), "$FUUSOKU2=yes,21,40,03,no");
    EXPECT_EQ(form.LineText(25), "$CO2SAKUGEN_8SEG=no");
    EXPECT_EQ(form.LineText(27), "$SIYOURYOURYOU_8SEG=right");
    EXPECT_EQ(form.LineText(34), "$G_MODE=yes");
}

// ---- standard values, clearing, band enabling ----

TEST(Setei3Form, StandardAndClearKeepTheChk2ToFieldsAndSwitchBandsOff) {
    Setei3Form form = AllBandsOn();
    form.SetText("SouonChk2MaxEdit", "150");
    form.SetText("FuusokuChk2MaxEdit", "77");
    EXPECT_TRUE(form.BandEnabled("SouonChk1"));
    form.Standard();
    EXPECT_EQ(form.Text("SouonChk2MaxEdit"), "150");
    EXPECT_EQ(form.Text("FuusokuChk2MaxEdit"), "77");
    EXPECT_EQ(form.Text("SouonChk1MaxEdit"), "");
    EXPECT_EQ(form.Text("SouonChk2MinEdit"), "");
    EXPECT_EQ(form.Text("SindouChk1KaitenComboBox"), "no");
    EXPECT_FALSE(form.Checked("GModeCheckBox"));
    EXPECT_TRUE(form.Checked("SyunkanSouonRadioButton"));
    EXPECT_FALSE(form.Checked("HeikinSouonRadioButton"));
    EXPECT_TRUE(form.Checked("HeikinFuusokuRadioButton"));

    form.Clear();
    EXPECT_EQ(form.Text("TentouJikanEdit"), "");
    EXPECT_EQ(form.Text("CO28SegComboBox"), "no");
    EXPECT_EQ(form.Text("SindouChk1MaxEdit"), "");
    EXPECT_EQ(form.Text("SindouChk2MaxEdit"), "40");
    EXPECT_EQ(form.Text("FuusokuChk2MaxEdit"), "77");

    // Only the four quantities' first two bands can be off, all four of their controls with them.
    EXPECT_FALSE(form.BandEnabled("UryouChk2"));
    EXPECT_TRUE(form.BandEnabled("UryouChk3"));
    EXPECT_TRUE(form.BandEnabled("OndoChkZero"));
    for (const char* name : {"UryouChk2MinEdit", "UryouChk2MaxEdit", "UryouChk2KaitenComboBox", "UryouChk2MongonComboBox"})
        EXPECT_FALSE(form.ControlEnabled(name)) << name;
    form.SetChecked("UryouChk2CheckBox", true);
    EXPECT_TRUE(form.ControlEnabled("UryouChk2MongonComboBox"));
    EXPECT_TRUE(form.ControlEnabled("UryouChk3MinEdit"));
    EXPECT_TRUE(form.ControlEnabled("GModeCheckBox"));
}

// ---- the settings check ----

struct CheckCase {
    std::vector<std::pair<const char*, const char*>> set;
    const char* message;  // nullptr: passes
};

void ExpectCheck(const std::vector<CheckCase>& cases, bool allBands) {
    for (const CheckCase& c : cases) {
        Setei3Form form = allBands ? AllBandsOn() : Setei3Form();
        if (!allBands) form.Standard();
        std::string what;
        for (const auto& [name, value] : c.set) {
            std::string problem;
        ASSERT_TRUE(form.SetValue(name, value, problem)) << name;
            what += std::string(name) + "=" + value + " ";
        }
        ScriptedPrompter prompter;
        EXPECT_EQ(form.CheckSettings3(prompter), c.message == nullptr) << what;
        EXPECT_EQ(prompter.shown, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << what;
    }
}

TEST(Setei3Check, NumbersAndRangeOrdersInTheWindowsOrder) {
    ExpectCheck({{{}, nullptr},
                 {{{"TentouJikanEdit", "9"}}, "点灯時間エラー"},
                 {{{"ScrollJikanEdit", "51"}, {"TentouJikanEdit", ""}}, "点灯時間エラー"},
                 {{{"ScrollJikanEdit", "51"}}, "スクロール時間エラー"},
                 {{{"OndoChk1MinEdit", "28"}}, "温度CHK1  エラー"},
                 {{{"OndoChk1MinEdit", "27"}}, nullptr},
                 {{{"OndoChk1MinEdit", "28"}, {"OndoChk2MaxEdit", "x"}}, "温度CHK1  エラー"},
                 {{{"OndoChkZeroMaxEdit", "-100"}}, "温度 ZERO エラー"},
                 {{{"WbgtChk1MaxEdit", "21"}}, "WBGT CHK1  エラー"},
                 {{{"WbgtChk4MinEdit", "1000"}}, "WBGT CHK4 エラー"},
                 {{{"SouonChk3MinEdit", "0"}}, "騒音 Chk3 エラー"},
                 {{{"UryouChk3MinEdit", "301"}}, "雨量 CHK3 エラー"},
                 {{{"FuusokuChk3MinEdit", "100"}}, "風速 CHK3 エラー"},
                 // A switched-off band's numbers are not looked at.
                 {{{"SouonChk2MinEdit", "90"}, {"SouonChk2MaxEdit", "80"}}, nullptr},
                 {{{"SouonChk2MinEdit", "90"}, {"SouonChk2MaxEdit", "80"}, {"SouonChk2CheckBox", "yes"}},
                  "騒音 CHK2 エラー"},
                 {{{"SindouChk1CheckBox", "yes"}}, "振動 CHK1 MIN エラー"}},
                false);
    // Every number field is checked, each with its own message.
    for (const Setei3NumberField& f : Setei3NumberFields())
        ExpectCheck({{{{f.Name, "+1"}}, f.Message}}, true);
    ExpectCheck({{{{"FuusokuChk1MaxEdit", "4"}}, "風速 CHK1 エラー"}, {{{"UryouChk2MinEdit", "41"}}, "雨量 CHK2 エラー"}},
                true);
}

TEST(Setei3Check, LampsAndMessagesEachOnceWithSwitchedOffBandsCountingAsNone) {
    ExpectCheck({{{{"OndoChk1KaitenComboBox", "3"}, {"WbgtChk2KaitenComboBox", "3"}}, "WBGT CHK2 回転灯設定エラー"},
                 {{{"WbgtChk1KaitenComboBox", "3"}, {"WbgtChk2KaitenComboBox", "3"}}, "WBGT CHK2 回転灯設定エラー"},
                 {{{"SouonChk1KaitenComboBox", "3"}, {"OndoChk1KaitenComboBox", "3"}}, nullptr},
                 {{{"SouonChk1KaitenComboBox", "3"}, {"OndoChk1KaitenComboBox", "3"}, {"SouonChk1CheckBox", "yes"},
                   {"SouonChk1MinEdit", "1"}, {"SouonChk1MaxEdit", "2"}},
                  "騒音 CHK1 回転灯設定エラー"},
                 {{{"SouonChk1KaitenComboBox", "garbage"}}, nullptr},
                 {{{"WbgtChk1KaitenComboBox", "5"}}, "WBGT CHK1  回転灯設定エラー"},
                 {{{"OndoChkZeroKaitenComboBox", ""}}, "温度 CHK ZERO 回転灯設定エラー"},
                 {{{"FuusokuChk3KaitenComboBox", "1 "}}, "風速 CHK3 回転灯設定エラー"},
                 {{{"FuusokuChk3KaitenComboBox", "01"}}, "風速 CHK3 回転灯設定エラー"},
                 {{{"OndoChk1KaitenComboBox", "1"}, {"OndoChk2KaitenComboBox", "2"}, {"OndoChk3KaitenComboBox", "3"},
                   {"OndoChkZeroKaitenComboBox", "4"}},
                  nullptr},
                 {{{"WbgtChk1MongonComboBox", "7"}}, "WBGT CHK1  文言設定エラー"},
                 {{{"OndoChk3MongonComboBox", "10"}, {"UryouChk3MongonComboBox", "10"}}, "雨量 CHK3 文言設定エラー"},
                 {{{"OndoChk3MongonComboBox", "08"}}, "温度 CHK3 文言設定エラー"},
                 // Lamps are checked before messages.
                 {{{"UryouChk3MongonComboBox", "x"}, {"UryouChk3KaitenComboBox", "x"}}, "雨量 CHK3 回転灯設定エラー"}},
                false);
}

TEST(Setei3Check, EightSegmentPositionsEachOnceWhateverTheBands) {
    ExpectCheck({{{{"Ondo8SegComboBox", "右"}}, "8セグ表示 温度\u3000エラー"},
                 {{{"Siyouryou8SegComboBox", "左"}}, "8セグ表示\u3000使用量\u3000エラー"},
                 {{{"Wbgt8SegComboBox", ""}}, "8セグ表示 WBGT\u3000エラー"},
                 {{{"CO28SegComboBox", "right"}}, "8セグ表示\u3000CO2削減量\u3000エラー"},
                 {{{"CO28SegComboBox", "no"}, {"Hatuden8SegComboBox", "no"}, {"Fuusoku8SegComboBox", "右"},
                   {"Ondo8SegComboBox", "左"}, {"Sindou8SegComboBox", "左"}},
                  "8セグ表示 振動\u3000エラー"},
                 // Numbers come first.
                 {{{"Ondo8SegComboBox", "右"}, {"ScrollJikanEdit", "0"}}, "スクロール時間エラー"}},
                false);
}

// ---- reading ----

struct ReadCase {
    int line;          // setting line replaced (1-based)
    const char* text;  // its text
    const char* message;  // nullptr: the file opens
};

TEST(Setei3Open, EachLineItsMessage) {
    const std::vector<ReadCase> cases = {
        {1, "$TENTOU_JIKAN=00009", "点灯時間エラー"},
        {1, "$TENTOU_JIKAN=60000", nullptr},
        {2, "$SYOUTOU=00100", "消灯時間エラー"},
        {3, "$SCROLL_JIKAN=51", "スクロール時間エラー"},
        {4, "$TCHK1=001,027,00,no", "温度 Chk1 エラー"},
        {4, "$TCHK1=001,027,05,no", "温度 Chk1 エラー"},
        {4, "$TCHK1=001,027,04,no", nullptr},
        {4, "$TCHK1=001,027,no,07", "温度 Chk1 エラー"},
        {4, "$TCHK1=001;027,no,no", "温度 Chk1 エラー"},
        {4, "$TCHK1=001,027,no,no,ignored", nullptr},
        {5, "$TCHK2=028,100,no,no", "温度 Chk2 エラー"},
        {6, "$TCHK3=031,XXX,no,no", nullptr},
        {7, "$TCHK0=XXX,000,no,no", nullptr},
        {7, "$TCHK0=xXx,000,no,no", "温度 Chk Zero エラー"},
        {8, "$WCHK1=022,023,no", "WBGT Chk1 エラー"},
        {11, "$WCHK4=028,xx,no,no", "WBGT Chk4 エラー"},
        {12, "$SOUON_HEIKINX", nullptr},
        {12, "$SOUON", "平均・瞬間\u3000騒音 エラー"},
        {13, "$SOUONCHK1=maybe", "騒音 Chk1 エラー"},
        {13, "$SOUONCHK1=yes,001,201,no,no", "騒音 Chk1 エラー"},
        {14, "$SOUONCHK2=nope", "騒音 Chk2 エラー"},
        {14, "$SOUONCHK2=no,", nullptr},
        {15, "$SOUONCHK3=000,xxx,no,no", "騒音 Chk3 エラー"},
        {17, "$SINDOUCHK2=", "振動 Chk2 エラー"},
        {18, "$SINDOUCHK3=100,xxx,no,11", "振動 Chk3 エラー"},
        {20, "$URYOUCHK2=yes,300,300,no,no", nullptr},
        {21, "$URYOUCHK3=301,xxx,no,no", "雨量 Chk3 エラー"},
        {22, "$FUUSOKU_SYUNKAN", nullptr},
        {22, "$FUUSOKU_AVERAGE", "平均・瞬間\u3000風速 エラー"},
        {23, "$FUUSOKU1=yes,010,020,no,no", "風速 Chk1 エラー"},
        {24, "$FUUSOKU2=yes,1,,no,no", "風速 Chk2 エラー"},
        {25, "$FUUSOKU3=10,xxx,no,no", "風速 Chk3 エラー"},
        {26, "$CO2SAKUGEN_8SEG=up", "8セグ表示 CO2削減 エラー"},
        {28, "$SIYOURYOURYOU_8SEG=Right", "8セグ表示 使用量 エラー"},
        {34, "$FUUSOKU_8SEG=", "8セグ表示 風速 エラー"},
        {35, "$G_MODE=on", "Gモードエラー"},
        {35, "$G_MODE=yes", nullptr},
    };
    for (const ReadCase& c : cases) {
        Setei3Form form;
        ScriptedPrompter prompter;
        EXPECT_EQ(OpenBytes(form, StandardWith(c.line, c.text), prompter), c.message == nullptr) << c.text;
        const std::string expected = c.message ? c.message : "F:\\setei.txt読み込み完了";
        EXPECT_EQ(prompter.shown, std::vector<std::string>{expected}) << c.text;
    }
}

TEST(Setei3Open, ValuesAreTakenAsReadAndKeptWhenALineFails) {
    Setei3Form form;
    ScriptedPrompter prompter;
    std::vector<std::string> lines = kStandardLines;
    lines[3] = "$TCHK1= -5,027,03,10";
    lines[6] = "$TCHK0=XXX,-07,no,no";
    lines[16] = "$SINDOUCHK2=yes,020,030,02,08";
    lines[27] = "$SIYOURYOURYOU_8SEG=nothing";
    lines[28] = "$ONDO_8SEG=lowerX";
    ASSERT_TRUE(OpenBytes(form, FileOf(lines), prompter));
    EXPECT_EQ(form.Text("OndoChk1MinEdit"), "-5");
    EXPECT_EQ(form.Text("OndoChk1KaitenComboBox"), "3");
    EXPECT_EQ(form.Text("OndoChk1MongonComboBox"), "10");
    EXPECT_EQ(form.Text("OndoChkZeroMaxEdit"), "-7");
    EXPECT_EQ(form.Text("TentouJikanEdit"), "100");
    EXPECT_TRUE(form.Checked("SindouChk2CheckBox"));
    EXPECT_EQ(form.Text("SindouChk2MongonComboBox"), "8");
    EXPECT_EQ(form.Text("Siyouryou8SegComboBox"), "no");
    EXPECT_EQ(form.Text("Ondo8SegComboBox"), "下");

    // The window is cleared first (the four CHK2 "to" fields keep their text);
    // a failing line keeps what came before it, and the earlier values of its own line.
    form.SetChecked("GModeCheckBox", true);
    form.SetText("UryouChk2MaxEdit", "250");
    prompter.shown.clear();
    EXPECT_FALSE(OpenBytes(form, StandardWith(5, "$TCHK2=028,030,09,no"), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"温度 Chk2 エラー"});
    EXPECT_EQ(form.Text("OndoChk1MinEdit"), "1");
    EXPECT_EQ(form.Text("OndoChk2MaxEdit"), "30");
    EXPECT_EQ(form.Text("OndoChk3MinEdit"), "");
    EXPECT_FALSE(form.Checked("GModeCheckBox"));
    EXPECT_FALSE(form.Checked("SindouChk2CheckBox"));
    EXPECT_EQ(form.Text("UryouChk2MaxEdit"), "250");
    EXPECT_EQ(form.Text("SindouChk2MaxEdit"), "30");
}

TEST(Setei3Open, OtherFilesShortFilesAndRepeatedLamps) {
    // A settings 1 file: its "$TCHK1=" line has no lamp.
    {
        Setei3Form form;
        ScriptedPrompter prompter;
        std::vector<std::string> s1 = {"$TENTOU_JIKAN=00100", "$SYOUTOU_JIKAN=00100", "$SCROLL_JIKAN=05",
                                       "$TCHK1=001,027", "$TCHK2=028,030"};
        EXPECT_FALSE(OpenBytes(form, FileOf(s1), prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"温度 Chk1 エラー"});
        EXPECT_EQ(form.Text("ScrollJikanEdit"), "5");
    }
    // Files that end too early, in the head or after line 20.
    for (std::size_t lines : {0u, 4u, 5u + 20u}) {
        std::vector<std::string> all = kHead;
        all.insert(all.end(), kStandardLines.begin(), kStandardLines.end());
        all.resize(lines);
        Setei3Form form;
        ScriptedPrompter prompter;
        EXPECT_FALSE(OpenBytes(form, CrLfLines(all, true), prompter)) << lines;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"F:\\setei.txtリードエラー"}) << lines;
        if (lines == 25) {
            EXPECT_EQ(form.Text("UryouChk3MinEdit"), "");
            EXPECT_EQ(form.Text("SindouChk3MinEdit"), "100");
        }
    }
    // Every line reads, then the check refuses the second use of lamp 2; the values stay.
    {
        Setei3Form form;
        ScriptedPrompter prompter;
        std::vector<std::string> lines = kStandardLines;
        lines[3] = "$TCHK1=001,027,02,no";
        lines[8] = "$WCHK2=024,025,02,no";
        lines[34] = "$G_MODE=yes";
        EXPECT_FALSE(OpenBytes(form, FileOf(lines), prompter));
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"WBGT CHK2 回転灯設定エラー"});
        EXPECT_EQ(form.Text("WbgtChk2KaitenComboBox"), "2");
        EXPECT_TRUE(form.Checked("GModeCheckBox"));
    }
}

TEST(Setei3Open, LinesEndingInLineFeedsReadAlikeAndLongLinesArriveInPieces) {
    std::string lf = FileOf(kStandardLines);
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    Setei3Form form;
    ScriptedPrompter prompter;
    EXPECT_TRUE(OpenBytes(form, lf, prompter));

    // A line of 60 characters: its last 11 come as the next line.
    prompter.shown.clear();
    EXPECT_FALSE(OpenBytes(form, StandardWith(1, "$TENTOU_JIKAN=00100" + std::string(41, ' ')), prompter));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"消灯時間エラー"});
}

// ---- whole files ----

TEST(Setei3File, WriteThenOpenGivesTheSameWindowApartFromSwitchedOffChk2To) {
    TempDir dir;
    ScriptedPrompter prompter;
    const std::string path = dir.Path("setei.txt");
    for (bool allOn : {false, true}) {
        Setei3Form written = allOn ? AllBandsOn() : Setei3Form();
        if (!allOn) written.Standard();
        // The file carries no "to" of a switched-off band.
        if (!allOn) written.SetText("FuusokuChk2MaxEdit", "33");
        ASSERT_TRUE(written.Check(prompter));
        prompter.shown.clear();
        ASSERT_TRUE(WriteSettingsFile(written, RealFileSystem(), path, prompter.shown));
        Setei3Form read;
        read.SetText("FuusokuChk2MaxEdit", "99");
        ASSERT_TRUE(OpenSettingsFile(read, RealFileSystem(), path, prompter.shown));
        EXPECT_EQ(prompter.shown, (std::vector<std::string>{path + "読み込み完了"}));
        std::map<std::string, std::string> expected = Values(written);
        if (!allOn) expected["FuusokuChk2MaxEdit"] = "";
        EXPECT_EQ(Values(read), expected) << allOn;
        EXPECT_EQ(Written(read), Written(written));
    }
}

TEST(Setei3File, AFailedWriteKeepsTheEarlierFile) {
    TempDir dir;
    const std::string path = dir.Path("setei.txt");
    WriteFileBytes(path, "earlier");
    Setei3Form form = AllBandsOn();
    for (int failAt : {1, 5 + 16, 42}) {
        FailingFileSystem files;
        files.failAtWrite = failAt;
        ScriptedPrompter prompter;
        EXPECT_FALSE(WriteSettingsFile(form, files, path, prompter.shown)) << failAt;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイル ライトエラー"});
        EXPECT_EQ(ReadFileBytes(path), "earlier");
    }
    FailingFileSystem files;
    files.failCreate = true;
    ScriptedPrompter prompter;
    EXPECT_FALSE(WriteSettingsFile(form, files, path, prompter.shown));
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイル オープンエラー"});
    EXPECT_FALSE(OpenSettingsFile(form, files, dir.Path("none.txt"), prompter.shown));
    EXPECT_EQ(prompter.shown.back(), dir.Path("none.txt") + "オープンエラー");
}

}  // namespace
}  // namespace tesslor::test
