// The settings 1 and 2 editor window: its two modes, writing and opening
// through the dialogs, the wind-only lamp mode and closing.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "GuiHarness.h"
#include "settings/Seteiunit.h"

namespace tesslor::test {
namespace {

const std::vector<std::string> kHead = {"#LED_DATA_FILE", "#DATA_TYPE", "$SETEI", "#END_OF_DATA_TYPE", "#DEFINE"};
const std::vector<std::string> kStandardLines = {
    "$TENTOU_JIKAN=00100", "$SYOUTOU_JIKAN=00100", "$SCROLL_JIKAN=05", "$TCHK1=001,027", "$TCHK2=028,030",
    "$TCHK3=031,00",       "$TCHK0=000",           "$WCHK1=022,023",   "$WCHK2=024,025", "$WCHK3=026,027",
    "$WCHK4=024,00",       "$SOUON=100,00",        "$SINDOU=100,00",   "$URYOU=010,00",  "$FUUSOKU=10,00"};
const std::vector<std::string> kLamps = {"OndoChk3KaitenTouEdit",  "WbgtChk4KaitenTouEdit", "SouonChkKaitenTouEdit",
                                         "SindouChkKaitenTouEdit", "UryouChkKaitenTouEdit", "FuusokuChkKaitenTouEdit"};

std::string SeteiFile(std::vector<std::string> settingLines) {
    std::vector<std::string> lines = kHead;
    lines.insert(lines.end(), settingLines.begin(), settingLines.end());
    lines.push_back("#END_OF_DEFINE");
    lines.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(lines, true);
}

class SeteiWindow : public ::testing::Test {
protected:
    SeteiWindow()
        : context{prompter, chooser, RealFileSystem(), config, [this] { return card.Dir().string(); }},
          window(context) {}
    ~SeteiWindow() override { window.hide(); }

    QLineEdit* Edit(const char* name) { return window.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString Text(const char* name) { return Edit(name)->text(); }

    TempDir card;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    StartupConfig config;
    gui::WindowContext context;
    gui::TSeteiForm window;
};

TEST_F(SeteiWindow, OpenInModeShowsTheChoicesOnlyForSettings2) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("環境表示器設定"));
    EXPECT_FALSE(window.isVisible());
    // Every field of the form is an edit holding at most the field's width.
    for (const SeteiField& f : kSeteiFields) {
        QLineEdit* e = Edit(f.Name);
        ASSERT_NE(e, nullptr) << f.Name;
        EXPECT_EQ(e->maxLength(), f.Width) << f.Name;
    }
    EXPECT_EQ(Edit("TentouJikanEdit")->maxLength(), 5);
    EXPECT_EQ(Edit("ScrollJikanEdit")->maxLength(), 2);

    window.OpenInMode(false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_FALSE(window.SouonGroupBox->isVisible());
    EXPECT_FALSE(window.FuusokuGroupBox->isVisible());
    EXPECT_FALSE(Edit("FuusokuChk1MinEdit")->isVisible());
    EXPECT_EQ(window.Form().Kind(), "settings1");
    Edit("SouonChkEdit")->setText(QStringLiteral("120"));

    window.OpenInMode(true);
    EXPECT_TRUE(window.SouonGroupBox->isVisible());
    EXPECT_TRUE(window.FuusokuGroupBox->isVisible());
    EXPECT_EQ(window.SouonGroupBox->title(), QStringLiteral("騒音"));
    EXPECT_EQ(window.HeikinFuusokuRadioButton->text(), QStringLiteral("平均風速"));
    EXPECT_TRUE(window.SyunkanSouonRadioButton->isChecked());
    EXPECT_TRUE(window.HeikinFuusokuRadioButton->isChecked());
    EXPECT_EQ(window.Form().Kind(), "settings2");
    EXPECT_EQ(Text("SouonChkEdit"), QStringLiteral("120"));

    window.OpenInMode(false);
    EXPECT_FALSE(window.SouonGroupBox->isVisible());
    EXPECT_EQ(window.FuusokuSenyouKaitentouSeteiButton->text(), QStringLiteral("風速回転灯専用設定有効"));
    EXPECT_EQ(window.OpenButton->text(), QStringLiteral("開く"));
    EXPECT_EQ(window.WriteButton->text(), QStringLiteral("書込み"));
    EXPECT_EQ(window.HyoujyunSeteiButton->text(), QStringLiteral("標準設定"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SeteiWindow, StandardValuesWriteTheExampleFile) {
    window.OpenInMode(false);
    window.HyoujyunSeteiButton->click();
    EXPECT_EQ(Text("TentouJikanEdit"), QStringLiteral("100"));
    EXPECT_EQ(Text("OndoChk1MaxEdit"), QStringLiteral("27"));
    EXPECT_EQ(Text("FuusokuChk1MinEdit"), QString());

    const std::string path = card.Path("setei.txt");
    chooser.script = {path};
    window.WriteButton->click();
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileDialogRequest& r = chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Save);
    EXPECT_EQ(r.fileName, "setei.txt");
    EXPECT_EQ(r.initialDir, card.Dir().string());
    EXPECT_EQ(r.defaultExt, "txt");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "LED設定(*.txt)");
    EXPECT_EQ(r.filters[1].description, "ＬＥＤ設定(*.lee)");
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"書込み完了"});
    EXPECT_EQ(ReadFileBytes(path), SeteiFile(kStandardLines));

    // Settings 2 writes the choices the buttons show.
    window.OpenInMode(true);
    window.HeikinSouonRadioButton->click();
    chooser.script = {path};
    window.WriteButton->click();
    std::vector<std::string> lines = kStandardLines;
    lines.push_back("$HEIKIN_SOUON_LAMP");
    lines.push_back("$HEIKIN_FUUSOKU_LAMP");
    EXPECT_EQ(ReadFileBytes(path), SeteiFile(lines));
}

TEST_F(SeteiWindow, RefusedInputOpensNoDialog) {
    window.OpenInMode(false);
    window.HyoujyunSeteiButton->click();
    Edit("OndoChk1MinEdit")->setText(QStringLiteral("28"));
    window.WriteButton->click();
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"温度CHK1  エラー"});
    EXPECT_TRUE(chooser.requests.empty());
    // A cancelled dialog writes nothing.
    Edit("OndoChk1MinEdit")->setText(QStringLiteral("27"));
    chooser.script = {std::nullopt};
    window.WriteButton->click();
    EXPECT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(card.Dir()));
}

TEST_F(SeteiWindow, WindOnlyButtonShowsItsNoticesAndTheBands) {
    window.OpenInMode(false);
    window.HyoujyunSeteiButton->click();
    for (const std::string& lamp : kLamps) Edit(lamp.c_str())->setText(QStringLiteral("0"));
    Edit("UryouChkKaitenTouEdit")->setText(QStringLiteral("2"));
    Edit("FuusokuChkKaitenTouEdit")->setText(QStringLiteral("3"));

    window.FuusokuSenyouKaitentouSeteiButton->click();
    EXPECT_EQ(prompter.shown,
              (std::vector<std::string>{kWindOnlyNotice1, kWindOnlyNotice2}));
    EXPECT_EQ(prompter.shown[0], "装置によって風速回転灯が使えない装置もありますのでご注意願います。");
    EXPECT_EQ(window.FuusokuSenyouKaitentouSeteiButton->text(), QStringLiteral("風速回転灯専用設定無効"));
    EXPECT_TRUE(Edit("FuusokuChk1MinEdit")->isVisible());
    EXPECT_TRUE(Edit("FuusokuChk4KaitentouEdit")->isVisible());
    for (const char* label : {"Label44", "Label50", "Label56"})
        EXPECT_TRUE(window.findChild<QLabel*>(QString::fromLatin1(label))->isVisible()) << label;
    for (const std::string& lamp : kLamps) EXPECT_EQ(Text(lamp.c_str()), QStringLiteral("0")) << lamp;
    EXPECT_FALSE(Edit("FuusokuChkKaitenTouEdit")->isEnabled());
    EXPECT_TRUE(Edit("UryouChkKaitenTouEdit")->isEnabled());

    Edit("FuusokuChk1MinEdit")->setText(QStringLiteral("7"));
    prompter.shown.clear();
    window.FuusokuSenyouKaitentouSeteiButton->click();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(window.FuusokuSenyouKaitentouSeteiButton->text(), QStringLiteral("風速回転灯専用設定有効"));
    EXPECT_FALSE(Edit("FuusokuChk1MinEdit")->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("Label44"))->isVisible());
    EXPECT_TRUE(Edit("FuusokuChkKaitenTouEdit")->isEnabled());
    EXPECT_EQ(Text("FuusokuChk1MinEdit"), QStringLiteral("7"));
}

TEST_F(SeteiWindow, OpeningAWindOnlyFileSwitchesTheModeOnQuietly) {
    std::vector<std::string> lines = kStandardLines;
    lines[13] = "$URYOU=010,02";
    for (const char* band : {"$FUUSOKU_SEN_CHK1=01,05,01", "$FUUSOKU_SEN_CHK2=06,10,02",
                             "$FUUSOKU_SEN_CHK3=11,20,03", "$FUUSOKU_SEN_CHK4=21,04"})
        lines.push_back(band);
    const std::string path = card.Path("wind.txt");
    WriteFileBytes(path, SeteiFile(lines));

    window.OpenInMode(false);
    chooser.script = {path};
    window.OpenButton->click();
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileDialogRequest& r = chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Open);
    EXPECT_EQ(r.initialDir, card.Dir().string());
    EXPECT_EQ(r.defaultExt, "lee");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "ＬＥＤ設定(*.txt)");
    EXPECT_EQ(r.filters[1].pattern, "*.lee");
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(window.FuusokuSenyouKaitentouSeteiButton->text(), QStringLiteral("風速回転灯専用設定無効"));
    EXPECT_TRUE(Edit("FuusokuChk3MaxEdit")->isVisible());
    EXPECT_EQ(Text("FuusokuChk3MaxEdit"), QStringLiteral("20"));
    EXPECT_EQ(Text("UryouChkKaitenTouEdit"), QStringLiteral("0"));
    EXPECT_FALSE(Edit("FuusokuChkKaitenTouEdit")->isEnabled());
    EXPECT_EQ(Text("TentouJikanEdit"), QStringLiteral("100"));

    // A failed open switches the mode off and shows what was read before the failure.
    lines[2] = "$SCROLL_JIKAN=99";
    WriteFileBytes(path, SeteiFile(lines));
    chooser.script = {path};
    window.OpenButton->click();
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"スクロール時間エラー"});
    EXPECT_EQ(Text("SyoutouJikanEdit"), QStringLiteral("100"));
    EXPECT_EQ(Text("ScrollJikanEdit"), QString());
    EXPECT_EQ(Text("FuusokuChk3MaxEdit"), QString());
    EXPECT_FALSE(Edit("FuusokuChk3MaxEdit")->isVisible());
    EXPECT_TRUE(Edit("FuusokuChkKaitenTouEdit")->isEnabled());

    // A cancelled dialog changes nothing (いいえ to the edited field's question first).
    Edit("ScrollJikanEdit")->setText(QStringLiteral("9"));
    prompter.saveChoices = {SaveChoice::Discard};
    chooser.script = {std::nullopt};
    window.OpenButton->click();
    EXPECT_EQ(Text("ScrollJikanEdit"), QStringLiteral("9"));
    EXPECT_EQ(Text("SyoutouJikanEdit"), QStringLiteral("100"));
}

TEST_F(SeteiWindow, SettingsChoicesAreReadIntoTheButtons) {
    std::vector<std::string> lines = kStandardLines;
    lines.push_back("$HEIKIN_SOUON_LAMP");
    lines.push_back("$SYUNKAN_FUUSOKU_LAMP");
    const std::string path = card.Path("two.txt");
    WriteFileBytes(path, SeteiFile(lines));
    window.OpenInMode(true);
    chooser.script = {path};
    window.OpenButton->click();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(window.HeikinSouonRadioButton->isChecked());
    EXPECT_FALSE(window.SyunkanSouonRadioButton->isChecked());
    EXPECT_TRUE(window.SyunkanFuusokuRadioButton->isChecked());
    EXPECT_FALSE(window.HeikinFuusokuRadioButton->isChecked());
}

TEST_F(SeteiWindow, CancelHidesAndKeepsTheTexts) {
    window.OpenInMode(true);
    window.HyoujyunSeteiButton->click();
    Edit("ScrollJikanEdit")->setText(QStringLiteral("12"));
    window.SyunkanFuusokuRadioButton->click();
    window.CancelButton->click();
    EXPECT_FALSE(window.isVisible());
    window.OpenInMode(false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Text("ScrollJikanEdit"), QStringLiteral("12"));
    EXPECT_EQ(Text("TentouJikanEdit"), QStringLiteral("100"));
    EXPECT_TRUE(window.SyunkanFuusokuRadioButton->isChecked());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SeteiWindow, TheValuesReadAreShownBeforeTheReadsMessage) {
    std::vector<std::string> lines = kStandardLines;
    lines[0] = "$TENTOU_JIKAN=00250";
    const std::string one = card.Path("one.txt");
    WriteFileBytes(one, SeteiFile(lines));
    lines[4] = "$TCHK2=128,030";
    const std::string broken = card.Path("broken.txt");
    WriteFileBytes(broken, SeteiFile(lines));

    std::vector<std::string> seen;
    prompter.onInform = [&](const std::string& text) {
        seen.push_back(text + " | " + Text("TentouJikanEdit").toStdString() + " " +
                       Text("OndoChk1MaxEdit").toStdString() + " " + Text("OndoChk3Edit").toStdString());
    };
    // A settings 1 file opened as settings 2: the notice comes over the values read.
    window.OpenInMode(true);
    chooser.script = {one, broken};
    window.OpenButton->click();
    // A failed read: the lines before the failing one are on screen, the rest empty.
    window.OpenButton->click();
    EXPECT_EQ(seen, (std::vector<std::string>{std::string(kSettings1FileNotice) + " | 250 27 31",
                                              "温度 Chk2 エラー | 250 27 "}));
}

}  // namespace
}  // namespace tesslor::test
