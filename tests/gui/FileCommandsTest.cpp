// The file commands' flows through the discard question and the dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "GuiHarness.h"

namespace tesslor::test {
namespace {

class FileCommands : public ::testing::Test {
protected:
    FileCommands() : e(("[User]\nUser=root\n[DriveRoots]\nC=" + cardDir.Dir().string() + "\n").c_str()) {}
    void Draw(int x, int y) { e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(x, y)); }
    TempDir cardDir;
    Editor e;
};

TEST_F(FileCommands, OpenRefusedOrCancelledChangesNothing) {
    Draw(1, 1);
    e.prompter.answers = {false};
    e.Main().FileOpen->trigger();
    EXPECT_TRUE(e.chooser.requests.empty());  // no dialog after No
    EXPECT_EQ(e.Doc().DotColor(1, 1), kLedRed);

    e.prompter.answers = {true};
    e.chooser.script = {std::nullopt};
    e.Main().FileOpen->trigger();
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_EQ(e.chooser.requests[0].initialDir, cardDir.Dir().string());
    EXPECT_EQ(e.chooser.requests[0].fileName, "");
    EXPECT_EQ(e.chooser.requests[0].filters[0].description, "ＬＥＤデータファイル(*.lee)");
    EXPECT_EQ(e.Doc().DotColor(1, 1), kLedRed);
    EXPECT_TRUE(e.Doc().Modified());

    // Closing still asks.
    e.prompter.answers = {false};
    EXPECT_FALSE(e.Main().close());
    EXPECT_EQ(e.prompter.shown.size(), 3u);
}

TEST_F(FileCommands, SaveOfANewPictureAsksForANameAtTheDriveRoot) {
    Draw(0, 0);
    const std::string path = cardDir.Path("pic.lee");
    e.chooser.script = {path};
    e.Main().UwagakiHozonButton->click();
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"ファイルなし"});
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    const auto& r = e.chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Save);
    EXPECT_EQ(r.initialDir, cardDir.Dir().string());
    EXPECT_EQ(r.title, "LEDデータファイルを保存する");
    EXPECT_EQ(r.defaultExt, "lee");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(e.Doc().FileName, path);
    EXPECT_FALSE(e.Doc().Modified());
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 47u * 32u);
    EXPECT_NE(bytes.find("$000:8000,0000,0000,0000,0000,\r\n"), std::string::npos);

    // Ctrl+S writes to the same file without a dialog.
    Draw(1, 0);
    e.Main().FileWrite->trigger();
    EXPECT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_NE(ReadFileBytes(path).find("$001:8000,"), std::string::npos);
}

TEST_F(FileCommands, OpenBringsTheSettingsIntoTheBar) {
    Draw(3, 3);
    Editor::Choose(e.Main().DisplayModeComboBox, 4);
    Editor::Choose(e.Main().SounyuuMojiComboBox, 1);
    Editor::Choose(e.Main().SounyuuItiComboBox, 3);
    Editor::TypeInto(e.Main().NiniItiMaskEdit, "123");
    Editor::TypeInto(e.Main().WriteNoMaskComboBox->lineEdit(), "42");
    const std::string path = cardDir.Path("settings.lee");
    e.chooser.script = {path};
    e.Main().FileWriteName->trigger();
    ASSERT_FALSE(e.Doc().Modified());

    e.Main().NewFileOpen->trigger();
    Editor::Choose(e.Main().DisplayModeComboBox, 0);
    Editor::TypeInto(e.Main().WriteNoMaskComboBox->lineEdit(), "3");
    e.prompter.answers = {true};
    e.chooser.script = {path};
    e.Main().FileOpen->trigger();
    auto& m = e.Main();
    EXPECT_EQ(m.WriteNoMaskComboBox->currentText(), QStringLiteral("42"));
    EXPECT_EQ(m.DisplayModeComboBox->currentIndex(), 4);
    EXPECT_EQ(m.SounyuuMojiComboBox->currentIndex(), 1);
    EXPECT_EQ(m.SounyuuItiComboBox->currentIndex(), 3);
    EXPECT_EQ(m.NiniItiMaskEdit->text(), QStringLiteral("123"));
    EXPECT_TRUE(m.NiniItiMaskEdit->isEnabled());  // the enabling rules ran
    EXPECT_EQ(e.Doc().DotColor(3, 3), kLedRed);
    EXPECT_EQ(e.Doc().FileName, path);
    EXPECT_FALSE(e.Doc().Modified());
}

TEST_F(FileCommands, NewKeepsTheSettingsAndBitmapOpenLeavesTheBar) {
    Editor::Choose(e.Main().DisplayModeComboBox, 2);
    Editor::TypeInto(e.Main().WriteNoMaskComboBox->lineEdit(), "7");
    Draw(2, 2);
    e.prompter.answers = {true};
    e.Main().NewFileOpen->trigger();
    EXPECT_EQ(e.Doc().LastUsedColumn(), -1);
    EXPECT_EQ(e.Main().DisplayModeComboBox->currentIndex(), 2);
    EXPECT_EQ(e.Doc().DisplayModeCode(), 'C');
    EXPECT_EQ(e.Doc().WriteNoText(), "7");
    EXPECT_FALSE(e.Doc().Modified());

    // Export a picture, then import it back.
    Draw(17, 5);
    const std::string bmp = cardDir.Path("p.bmp");
    e.chooser.script = {bmp};
    e.Main().BmpFileWrite->trigger();
    EXPECT_TRUE(e.Doc().Modified());  // exporting is not saving
    ASSERT_TRUE(std::filesystem::exists(bmp));
    EXPECT_EQ(e.chooser.requests.back().title, "ビットマップファイルの保存");
    e.prompter.answers = {true};
    e.chooser.script = {bmp};
    Editor::Choose(e.Main().DisplayModeComboBox, 5);
    e.Main().BmpFileOpen->trigger();
    EXPECT_EQ(e.Doc().DotColor(17, 5), kLedRed);
    EXPECT_EQ(e.Main().DisplayModeComboBox->currentIndex(), 5);
    EXPECT_EQ(e.Main().WriteNoMaskComboBox->currentText(), QStringLiteral("7"));
    EXPECT_TRUE(e.Doc().Modified());  // no LED data file holds the converted picture
    EXPECT_NE(e.Main().WorkImage(), nullptr);
}

// A bitmap opened over a named picture is a new picture: the next 上書き保存
// must not replace the file the earlier picture came from.
TEST_F(FileCommands, ABitmapOpenedOverANamedPictureNeverReplacesItsFile) {
    Draw(40, 9);
    const std::string logo = cardDir.Path("logo.bmp");
    e.chooser.script = {logo};
    e.Main().BmpFileWrite->trigger();
    e.Main().ClearPictureAction->trigger();
    Draw(3, 3);
    const std::string kion = cardDir.Path("kion.lee");
    e.chooser.script = {kion};
    e.Main().FileWriteName->trigger();
    ASSERT_EQ(e.Doc().FileName, kion);
    const std::string kionBytes = ReadFileBytes(kion);

    e.chooser.script = {logo};
    e.Main().BmpFileOpen->trigger();
    EXPECT_EQ(e.Doc().DotColor(40, 9), kLedRed);
    EXPECT_EQ(e.Doc().FileName, "");
    EXPECT_TRUE(e.Main().FileStatusLabel->text().contains(QStringLiteral("(未保存)")));
    EXPECT_FALSE(e.Main().FileStatusLabel->text().contains(QStringLiteral("kion")));

    // 上書き保存 asks for a name; cancelled, nothing is written.
    e.prompter.shown.clear();
    e.chooser.script = {std::nullopt};
    e.Main().UwagakiHozonButton->click();
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"ファイルなし"});
    EXPECT_EQ(ReadFileBytes(kion), kionBytes);
    // Closing asks before the converted picture is lost.
    e.prompter.answers = {false};
    EXPECT_FALSE(e.Main().close());
    EXPECT_EQ(e.prompter.LastShown(), "作成したデータが失われてもいいですか？");
}

TEST_F(FileCommands, ABitmapOfAnEmptyPictureSaysWhyNoFileIsMade) {
    e.chooser.script = {cardDir.Path("empty.bmp")};
    e.Main().BmpFileWrite->trigger();
    EXPECT_TRUE(e.chooser.requests.empty());  // no name asked for a file that will not be made
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"点灯しているドットがない絵なので、ビットマップファイルは作りません"});
    EXPECT_FALSE(std::filesystem::exists(cardDir.Path("empty.bmp")));
    e.chooser.script.clear();
}

TEST_F(FileCommands, OldFileRoundTripAndTooLongNames) {
    Draw(0, 0);
    const std::string old = cardDir.Path("old.led");
    e.chooser.script = {old};
    e.Main().OldFileWrite->trigger();
    EXPECT_EQ(e.Doc().FileName, old);
    EXPECT_FALSE(e.Doc().Modified());
    e.chooser.script = {old};
    e.Main().OldFileOpen->trigger();
    EXPECT_EQ(e.Doc().DotColor(0, 0), kLedRed);
    EXPECT_EQ(e.Doc().FileName, "");

    const std::string longName = cardDir.Path(std::string(28, 'x') + ".led");  // 32 bytes
    e.chooser.script = {longName};
    e.Main().OldFileWrite->trigger();
    EXPECT_EQ(e.prompter.LastShown(), "ファイル名が長すぎます");
    EXPECT_FALSE(std::filesystem::exists(longName));
}

}  // namespace
}  // namespace tesslor::test
