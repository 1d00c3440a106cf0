// カードの確認: the card of the selected drive at a glance, opening its files
// where they are edited, following changes in the folder, and writing a
// prepared folder onto it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QScreen>
#include <functional>
#include <cstring>
#include <filesystem>

#include "GuiHarness.h"
#include "OtherScreen.h"
#include "app/CardPerformPane.h"
#include "platform/FormWidgets.h"
#include "app/Mainunit.h"
#include "settings/SettingsKinds.h"
#include "settings/Setei2unit.h"

namespace tesslor::test {
namespace {

void WritePicture(const std::string& path, const std::string& writeNo) { WriteTestPicture(path, writeNo, 5, 1, kLedGreen); }

class CardWindow : public ::testing::Test {
protected:
    CardWindow() : e(("[User]\nUser=root\n[DriveRoots]\nC=" + card.Dir().string() + "\n").c_str()) {
        WritePicture(card.Path("a.lee"), "01");
        WritePicture(card.Path("b.lee"), "02");
        std::unique_ptr<SettingsForm> settings = NewSettingsForm("settings3");
        settings->Standard();
        ScriptedPrompter quiet;
        WriteSettingsFile(*settings, RealFileSystem(), card.Path("setei.txt"), quiet.shown);
        WritePerformList(card.Path("Perform.txt"), {"a.lee", "b.lee", "gone.lee", "setei.txt"});
    }
    ~CardWindow() override { Form().hide(); }

    gui::TCardForm& Form() { return e.windows->CardForm(); }
    QString Cell(int row, int column) { return Form().FileTable->item(row, column)->text(); }
    int RowOf(const char* name) {
        for (int r = 0; r < Form().FileTable->rowCount(); ++r)
            if (Cell(r, gui::kCardName) == QString::fromUtf8(name)) return r;
        return -1;
    }

    TempDir card;
    Editor e;
};

TEST_F(CardWindow, TheDrivesCardInATableWithTheFindingsBelow) {
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(Form().isVisible());
    EXPECT_EQ(Form().FolderLabel->text().toStdString(), card.Dir().string());
    ASSERT_EQ(Form().FileTable->rowCount(), 4);
    const int a = RowOf("a.lee");
    ASSERT_GE(a, 0);
    EXPECT_EQ(Cell(a, gui::kCardKind), QStringLiteral("絵"));
    EXPECT_EQ(Cell(a, gui::kCardWriteNo), QStringLiteral("01"));
    EXPECT_EQ(Cell(a, gui::kCardContent), QStringLiteral("表示モード A・幅 16ドット"));
    EXPECT_EQ(Cell(a, gui::kCardState), QStringLiteral("OK"));
    EXPECT_EQ(Cell(a, gui::kCardPerform), QStringLiteral("1"));
    EXPECT_EQ(Cell(RowOf("setei.txt"), gui::kCardPerform), QStringLiteral("4"));
    EXPECT_EQ(Cell(RowOf("Perform.txt"), gui::kCardPerform), QString());
    Form().MakeAllThumbnails();
    EXPECT_FALSE(Form().FileTable->item(a, gui::kCardName)->icon().isNull());
    EXPECT_TRUE(Form().FileTable->item(RowOf("Perform.txt"), gui::kCardName)->icon().isNull());

    ASSERT_EQ(Form().FindingTable->rowCount(), 1);
    EXPECT_EQ(Form().FindingTable->item(0, 0)->text(), QStringLiteral("エラー"));
    EXPECT_EQ(Form().FindingTable->item(0, 1)->text(), QStringLiteral("Perform.txt の3行目 gone.lee がカードにありません"));
    EXPECT_TRUE(Form().SummaryLabel->text().contains(QStringLiteral("エラー 1件")));

    // The folder changes: the window follows without 更新.
    WritePicture(card.Path("gone.lee"), "03");
    for (int i = 0; i < 40 && Form().FileTable->rowCount() != 5; ++i) QTest::qWait(100);
    EXPECT_EQ(Form().FileTable->rowCount(), 5);
    EXPECT_EQ(Form().FindingTable->rowCount(), 0);

    // Another folder through the chooser; one that is gone says so.
    e.chooser.script = {card.Path("nowhere")};
    Form().FolderButtonClick();
    EXPECT_EQ(Form().FileTable->rowCount(), 0);
    EXPECT_EQ(Form().SummaryLabel->text().toStdString(), "フォルダー " + card.Path("nowhere") + " が見つかりません");
}

TEST_F(CardWindow, ADoubleClickOpensTheFileWhereItIsEdited) {
    Form().ShowFolder(card.Dir().string());
    Form().OpenRow(RowOf("b.lee"));
    EXPECT_EQ(e.Doc().FileName, card.Path("b.lee"));
    EXPECT_EQ(e.Doc().WriteNoText(), "02");

    // The read's message box gives the focus back to the card window when it closes.
    e.prompter.onInform = [this](const std::string&) { ShowModeless(Form()); };
    Form().OpenRow(RowOf("setei.txt"));
    e.prompter.onInform = nullptr;
    gui::TSetei2Form& settings = e.windows->Setei2Form();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&settings, 1000)) << "the window opened stays in front";
    EXPECT_FALSE(settings.findChild<QLineEdit*>(QStringLiteral("TentouJikanEdit"))->text().isEmpty());
    EXPECT_FALSE(e.prompter.shown.empty());  // the read's own message
    settings.hide();

    // Kinds no window opens say so instead of doing nothing.
    WriteFileBytes(card.Path("memo.txt"), "memo\r\n");
    Form().ShowFolder(card.Dir().string());
    e.prompter.shown.clear();
    Form().OpenRow(RowOf("memo.txt"));
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"memo.txt は表示器のファイルではないため開けません"});
}

TEST_F(CardWindow, WritingAFolderOntoTheCardShowsEachFileAndTheResult) {
    TempDir source;
    WritePicture(source.Path("new.lee"), "05");
    WritePerformList(source.Path("Perform.txt"), {"new.lee"});
    Form().ShowFolder(card.Dir().string());
    const auto lines = [this] {
        QStringList list;
        for (int i = 0; i < Form().WriteResult->count(); ++i) list << Form().WriteResult->item(i)->text();
        return list;
    };
    // The plan first; the card's Perform.txt would be replaced: No leaves the card as it is.
    const std::string earlierList = ReadFileBytes(card.Path("Perform.txt"));
    e.chooser.script = {source.Dir().string()};
    e.prompter.answers = {false};
    Form().WriteButtonClick();
    EXPECT_EQ(e.prompter.shown.back(), "カードの 1ファイル（Perform.txt）を書き出し元の内容で置き換えます。よろしいですか？");
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), earlierList);
    EXPECT_FALSE(std::filesystem::exists(card.Path("new.lee")));
    EXPECT_TRUE(lines().contains(QStringLiteral("Perform.txt　置き換え")));
    EXPECT_TRUE(lines().contains(QStringLiteral("new.lee　新規")));
    EXPECT_TRUE(lines().contains(QStringLiteral("a.lee　カードのみ")));
    EXPECT_EQ(lines().last(), QStringLiteral("書き出しをやめました（カードはそのままです）"));

    // Yes: written as a whole; 閉じる waits while it runs.
    e.chooser.script = {source.Dir().string()};
    e.prompter.answers = {true};
    bool closeEnabledDuringWrite = true;
    QTimer::singleShot(0, &Form(), [&] { closeEnabledDuringWrite = Form().CloseButton->isEnabled(); });
    Form().WriteButtonClick();
    EXPECT_FALSE(closeEnabledDuringWrite);
    EXPECT_TRUE(Form().CloseButton->isEnabled());
    EXPECT_EQ(ReadFileBytes(card.Path("new.lee")), ReadFileBytes(source.Path("new.lee")));
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), ReadFileBytes(source.Path("Perform.txt")));
    EXPECT_EQ(Form().WriteProgress->value(), 2);
    const QStringList written = lines();
    EXPECT_TRUE(written.first().startsWith(QStringLiteral("書き出しの予定")));
    EXPECT_LT(written.indexOf(QStringLiteral("new.lee: 書き込み完了")), written.indexOf(QStringLiteral("Perform.txt: 書き込み完了")));
    EXPECT_GT(written.indexOf(QStringLiteral("new.lee: 書き込み完了")), 0);
    EXPECT_TRUE(written.contains(QStringLiteral("注意　a.lee は書き出し元にありません（カードにそのまま残します）")));
    EXPECT_EQ(written.last(), QStringLiteral("書き出し完了（2ファイル）"));
    EXPECT_EQ(Form().FileTable->rowCount(), 5);  // rescanned

    // A read-only file on the card: said in the plan, and the write stops at
    // once without asking whether to replace it.
    WritePicture(source.Path("new.lee"), "06");
    std::filesystem::permissions(card.Dir() / "new.lee", std::filesystem::perms::owner_read);
    const std::string kept = ReadFileBytes(card.Path("new.lee"));
    e.chooser.script = {source.Dir().string()};
    Form().WriteButtonClick();
    EXPECT_TRUE(lines().contains(QStringLiteral("new.lee　置き換え（読み取り専用）")));
    EXPECT_EQ(lines().last(),
              QStringLiteral("書き出しエラー: new.lee: カードのファイルが読み取り専用のため書き換えません。カードは元のままです"));
    EXPECT_EQ(ReadFileBytes(card.Path("new.lee")), kept);
    std::filesystem::permissions(card.Dir() / "new.lee", std::filesystem::perms::owner_all);

    // A source with an エラー asks first; No writes nothing.
    TempDir broken;
    WritePerformList(broken.Path("Perform.txt"), {"missing.lee"});
    e.chooser.script = {broken.Dir().string()};
    e.prompter.answers = {false};
    const std::string before = ReadFileBytes(card.Path("Perform.txt"));
    Form().WriteButtonClick();
    EXPECT_EQ(e.prompter.shown.back(), broken.Dir().string() + " にエラーが1件あります。それでもカードへ書き出しますか？");
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), before);
    EXPECT_FALSE(Form().WriteResult->isHidden()) << "the result stays while its card is shown";

    // Another folder shown: the result of the write to the card goes.
    Form().ShowFolder(source.Dir().string());
    EXPECT_TRUE(Form().WriteResult->isHidden());
    EXPECT_TRUE(Form().WriteProgress->isHidden());
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
namespace {

class CardPerform : public CardWindow {};

// Perform順 edited in place: moved, taken off, added from the table, saved
// whole; closing with unsaved changes asks.
TEST_F(CardPerform, TheListIsEditedInPlaceSavedAndAskedAboutOnClose) {
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    gui::CardPerformPane& pane = *Form().PerformPane;
    ASSERT_EQ(pane.PerformListBox->count(), 4);
    // The list box shows them (not only holds them): the first row is where it is drawn.
    QListWidget& box = *pane.PerformListBox;
    const QRect first = box.visualItemRect(box.item(0));
    ASSERT_TRUE(first.isValid());
    EXPECT_EQ(box.indexAt(first.center()).row(), 0);
    pane.PerformListBox->setCurrentRow(2);  // gone.lee
    QTest::mouseClick(pane.RemoveButton, Qt::LeftButton);
    pane.PerformListBox->setCurrentRow(1);  // b.lee
    QTest::mouseClick(pane.UpButton, Qt::LeftButton);
    EXPECT_EQ(pane.Entries(), (std::vector<std::string>{"b.lee", "a.lee", "setei.txt"}));
    EXPECT_EQ(pane.PerformListBox->currentRow(), 0) << "the entry moved stays selected";
    EXPECT_TRUE(pane.Modified());
    // The card is not touched until 保存.
    const std::string before = ReadFileBytes(card.Path("Perform.txt"));
    Form().FileTable->selectRow(RowOf("a.lee"));
    QTest::mouseClick(pane.AddButton, Qt::LeftButton);
    EXPECT_EQ(pane.Entries().back(), "a.lee");
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), before);

    QTest::mouseClick(pane.SaveButton, Qt::LeftButton);
    EXPECT_FALSE(pane.Modified());
    std::string expected;
    for (const char* name : {"b.lee", "a.lee", "setei.txt", "a.lee"})
        expected += std::string(name) + std::string(30 - std::strlen(name), ' ') + "\r\n";
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), expected);
    EXPECT_EQ(Form().FindingTable->rowCount(), 0) << "gone.lee is no longer listed";
    EXPECT_EQ(Cell(RowOf("b.lee"), gui::kCardPerform), QStringLiteral("1"));

    // Unsaved changes: いいえ drops them and the window closes; the card stays as saved.
    pane.PerformListBox->setCurrentRow(0);
    QTest::mouseClick(pane.DownButton, Qt::LeftButton);
    e.prompter.saveChoices = {SaveChoice::Discard};
    Form().close();
    EXPECT_FALSE(Form().isVisible());
    EXPECT_EQ(e.prompter.shown.back(), gui::kPerformUnsavedQuestion);
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), expected);
    // はい saves them.
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    pane.PerformListBox->setCurrentRow(0);
    QTest::mouseClick(pane.DownButton, Qt::LeftButton);
    e.prompter.saveChoices = {SaveChoice::Save};
    Form().close();
    EXPECT_EQ(pane.Entries().front(), "a.lee");
    EXPECT_NE(ReadFileBytes(card.Path("Perform.txt")), expected);
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
namespace {

// キャンセル and Escape on the question keep the order and the window, on
// Escape, 閉じる and another folder alike.
TEST_F(CardPerform, CancelOrEscapeOnTheSaveQuestionKeepsTheOrderAndTheWindow) {
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    gui::CardPerformPane& pane = *Form().PerformPane;
    pane.PerformListBox->setCurrentRow(0);
    QTest::mouseClick(pane.DownButton, Qt::LeftButton);
    const std::vector<std::string> changed{"b.lee", "a.lee", "gone.lee", "setei.txt"};
    ASSERT_EQ(pane.Entries(), changed);
    const std::string onCard = ReadFileBytes(card.Path("Perform.txt"));
    TempDir other;
    const auto keptAfter = [&](const char* how, const std::function<void()>& act) {
        SCOPED_TRACE(how);
        e.prompter.shown.clear();
        e.prompter.saveChoices = {SaveChoice::Cancel};
        act();
        EXPECT_EQ(e.prompter.shown, std::vector<std::string>{gui::kPerformUnsavedQuestion});
        EXPECT_TRUE(Form().isVisible());
        EXPECT_TRUE(pane.Modified());
        EXPECT_EQ(pane.Entries(), changed);
        EXPECT_EQ(Form().FolderLabel->text().toStdString(), card.Dir().string());
        EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), onCard);
    };
    keptAfter("Escape", [&] { QTest::keyClick(&Form(), Qt::Key_Escape); });
    keptAfter("閉じる", [&] { QTest::mouseClick(Form().CloseButton, Qt::LeftButton); });
    keptAfter("another folder", [&] {
        e.chooser.script = {other.Dir().string()};
        Form().FolderButtonClick();
    });
    e.prompter.saveChoices = {SaveChoice::Discard};
    QTest::keyClick(&Form(), Qt::Key_Escape);
    EXPECT_FALSE(Form().isVisible());
}

// 追加 takes the files selected in the card's table: without one it is off
// and says what to select.
TEST_F(CardPerform, AddIsOffUntilAFileOfTheCardIsSelected) {
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    gui::CardPerformPane& pane = *Form().PerformPane;
    EXPECT_FALSE(pane.AddButton->isEnabled());
    EXPECT_EQ(pane.AddButton->toolTip(), QStringLiteral("追加するファイルをカードの表で選んでください"));
    Form().FileTable->selectRow(RowOf("b.lee"));
    ASSERT_TRUE(pane.AddButton->isEnabled());
    QTest::mouseClick(pane.AddButton, Qt::LeftButton);
    EXPECT_EQ(pane.Entries().back(), "b.lee");
    Form().FileTable->clearSelection();
    EXPECT_FALSE(pane.AddButton->isEnabled());
    // A rescan keeps the button in step with what is selected.
    Form().Rescan();
    EXPECT_EQ(pane.AddButton->isEnabled(), Form().FileTable->selectionModel()->hasSelection());
}

// At 1024 × 768 the window fits, every button in it, and the 状態 column is
// in view and wide enough to read from the first, thumbnails drawn.
TEST_F(CardWindow, FitsA1024By768ScreenWithTheStateColumnReadable) {
    if (!OnScreenOf(1024, 768, "CardWindow.FitsA1024By768ScreenWithTheStateColumnReadable")) return;
    WriteFileBytes(card.Path("broken.lee"), "#LED_DATA_FILE\r\nnonsense\r\n");
    // A long name and a picture as wide as the display: the widest thumbnail.
    WriteTestPicture(card.Path("a_rather_long_picture_name.lee"), "07", 479, 1, kLedRed);
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    Form().MakeAllThumbnails();
    QApplication::processEvents();
    const QRect room = Form().screen()->availableGeometry();
    EXPECT_TRUE(room.contains(Form().frameGeometry())) << Form().frameGeometry().width() << "x" << Form().frameGeometry().height();
    for (QPushButton* b : Form().findChildren<QPushButton*>()) {
        if (!b->isVisibleTo(&Form())) continue;
        const QRect at(b->mapTo(&Form(), QPoint(0, 0)), b->size());
        EXPECT_TRUE(Form().rect().contains(at)) << b->objectName().toStdString();
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString() << " cut short";
    }
    QTableWidget& table = *Form().FileTable;
    const int x = table.columnViewportPosition(gui::kCardState);
    const int width = table.columnWidth(gui::kCardState);
    const QString status = table.item(RowOf("broken.lee"), gui::kCardState)->text();
    EXPECT_GE(x, 0);
    EXPECT_LE(x + width, table.viewport()->width()) << "the column runs out of view";
    // Room for a message of a dozen characters; a longer one is read whole in its tip.
    EXPECT_GE(width, table.fontMetrics().horizontalAdvance(QStringLiteral("読み込めません（読みません）")));
    EXPECT_EQ(table.item(RowOf("broken.lee"), gui::kCardState)->toolTip(), status);
}

// A card taken out and put back: the window says it is gone, then shows it
// again by itself.
TEST_F(CardWindow, FollowsTheCardTakenOutAndPutBack) {
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    ASSERT_EQ(Form().FileTable->rowCount(), 4);
    std::filesystem::remove_all(card.Dir());
    const QString gone = QString::fromStdString("フォルダー " + card.Dir().string() + " が見つかりません");
    QTRY_COMPARE_WITH_TIMEOUT(Form().SummaryLabel->text(), gone, 5000);
    EXPECT_EQ(Form().FileTable->rowCount(), 0);
    std::filesystem::create_directory(card.Dir());
    WritePicture(card.Path("c.lee"), "03");
    QTRY_COMPARE_WITH_TIMEOUT(Form().FileTable->rowCount(), 1, 5000);
    EXPECT_EQ(Cell(0, gui::kCardName), QStringLiteral("c.lee"));
    // Watched again: a change after it comes back is followed too.
    WritePicture(card.Path("d.lee"), "04");
    QTRY_COMPARE_WITH_TIMEOUT(Form().FileTable->rowCount(), 2, 5000);
}

// Another spelling on a folder that tells case apart is the card's own
// file: the plan shows it so and the write leaves it. The result counts a
// file that was already the same apart from those written.
TEST_F(CardWindow, ThePlanShowsAnotherSpellingAsCardOnlyAndTheResultCountsSameApart) {
    if (!FolderTellsCaseApart(card.Dir().string())) GTEST_SKIP() << "this folder folds case";
    WriteFileBytes(card.Path("A.LEE"), "upper");
    TempDir source;
    WriteFileBytes(source.Path("a.lee"), ReadFileBytes(card.Path("a.lee")));  // the same
    WritePicture(source.Path("new.lee"), "05");
    WritePerformList(source.Path("Perform.txt"), {"a.lee", "new.lee"});
    Form().ShowFolder(card.Dir().string());
    e.chooser.script = {source.Dir().string()};
    e.prompter.answers = {true};
    Form().WriteButtonClick();
    QStringList lines;
    for (int i = 0; i < Form().WriteResult->count(); ++i) lines << Form().WriteResult->item(i)->text();
    EXPECT_TRUE(lines.contains(QStringLiteral("A.LEE　カードのみ"))) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("a.lee　同じ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("注意　A.LEE は書き出し元にありません（カードにそのまま残します）")));
    EXPECT_EQ(lines.last(), QStringLiteral("書き出し完了（2ファイル・同じ 1ファイル）"));
    EXPECT_EQ(ReadFileBytes(card.Path("A.LEE")), "upper");
    EXPECT_EQ(ReadFileBytes(card.Path("new.lee")), ReadFileBytes(source.Path("new.lee")));
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
namespace {

// Two pictures in one table slot: the one chosen takes the lowest free number on the card.
TEST_F(CardPerform, ASharedWriteNumberBecomesAFreeOne) {
    WritePicture(card.Path("c.lee"), "02");  // b.lee has 02 too
    e.Main().CardCheck->trigger();
    QApplication::processEvents();
    Form().FileTable->selectRow(RowOf("a.lee"));
    EXPECT_FALSE(Form().FreeNumberButton->isEnabled()) << "a.lee's number is its own";
    Form().FileTable->selectRow(RowOf("c.lee"));
    ASSERT_TRUE(Form().FreeNumberButton->isEnabled());
    const std::string b = ReadFileBytes(card.Path("b.lee"));
    QTest::mouseClick(Form().FreeNumberButton, Qt::LeftButton);
    EXPECT_EQ(Cell(RowOf("c.lee"), gui::kCardWriteNo), QStringLiteral("03"));
    EXPECT_EQ(ReadFileBytes(card.Path("b.lee")), b) << "the other picture is left alone";
    EXPECT_EQ(Form().SummaryLabel->text(), QStringLiteral("c.lee の書き込みNoを 02 から 03 にしました"));
    EXPECT_NE(ReadFileBytes(card.Path("c.lee")).find("$WRITE_TABLE_NO=03 "), std::string::npos);
}

}  // namespace
}  // namespace tesslor::test
