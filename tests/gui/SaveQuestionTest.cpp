// "保存しますか？" as the operator meets it in the real message box: はい, いいえ
// and キャンセル, with Escape answering キャンセル, so that a window asked
// before it drops work keeps the work and stays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestSupport.h"
#include "makers/Hyoujischeduleunit.h"
#include "platform/QtDialogs.h"

namespace tesslor::test {
namespace {

// Answers the next message box with key, noting its buttons and default.
struct BoxAnswer {
    explicit BoxAnswer(Qt::Key key) {
        QTimer::singleShot(0, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, key);
        });
    }
    QStringList buttons;
    QString defaultText;
};

TEST(SaveQuestion, EscapeIsCancelAndEnterSaves) {
    gui::QtPrompter prompter;
    BoxAnswer escape(Qt::Key_Escape);
    EXPECT_EQ(prompter.AskSave("保存しますか？"), SaveChoice::Cancel);
    EXPECT_EQ(escape.buttons.size(), 3);
    EXPECT_TRUE(escape.buttons.contains(QStringLiteral("キャンセル")));
    EXPECT_EQ(escape.defaultText, QStringLiteral("はい(&Y)"));
    BoxAnswer enter(Qt::Key_Return);
    EXPECT_EQ(prompter.AskSave("保存しますか？"), SaveChoice::Save);
}

// The schedule window closed with an entry not written, Escape on the question:
// the window stays open with its entry.
TEST(SaveQuestion, EscapeOnTheQuestionKeepsTheScheduleOpen) {
    gui::QtPrompter prompter;
    ScriptedFileChooser chooser;
    StartupConfig config;
    TempDir card;
    gui::WindowContext context{prompter, chooser, RealFileSystem(), config, [&card] { return card.Dir().string(); }};
    gui::THyoujiScheduleForm window(context);
    window.show();
    window.Edit(1)->setText(QStringLiteral("7"));
    BoxAnswer escape(Qt::Key_Escape);
    window.CancelButton->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Edit(1)->text(), QStringLiteral("7"));
    EXPECT_TRUE(chooser.requests.empty());
    window.Edit(1)->clear();
    window.close();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tesslor::test
