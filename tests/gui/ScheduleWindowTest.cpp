// The display schedule window: its 24 entries and labels, writing and opening
// through the dialog, the check before the dialog, and the empty entries after
// every close.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "GuiHarness.h"
#include "makers/Hyoujischeduleunit.h"

namespace tesslor::test {
namespace {

std::string ScheduleBytes(const std::string& s1) {
    return CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE", s1, "$S2=", "$S3=",
                      "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                     true);
}

class ScheduleWindow : public ::testing::Test {
protected:
    ScheduleWindow()
        : context{prompter, chooser, RealFileSystem(), config, [this] { return card.Dir().string(); }},
          window(context) {}
    ~ScheduleWindow() override { window.hide(); }

    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QLineEdit* Entry(int n) { return window.findChild<QLineEdit*>(QStringLiteral("No%1Edit").arg(n)); }

    TempDir card;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    StartupConfig config;
    gui::WindowContext context;
    gui::THyoujiScheduleForm window;
};

TEST_F(ScheduleWindow, ControlsInThreeRowsOfEight) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("表示スケジュール"));
    EXPECT_FALSE(window.isModal());
    for (int n = 1; n <= 24; ++n) {
        ASSERT_NE(Entry(n), nullptr) << n;
        EXPECT_EQ(Entry(n)->maxLength(), 2);
        QLabel* label = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        ASSERT_NE(label, nullptr) << n;
        EXPECT_EQ(label->text(), QString::number(n));
    }
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(Entry(1)->y(), Entry(8)->y());
    EXPECT_LT(Entry(8)->y(), Entry(9)->y());
    EXPECT_EQ(Entry(9)->x(), Entry(1)->x());
    EXPECT_LT(Entry(16)->y(), Entry(17)->y());
    EXPECT_EQ(Button("OpenButton")->text(), QStringLiteral("開く"));
    EXPECT_EQ(Button("WriteButton")->text(), QStringLiteral("書込み"));
    EXPECT_EQ(Button("CancelButton")->text(), QStringLiteral("キャンセル"));
}

TEST_F(ScheduleWindow, WriteChecksFirstThenWritesThroughTheDialog) {
    window.show();
    QTest::keyClicks(Entry(1), "3");
    QTest::keyClicks(Entry(3), "7");
    QTest::keyClicks(Entry(5), "a");
    QTest::mouseClick(Button("WriteButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"No5の数字に誤りがあります"});
    EXPECT_TRUE(chooser.requests.empty());

    Entry(5)->clear();
    prompter.shown.clear();
    chooser.script.push_back(card.Path("s.txt"));
    QTest::mouseClick(Button("WriteButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"書込み完了"});
    EXPECT_EQ(ReadFileBytes(card.Path("s.txt")), ScheduleBytes("$S1=3,7"));
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].defaultExt, "txt");
    ASSERT_EQ(chooser.requests[0].filters.size(), 1u);
    EXPECT_EQ(chooser.requests[0].filters[0].description, "表示スケジュール");
    EXPECT_EQ(chooser.requests[0].filters[0].pattern, "*.txt");
    // Before any 開く the program sets no start folder.
    EXPECT_EQ(chooser.requests[0].initialDir, "");

    // 開く starts at the drive's root and fills the entries in order.
    prompter.shown.clear();
    chooser.script.push_back(card.Path("s.txt"));
    QTest::mouseClick(Button("OpenButton"), Qt::LeftButton);
    EXPECT_EQ(chooser.requests[1].initialDir, card.Dir().string());
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"ファイル読み込み完了"});
    EXPECT_EQ(Entry(1)->text(), QStringLiteral("3"));
    EXPECT_EQ(Entry(2)->text(), QStringLiteral("7"));
    EXPECT_EQ(Entry(3)->text(), QString());
}

TEST_F(ScheduleWindow, OpenFailuresAndEveryCloseEmptyTheEntries) {
    window.show();
    Entry(4)->setText(QStringLiteral("12"));
    // The typed entry is asked about before each open and each close: いいえ.
    prompter.saveChoices.assign(5, SaveChoice::Discard);
    chooser.script.push_back(card.Path("none.txt"));
    QTest::mouseClick(Button("OpenButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？", card.Path("none.txt") + "オープンエラー"}));
    EXPECT_EQ(Entry(4)->text(), QStringLiteral("12"));

    WriteFileBytes(card.Path("bad.txt"), ScheduleBytes("$S1=1,2,x"));
    prompter.shown.clear();
    chooser.script.push_back(card.Path("bad.txt"));
    QTest::mouseClick(Button("OpenButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{"保存しますか？", "ファイルに誤りがあります。"}));
    EXPECT_EQ(Entry(1)->text(), QStringLiteral("1"));
    EXPECT_EQ(Entry(2)->text(), QStringLiteral("2"));
    EXPECT_EQ(Entry(4)->text(), QString());

    QTest::mouseClick(Button("CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Entry(1)->text(), QString());

    window.show();
    Entry(9)->setText(QStringLiteral("9"));
    window.close();
    EXPECT_EQ(Entry(9)->text(), QString());
    window.show();
    Entry(10)->setText(QStringLiteral("9"));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Entry(10)->text(), QString());
    EXPECT_TRUE(prompter.saveChoices.empty());
}

// Closing with entries not yet written asks "保存しますか？": はい writes
// through the dialog and closes, unless that write does not happen; いいえ
// closes and empties; キャンセル and Escape keep the window and its entries.
TEST_F(ScheduleWindow, ClosingAsksAboutEntriesNotWritten) {
    struct Case {
        SaveChoice answer;
        std::vector<std::optional<std::string>> dialog;
        bool byEscape;
        bool closed;
    };
    const std::string path = card.Path("close.txt");
    const Case cases[] = {
        {SaveChoice::Cancel, {}, false, false},        {SaveChoice::Cancel, {}, true, false},
        {SaveChoice::Save, {std::nullopt}, false, false}, {SaveChoice::Discard, {}, true, true},
        {SaveChoice::Save, {path}, false, true},
    };
    for (const Case& c : cases) {
        window.show();
        Entry(2)->setText(QStringLiteral("34"));
        prompter.shown.clear();
        prompter.saveChoices = {c.answer};
        chooser.script.assign(c.dialog.begin(), c.dialog.end());
        if (c.byEscape) QTest::keyClick(&window, Qt::Key_Escape);
        else QTest::mouseClick(Button("CancelButton"), Qt::LeftButton);
        EXPECT_EQ(prompter.shown.at(0), "保存しますか？");
        EXPECT_EQ(window.isVisible(), !c.closed) << static_cast<int>(c.answer);
        EXPECT_EQ(Entry(2)->text(), c.closed ? QString() : QStringLiteral("34"));
        EXPECT_TRUE(chooser.script.empty());
    }
    EXPECT_EQ(ReadFileBytes(path), ScheduleBytes("$S1=34"));
    // Nothing typed since: no question.
    window.show();
    prompter.shown.clear();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompter.shown.empty());
}

// The program ending with the window open and entries not written asks as
// the window's own closing does; キャンセル keeps the program and the entries.
TEST(ScheduleProgramEnd, EndingTheProgramAsksAboutEntriesNotWritten) {
    Editor e;
    auto& schedule = e.windows->HyoujiScheduleForm();
    schedule.show();
    auto* entry = schedule.findChild<QLineEdit*>(QStringLiteral("No2Edit"));
    ASSERT_NE(entry, nullptr);
    entry->setText(QStringLiteral("34"));
    e.prompter.saveChoices = {SaveChoice::Cancel};
    EXPECT_FALSE(e.Main().close());
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存しますか？"});
    EXPECT_TRUE(schedule.isVisible());
    EXPECT_EQ(entry->text(), QStringLiteral("34"));
    // いいえ: the entries go, and so does the program (the picture has nothing unsaved).
    e.prompter.saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(e.Main().close());
    EXPECT_FALSE(schedule.isVisible());
}

TEST_F(ScheduleWindow, TheEntriesReadAreShownBeforeTheReadsMessage) {
    WriteFileBytes(card.Path("good.txt"), ScheduleBytes("$S1=3,7"));
    // The third value is one character too long: the two before it are read.
    WriteFileBytes(card.Path("bad.txt"), ScheduleBytes("$S1=4,5,x"));
    std::vector<std::string> seen;
    prompter.onInform = [&](const std::string& text) {
        seen.push_back(text + " | " + Entry(1)->text().toStdString() + "," + Entry(2)->text().toStdString() + "," +
                       Entry(3)->text().toStdString());
    };
    window.show();
    Entry(3)->setText(QStringLiteral("9"));
    prompter.saveChoices = {SaveChoice::Discard};
    chooser.script = {card.Path("good.txt"), card.Path("bad.txt")};
    Button("OpenButton")->click();
    Button("OpenButton")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"ファイル読み込み完了 | 3,7,", "ファイルに誤りがあります。 | 4,5,"}));
}

}  // namespace
}  // namespace tesslor::test
