// The settings 3 window: its controls, the band enabling and colours, the
// check, and writing and opening through the dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "TestSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/Setei2unit.h"

namespace tesslor::test {
namespace {

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSilver(0xC0, 0xC0, 0xC0);

class Setei2Window : public ::testing::Test {
protected:
    Setei2Window()
        : context{prompter, chooser, RealFileSystem(), config, [this] { return card.Dir().string(); }},
          window(context) {
        window.show();
    }

    QLineEdit* Edit(const char* name) { return window.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* List(const char* name) { return window.findChild<QComboBox*>(QString::fromLatin1(name)); }
    QCheckBox* Box(const char* name) { return window.findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); }

    // Whether the four controls of a switchable band are in use, and coloured so.
    void ExpectBand(const char* stem, bool on) {
        const std::string s(stem);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 Edit((s + "MinEdit").c_str()), Edit((s + "MaxEdit").c_str()), List((s + "KaitenComboBox").c_str()),
                 List((s + "MongonComboBox").c_str())}) {
            ASSERT_NE(w, nullptr) << stem;
            EXPECT_EQ(w->isEnabled(), on) << w->objectName().toStdString();
            EXPECT_EQ(w->palette().color(QPalette::Base), on ? kWhite : kSilver) << w->objectName().toStdString();
        }
    }

    std::string StandardBytes() {
        Setei3Form form;
        form.Standard();
        MemoryOutputFile out;
        EXPECT_TRUE(form.WriteLines(out, test::Said(prompter)));
        return out.Bytes();
    }

    TempDir card;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    StartupConfig config;
    gui::WindowContext context;
    gui::TSetei2Form window;
};

TEST_F(Setei2Window, ControlsCarryTheirNamesWidthsAndItems) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("設定３"));
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(Edit("TentouJikanEdit")->maxLength(), 5);
    EXPECT_EQ(Edit("OndoChkZeroMaxEdit")->maxLength(), 3);
    EXPECT_EQ(Edit("FuusokuChk2MaxEdit")->maxLength(), 2);
    EXPECT_EQ(List("OndoChkZeroKaitenComboBox")->count(), 5);
    EXPECT_TRUE(List("OndoChkZeroKaitenComboBox")->isEditable());
    EXPECT_EQ(List("WbgtChk4MongonComboBox")->itemText(3), QStringLiteral("10"));
    EXPECT_EQ(List("Wbgt8SegComboBox")->count(), 5);
    EXPECT_EQ(List("Wbgt8SegComboBox")->itemText(4), QString());
    EXPECT_EQ(List("Ondo8SegComboBox")->count(), 4);
    EXPECT_EQ(window.HeikinFuusokuRadioButton->text(), QStringLiteral("平均風速(10分)"));
    EXPECT_EQ(window.FuusokuGroupBox->objectName(), QStringLiteral("FuusokuGroupBox"));
    EXPECT_EQ(window.GModeCheckBox->text(), QStringLiteral("Gモードチェック"));
    for (const char* name : {"OpenButton", "WriteButton", "CancelButton", "HyoujyunSeteiButton", "SeteiChkButton"})
        EXPECT_NE(Button(name), nullptr) << name;
    // The unit's normal message numbers stand beside their quantity's bands.
    auto labels = [this](const char* panel) {
        QStringList texts;
        for (QLabel* l : window.findChild<QGroupBox*>(QString::fromLatin1(panel))->findChildren<QLabel*>())
            texts << l->text();
        return texts;
    };
    EXPECT_TRUE(labels("FuusokuPanel").contains(QStringLiteral("(44\u3000：")));
    EXPECT_TRUE(labels("FuusokuPanel").contains(QStringLiteral("平均風速)")));
    EXPECT_TRUE(labels("OndoPanel").contains(QStringLiteral("(38)")));
    EXPECT_FALSE(labels("UryouPanel").join(QString()).contains(QLatin1Char('(')));
    // Every control of the form has its widget.
    for (const FieldInfo& f : window.Form().Fields())
        EXPECT_NE(window.findChild<QWidget*>(QString::fromStdString(f.Name)), nullptr) << f.Name;

    Button("CancelButton")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Setei2Window, BandEnablingAndColoursFollowTheBoxes) {
    ExpectBand("SouonChk1", false);
    ExpectBand("FuusokuChk2", false);
    EXPECT_EQ(Edit("SouonChk3MinEdit")->palette().color(QPalette::Base), kWhite);
    EXPECT_TRUE(List("OndoChk1KaitenComboBox")->isEnabled());

    Box("SouonChk1CheckBox")->click();
    ExpectBand("SouonChk1", true);
    ExpectBand("SouonChk2", false);
    Box("FuusokuChk2CheckBox")->setChecked(true);
    ExpectBand("FuusokuChk2", true);

    Button("HyoujyunSeteiButton")->click();
    ExpectBand("SouonChk1", false);
    ExpectBand("FuusokuChk2", false);

    // A disabled band's lamp counts as none: the check passes.
    Box("SouonChk1CheckBox")->click();
    List("SouonChk1KaitenComboBox")->setEditText(QStringLiteral("3"));
    List("OndoChk1KaitenComboBox")->setEditText(QStringLiteral("3"));
    Box("SouonChk1CheckBox")->click();
    Button("SeteiChkButton")->click();
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"設定チェック\u3000OK"});
}

TEST_F(Setei2Window, StandardCheckAndWriteGiveTheGoldenFile) {
    Button("HyoujyunSeteiButton")->click();
    EXPECT_EQ(Edit("WbgtChk4MinEdit")->text(), QStringLiteral("28"));
    EXPECT_EQ(List("CO28SegComboBox")->currentText(), QStringLiteral("右"));
    EXPECT_TRUE(window.SyunkanSouonRadioButton->isChecked());
    EXPECT_TRUE(window.HeikinFuusokuRadioButton->isChecked());
    Button("SeteiChkButton")->click();
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"設定チェック\u3000OK"});

    const std::string path = card.Path("setei.txt");
    chooser.script = {path};
    Button("WriteButton")->click();
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileDialogRequest& r = chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Save);
    EXPECT_EQ(r.fileName, "setei.txt");
    EXPECT_EQ(r.initialDir, card.Dir().string());
    EXPECT_EQ(r.defaultExt, "txt");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "LED設定(*.txt)");
    EXPECT_EQ(r.filters[1].description, "ＬＥＤ設定(*.lee)");
    EXPECT_EQ(prompter.shown.back(), "書込み完了");
    EXPECT_EQ(ReadFileBytes(path), StandardBytes());
    EXPECT_NE(ReadFileBytes(path).find("$TCHK0=xxx,000,no,no          \r\n"), std::string::npos);

    // A refused check asks for no file.
    Edit("OndoChk1MinEdit")->setText(QStringLiteral("28"));
    Button("WriteButton")->click();
    EXPECT_EQ(prompter.shown.back(), "温度CHK1  エラー");
    EXPECT_EQ(chooser.requests.size(), 1u);
}

TEST_F(Setei2Window, OpeningRestoresTheWidgetsAndTheirEnabling) {
    Setei3Form written;
    written.Standard();
    written.SetChecked("UryouChk2CheckBox", true);
    written.SetText("UryouChk2MinEdit", "5");
    written.SetText("UryouChk2MaxEdit", "250");
    written.SetText("UryouChk2KaitenComboBox", "2");
    written.SetText("FuusokuChk3MongonComboBox", "10");
    written.SetText("Sindou8SegComboBox", "no");
    written.SetChecked("HeikinSouonRadioButton", true);
    written.SetChecked("GModeCheckBox", true);
    const std::string path = card.Path("open.txt");
    ASSERT_TRUE(WriteSettingsFile(written, RealFileSystem(), path, prompter.shown));
    prompter.shown.clear();

    Edit("TentouJikanEdit")->setText(QStringLiteral("77"));
    prompter.saveChoices = {SaveChoice::Discard};
    chooser.script = {path};
    Button("OpenButton")->click();
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].kind, FileDialogKind::Open);
    EXPECT_EQ(chooser.requests[0].initialDir, card.Dir().string());
    EXPECT_EQ(chooser.requests[0].defaultExt, "lee");
    EXPECT_EQ(chooser.requests[0].filters[0].description, "ＬＥＤ設定(*.txt)");
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？", path + "読み込み完了"}));
    EXPECT_EQ(Edit("TentouJikanEdit")->text(), QStringLiteral("100"));
    EXPECT_EQ(Edit("UryouChk2MaxEdit")->text(), QStringLiteral("250"));
    EXPECT_EQ(List("UryouChk2KaitenComboBox")->currentText(), QStringLiteral("2"));
    EXPECT_EQ(List("FuusokuChk3MongonComboBox")->currentText(), QStringLiteral("10"));
    EXPECT_TRUE(window.HeikinSouonRadioButton->isChecked());
    EXPECT_FALSE(window.SyunkanSouonRadioButton->isChecked());
    EXPECT_TRUE(window.GModeCheckBox->isChecked());
    ExpectBand("UryouChk2", true);
    ExpectBand("UryouChk1", false);

    // A failed open shows what was read before the failing line.
    std::string bytes = ReadFileBytes(path);
    bytes.replace(bytes.find("$TCHK2=028"), 10, "$TCHK2=128");
    WriteFileBytes(path, bytes);
    chooser.script = {path};
    Button("OpenButton")->click();
    EXPECT_EQ(prompter.shown.back(), "温度 Chk2 エラー");
    EXPECT_EQ(Edit("OndoChk1MaxEdit")->text(), QStringLiteral("27"));
    EXPECT_EQ(Edit("OndoChk3MinEdit")->text(), QString());
    EXPECT_FALSE(window.GModeCheckBox->isChecked());
    ExpectBand("UryouChk2", false);
    EXPECT_EQ(Edit("UryouChk2MaxEdit")->text(), QStringLiteral("250")) << "kept by the clearing";
}

// 開く over edited fields asks "保存しますか？": キャンセル (Escape) keeps
// them and opens nothing; はい writes them through 書込み's dialog first,
// and a write that does not happen opens nothing; いいえ opens. Unedited
// fields, also after 標準設定 was written, are not asked about.
TEST_F(Setei2Window, OpenAsksBeforeReplacingEditedFields) {
    Setei3Form standard;
    standard.Standard();
    const std::string other = card.Path("other.txt"), kept = card.Path("kept.txt");
    ASSERT_TRUE(WriteSettingsFile(standard, RealFileSystem(), other, prompter.shown));
    Button("HyoujyunSeteiButton")->click();
    Edit("TentouJikanEdit")->setText(QStringLiteral("555"));
    prompter.shown.clear();
    prompter.saveChoices = {SaveChoice::Cancel, SaveChoice::Save};
    chooser.script = {std::nullopt};
    Button("OpenButton")->click();
    Button("OpenButton")->click();  // はい, its dialog cancelled
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？", "保存しますか？"}));
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(Edit("TentouJikanEdit")->text(), QStringLiteral("555"));

    prompter.saveChoices = {SaveChoice::Save};
    chooser.script = {kept, other};
    Button("OpenButton")->click();
    EXPECT_NE(ReadFileBytes(kept).find("$TENTOU_JIKAN=00555"), std::string::npos);
    EXPECT_EQ(Edit("TentouJikanEdit")->text(), QStringLiteral("100"));

    // Read and not edited since: 開く goes straight to its dialog.
    prompter.shown.clear();
    chooser.script = {kept};
    Button("OpenButton")->click();
    EXPECT_EQ(prompter.shown, std::vector<std::string>{kept + "読み込み完了"});
    Edit("TentouJikanEdit")->setText(QStringLiteral("444"));
    prompter.saveChoices = {SaveChoice::Discard};
    chooser.script = {other};
    Button("OpenButton")->click();
    EXPECT_EQ(Edit("TentouJikanEdit")->text(), QStringLiteral("100"));
    EXPECT_TRUE(prompter.saveChoices.empty());
}

TEST_F(Setei2Window, ColumnsLineUpFromGroupToGroup) {
    QApplication::processEvents();
    auto x = [this](QWidget* w) { return w->mapTo(&window, QPoint(0, 0)).x(); };
    // WBGT under temperature, rain and wind under noise and vibration.
    for (const char* column : {"Chk1MinEdit", "Chk1MaxEdit", "Chk1KaitenComboBox", "Chk1MongonComboBox"}) {
        const std::string c(column);
        auto control = [&](const std::string& stem) -> QWidget* {
            return window.findChild<QWidget*>(QString::fromStdString(stem + c));
        };
        EXPECT_EQ(x(control("Wbgt")), x(control("Ondo"))) << column;
        for (const char* stem : {"Sindou", "Uryou", "Fuusoku"}) EXPECT_EQ(x(control(stem)), x(control("Souon"))) << stem << column;
    }
}

TEST_F(Setei2Window, TheValuesReadAreShownBeforeTheReadsMessage) {
    Setei3Form written;
    written.Standard();
    written.SetText("TentouJikanEdit", "250");
    written.SetChecked("SouonChk1CheckBox", true);
    written.SetText("SouonChk1MinEdit", "80");
    written.SetText("SouonChk1MaxEdit", "90");
    written.SetText("SouonChk1KaitenComboBox", "3");
    const std::string path = card.Path("held.txt");
    ASSERT_TRUE(WriteSettingsFile(written, RealFileSystem(), path, prompter.shown));
    std::string bytes = ReadFileBytes(path);
    const std::string good = bytes;
    bytes.replace(bytes.find("$WCHK1=022"), 10, "$WCHK1=122");
    WriteFileBytes(card.Path("broken.txt"), bytes);

    // What each message box had behind it while it was up.
    std::vector<std::string> seen;
    prompter.onInform = [&](const std::string& text) {
        seen.push_back(text + " | " + Edit("TentouJikanEdit")->text().toStdString() + " " +
                       Edit("SouonChk1MaxEdit")->text().toStdString() + " " +
                       List("SouonChk1KaitenComboBox")->currentText().toStdString() + " " +
                       (Box("SouonChk1CheckBox")->isChecked() ? "on" : "off") + " " +
                       Edit("OndoChk1MaxEdit")->text().toStdString());
    };
    Edit("TentouJikanEdit")->setText(QStringLiteral("77"));
    // Each open replaces an edited field: いいえ to "保存しますか？" each time.
    prompter.saveChoices.assign(3, SaveChoice::Discard);
    chooser.script = {path, card.Path("broken.txt"), card.Path("missing.txt")};
    Button("OpenButton")->click();
    // A read that fails part way shows the lines read before it (temperature) already.
    Edit("TentouJikanEdit")->setText(QStringLiteral("77"));
    Button("OpenButton")->click();
    // A file that does not open leaves the fields as they were.
    Edit("TentouJikanEdit")->setText(QStringLiteral("66"));
    Button("OpenButton")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{path + "読み込み完了 | 250 90 3 on 27", "WBGT Chk1 エラー | 250  no off 27",
                                              card.Path("missing.txt") + "オープンエラー | 66  no off 27"}));
}

}  // namespace
}  // namespace tesslor::test
