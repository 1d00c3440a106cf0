// What a new user met in the editor: a demo that never appeared, a good file
// emptied after a failed open, the LED data format written into an old file,
// English dialogs, a drive folder that is not there, a text picture saved
// over the file opened before it, and messages and questions from the card
// window that did not say which file or work they were about.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "GuiHarness.h"
#include "app/Drives.h"
#include "makers/Mongonhensyuu.h"
#include "settings/Setei2unit.h"
#include "settings/SettingsKinds.h"

namespace tesslor::test {
namespace {

// Runs the demo from the menu; while it shows, checks its size and closes it
// with Escape as an operator would.
void RunDemoAndEscape(Editor& e, QSize expectedClient) {
    auto& demo = e.windows->DemoForm();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = demo.isVisible();
        EXPECT_FALSE(e.Main().isVisible());
        EXPECT_EQ(demo.size(), expectedClient + QSize(0, gui::kDemoButtonStripHeight));  // and the GIF button's strip
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&demo, &escape);
        EXPECT_FALSE(demo.isVisible()) << "Escape did not close the demo";
        if (demo.isVisible()) demo.reject();  // keep the test from hanging
    });
    e.Main().Demonstration->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(demo.isVisible());
    EXPECT_TRUE(e.Main().isVisible());
}

TEST(NewUser, TheDemoAppearsAndClosesWhateverThePanelCounts) {
    {
        Editor e("[Led]\nTateMaisuu=0\n");
        RunDemoAndEscape(e, QSize(480, 96));
    }
    {
        Editor e("[Led]\nYokoMaisuu=-3\nTateMaisuu=-1\n");
        Editor::Choose(e.Main().DisplayModeComboBox, 4);  // scrolling
        RunDemoAndEscape(e, QSize(96, 96));
    }
    {
        Editor e("[Led]\nYokoMaisuu=2\nTateMaisuu=1\n");
        RunDemoAndEscape(e, QSize(192, 96));
    }
}

class NewUserFiles : public ::testing::Test {
protected:
    NewUserFiles() : e(("[User]\nUser=root\n[DriveRoots]\nC=" + card.Dir().string() + "\n").c_str()) {}
    void Draw(int x, int y) { e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(x, y)); }
    TempDir card;
    Editor e;
};

TEST_F(NewUserFiles, AFailedOpenLeavesTheEditorAsItWasAndTheGoodFileSafe) {
    const std::string good = card.Path("GOOD.lee");
    for (int x = 0; x < 40; ++x) Draw(x, 3);
    Editor::Choose(e.Main().DisplayModeComboBox, 1);  // 反転
    e.chooser.script = {good};
    e.Main().FileWriteName->trigger();
    const std::string goodBytes = ReadFileBytes(good);
    ASSERT_GT(goodBytes.size(), 47u * 32u);
    Draw(50, 5);  // unsaved work

    const std::string broken = card.Path("BROKEN.lee");
    std::string brokenBytes = goodBytes;
    brokenBytes.replace(brokenBytes.find("#END_OF_LED_DATA_FILE"), 21, "#END_OF_SOMETHING_ELSE");
    WriteFileBytes(broken, brokenBytes);
    const std::string brokenOld = card.Path("BROKEN.led");
    WriteFileBytes(brokenOld, "00,00,\r\n");

    for (QAction* open : {e.Main().FileOpen, e.Main().OldFileOpen}) {
        e.prompter.answers = {true};
        e.chooser.script = {open == e.Main().FileOpen ? broken : brokenOld};
        open->trigger();
        EXPECT_EQ(e.Doc().FileName, good);
        EXPECT_TRUE(e.Doc().Modified());  // the unsaved dot is still unsaved
        EXPECT_EQ(e.Doc().DotColor(50, 5), kLedRed);
        EXPECT_EQ(e.Doc().DotColor(39, 3), kLedRed);
        EXPECT_EQ(e.Main().DisplayModeComboBox->currentIndex(), 1);
        EXPECT_TRUE(e.Main().ReverseModeColorRadioGroup->isEnabled());
    }
    EXPECT_EQ(e.prompter.shown.back(), "ファイルデータエラー");

    // Ctrl+S now saves what is on screen, not an empty picture.
    e.Main().FileWrite->trigger();
    const std::string saved = ReadFileBytes(good);
    EXPECT_GT(saved.size(), goodBytes.size());  // 64 columns now, 48 before
    EXPECT_NE(saved.find("$050:0400,"), std::string::npos);
}

TEST_F(NewUserFiles, OverwriteSaveNeverPutsLedDataIntoAnOldFile) {
    Draw(0, 0);
    const std::string old = card.Path("OLD.led");
    e.chooser.script = {old};
    e.Main().OldFileWrite->trigger();
    ASSERT_EQ(e.Doc().FileName, old);
    const std::string oldBytes = ReadFileBytes(old);
    ASSERT_EQ(oldBytes.substr(0, 6), "80,00,");

    Draw(1, 0);
    e.chooser.script = {std::nullopt};
    e.Main().UwagakiHozonButton->click();
    ASSERT_EQ(e.chooser.requests.size(), 2u);  // asked for a name instead of writing
    EXPECT_EQ(e.chooser.requests.back().fileName, card.Path("OLD.lee"));
    EXPECT_EQ(e.chooser.requests.back().defaultExt, "lee");
    EXPECT_EQ(ReadFileBytes(old), oldBytes);
    EXPECT_TRUE(e.Doc().Modified());

    e.chooser.script = {card.Path("OLD.lee")};
    e.Main().FileWrite->trigger();
    EXPECT_EQ(ReadFileBytes(old), oldBytes);
    EXPECT_EQ(ReadFileBytes(card.Path("OLD.lee")).substr(0, 14), "#LED_DATA_FILE");
    EXPECT_EQ(e.Doc().FileName, card.Path("OLD.lee"));
    EXPECT_FALSE(e.Doc().Modified());
}

TEST_F(NewUserFiles, AFailedSaveShowsItsMessageAndKeepsTheEarlierFile) {
    Draw(0, 0);
    const std::string path = card.Path("PIC.lee");
    e.chooser.script = {path};
    e.Main().FileWriteName->trigger();
    const std::string earlier = ReadFileBytes(path);
    Draw(20, 20);
    e.files.failAtWrite = e.files.writes + 30;  // the card is pulled halfway through
    e.Main().UwagakiHozonButton->click();
    EXPECT_EQ(e.prompter.shown.back(), "ファイルライトエラー");
    EXPECT_EQ(ReadFileBytes(path), earlier);
    EXPECT_TRUE(e.Doc().Modified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(card.Dir()), {}), 1);  // no temporary left behind
}

TEST_F(NewUserFiles, TextDrawnOverAnOpenedFrameAsksForANameInsteadOfOverwritingTheFrame) {
    const std::string frame = card.Path("FRAME1.lee");
    WriteTestPicture(frame, "03", 40, 2, kLedGreen);
    const std::string frameBytes = ReadFileBytes(frame);
    e.chooser.script = {frame};
    e.Main().FileOpen->trigger();
    ASSERT_EQ(e.Doc().FileName, frame);

    auto& w = e.windows->MongonHensyuuForm();
    w.TmpBitmapPath = e.dir.Path("tmp.bmp");
    Editor::TypeInto(w.X_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.Y_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("■"));
    w.MakeDataButton->click();
    EXPECT_EQ(e.Doc().DotColor(40, 2), kOff);
    EXPECT_EQ(e.Doc().FileName, "");
    EXPECT_TRUE(e.Doc().Modified());
    EXPECT_EQ(e.Main().FileStatusLabel->text(), QStringLiteral("新規 (未保存)"));

    e.prompter.shown.clear();
    e.chooser.script = {std::nullopt};
    const std::size_t asked = e.chooser.requests.size();
    e.Main().UwagakiHozonButton->click();
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"ファイルなし"});
    ASSERT_EQ(e.chooser.requests.size(), asked + 1);
    EXPECT_EQ(e.chooser.requests.back().kind, FileDialogKind::Save);
    EXPECT_EQ(e.chooser.requests.back().initialDir, card.Dir().string());
    EXPECT_EQ(ReadFileBytes(frame), frameBytes);
    EXPECT_TRUE(e.Doc().Modified());

    // One undo gives the frame back under its name, as its file holds it.
    e.Main().UndoClick();
    EXPECT_EQ(e.Doc().FileName, frame);
    EXPECT_FALSE(e.Doc().Modified());
    EXPECT_EQ(e.Doc().DotColor(40, 2), kLedGreen);
}

// A double-click on the card window's row of name.
void OpenFromCard(Editor& e, const std::string& name) {
    gui::TCardForm& card = e.windows->CardForm();
    for (int r = 0; r < card.FileTable->rowCount(); ++r)
        if (card.FileTable->item(r, gui::kCardName)->text().toStdString() == name) return card.OpenRow(r);
    ADD_FAILURE() << name << " is not on the card";
}

TEST_F(NewUserFiles, AFileFromTheCardThatCannotBeReadIsNamedInItsMessage) {
    const std::string good = card.Path("kion.lee");
    WriteTestPicture(good, "01", 3, 3, kLedRed);
    std::string broken = ReadFileBytes(good);
    broken.replace(broken.find("#END_OF_LED_DATA_FILE"), 21, "#END_OF_SOMETHING_ELSE");
    WriteFileBytes(card.Path("waku.lee"), broken);
    std::unique_ptr<SettingsForm> settings = NewSettingsForm("settings3");
    settings->Standard();
    ScriptedPrompter quiet;
    ASSERT_TRUE(WriteSettingsFile(*settings, RealFileSystem(), card.Path("setei.txt"), quiet.shown));
    std::string badSettings = ReadFileBytes(card.Path("setei.txt"));
    badSettings.replace(badSettings.find("$TCHK1=001,027,no,no"), 20, "$TCHK1=001,027,05,no");
    WriteFileBytes(card.Path("setei.txt"), badSettings);

    // Through 開く the operator has just picked the file: the reader's message as it stands.
    e.chooser.script = {card.Path("waku.lee")};
    e.Main().FileOpen->trigger();
    ASSERT_FALSE(e.prompter.shown.empty());
    const std::string readerMessage = e.prompter.shown.back();

    e.windows->CardForm().ShowFolder(card.Dir().string());
    e.prompter.shown.clear();
    OpenFromCard(e, "waku.lee");
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"waku.lee: " + readerMessage});
    OpenFromCard(e, "kion.lee");
    EXPECT_EQ(e.Doc().FileName, good);
    EXPECT_EQ(e.prompter.shown.size(), 1u);  // a good file says nothing

    e.prompter.shown.clear();
    OpenFromCard(e, "setei.txt");
    EXPECT_NE(std::find(e.prompter.shown.begin(), e.prompter.shown.end(), "setei.txt: 温度 Chk1 エラー"),
              e.prompter.shown.end())
        << e.prompter.shown.size();
    e.windows->Setei2Form().hide();
    e.windows->CardForm().hide();
}

TEST_F(NewUserFiles, TextFromTheCardAsksWhoseUnsavedTextItWouldReplace) {
    auto& w = e.windows->MongonHensyuuForm();
    Editor::TypeInto(w.X_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.Y_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("温度"));
    e.chooser.script = {card.Path("kion.mon")};
    w.FileReNameWriteButtonClick();
    ASSERT_EQ(w.Form().CurrentFile, card.Path("kion.mon"));
    std::filesystem::copy_file(card.Path("kion.mon"), card.Path("waku.mon"));
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("騒音"));

    e.windows->CardForm().ShowFolder(card.Dir().string());
    e.prompter.shown.clear();
    e.prompter.saveChoices = {SaveChoice::Discard};
    OpenFromCard(e, "waku.mon");
    EXPECT_EQ(e.prompter.shown,
              std::vector<std::string>{"文言編集の文言（kion.mon）を waku.mon で置き換えます。\n保存しますか？"});
    EXPECT_EQ(w.MojiEdit(0)->text(), QStringLiteral("温度"));
    EXPECT_EQ(w.Form().CurrentFile, card.Path("waku.mon"));

    // The editor's own 開く asks as it always has.
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("騒音"));
    e.prompter.shown.clear();
    e.prompter.saveChoices = {SaveChoice::Discard};
    e.chooser.script = {std::nullopt};
    w.FileReadButtonClick();
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存しますか？"});
    w.hide();
    e.windows->CardForm().hide();
}

TEST(NewUser, DialogsSpeakJapanese) {
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
    const QString replace = QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_NE(replace, QStringLiteral("%1 already exists.\nDo you want to replace it?"));
    EXPECT_TRUE(replace.contains(QStringLiteral("%1")));
}

TEST(NewUser, AMissingDriveFolderFallsBackToHomeAndSaysSoOnce) {
    TempDir card;
    const std::string missing = card.Path("CARD");
    Editor e(("[DriveRoots]\nC=" + missing + "\n").c_str());
    e.chooser.script = {std::nullopt, std::nullopt};
    e.Main().FileOpen->trigger();
    e.Main().FileOpen->trigger();
    ASSERT_EQ(e.chooser.requests.size(), 2u);
    EXPECT_EQ(e.chooser.requests[0].initialDir, HomeFolder());
    EXPECT_EQ(e.chooser.requests[1].initialDir, HomeFolder());
    ASSERT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_NE(e.prompter.shown[0].find(missing), std::string::npos);
}

}  // namespace
}  // namespace tesslor::test
