// Every file dialog's filters reach Qt with their patterns: Qt takes the
// patterns from the last parentheses of each description, so a description
// that does not end in its own pattern would list no file at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "OtherScreen.h"
#include "TestSupport.h"
#include "app/FileDialogs.h"
#include "app/ImportAnimation.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Makeanimationunit.h"
#include "makers/Makeperformunit.h"
#include "makers/MongonForm.h"
#include "platform/DialogFlows.h"
#include "platform/QtDialogs.h"

namespace tesslor {
namespace {

TEST(DialogFilters, EveryFilterEndsInItsOwnPattern) {
    // The settings windows' filters are written inside their units; their
    // shapes are these.
    const FileDialogSetup settingsShapes{FileDialogKind::Open,
                                         {{"ＬＥＤ設定(*.txt)", "*.txt"}, {"CO2設定(*.co2)", "*.co2"}}, "", ""};
    const FileDialogSetup* setups[] = {
        &kFileOpenDialog,         &kFileSaveDialog,          &kOldFileOpenDialog,      &kOldFileSaveDialog,
        &kBmpFileOpenDialog,      &kBmpFileSaveDialog,       &kMongonOpenDialog,       &kMongonSaveDialog,
        &gui::kAnimationPictureDialog, &gui::kAnimationSaveDialog, &gui::kAnimationListOpenDialog,
        &gui::kPerformAddDialog,  &gui::kPerformOpenDialog,  &gui::kScheduleOpenDialog, &gui::kScheduleWriteDialog,
        &settingsShapes,
    };
    for (const FileDialogSetup* setup : setups) {
        const QStringList parts = gui::QtFilterString(setup->filters).split(QStringLiteral(";;"));
        ASSERT_EQ(parts.size(), static_cast<qsizetype>(setup->filters.size()));
        for (std::size_t i = 0; i < setup->filters.size(); ++i) {
            const QString pattern = QString::fromStdString(setup->filters[i].pattern);
            const QString& part = parts[static_cast<qsizetype>(i)];
            EXPECT_TRUE(part.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) << part.toStdString();
            // What the operator reads stays at the front.
            EXPECT_TRUE(part.startsWith(QString::fromStdString(setup->filters[i].description))) << part.toStdString();
        }
    }
    // The one that listed nothing: its label ends in ")" of its own.
    EXPECT_EQ(gui::QtFilterString({{"設定データ（setei.txt)", "*.txt"}}), QStringLiteral("設定データ（setei.txt) (*.txt)"));
    EXPECT_EQ(gui::QtFilterString({{"ＬＥＤ設定(*.lee)", "*.lee"}}), QStringLiteral("ＬＥＤ設定(*.lee)"));
}

// The main window's dialogs as the operator knows them: the open filter of
// the LED data file writes ＬＥＤ in full-width letters, its save filter in
// ASCII ones, and Qt shows each description as it stands.
TEST(DialogFilters, TheMainWindowsDialogsShowTheirOwnTexts) {
    struct Expected {
        const FileDialogSetup* setup;
        FileDialogKind kind;
        const char* filter;
        const char* pattern;
        const char* defaultExt;
        const char* title;
    } expected[] = {
        {&kFileOpenDialog, FileDialogKind::Open, "ＬＥＤデータファイル(*.lee)", "*.lee", "", ""},
        {&kFileSaveDialog, FileDialogKind::Save, "LEDデータファイル(*.lee)", "*.lee", "lee", "LEDデータファイルを保存する"},
        {&kOldFileOpenDialog, FileDialogKind::Open, "旧ＬＥＤファイル(*.led)", "*.led", "", ""},
        {&kOldFileSaveDialog, FileDialogKind::Save, "旧ＬＥＤファイル(*.led)", "*.led", "led", ""},
        {&kBmpFileOpenDialog, FileDialogKind::Open, "ビットマップファイル(*.bmp)", "*.bmp", "", ""},
        {&kBmpFileSaveDialog, FileDialogKind::Save, "ビットマップファイル(*.bmp)", "*.bmp", "bmp",
         "ビットマップファイルの保存"},
    };
    for (const Expected& e : expected) {
        ASSERT_EQ(e.setup->filters.size(), 1u) << e.filter;
        EXPECT_EQ(e.setup->kind, e.kind) << e.filter;
        EXPECT_EQ(e.setup->filters[0].description, e.filter);
        EXPECT_EQ(e.setup->filters[0].pattern, e.pattern) << e.filter;
        EXPECT_EQ(e.setup->defaultExt, e.defaultExt) << e.filter;
        EXPECT_EQ(e.setup->title, e.title) << e.filter;
        EXPECT_EQ(gui::QtFilterString(e.setup->filters), QString::fromUtf8(e.filter));
    }
}

}  // namespace
}  // namespace tesslor

namespace tesslor {
namespace {

// What Enter does in the real message boxes: a confirmation (its Yes loses
// work or replaces files) answers No, a plain question Yes.
TEST(MessageBoxes, EnterIsTheSafeAnswer) {
    gui::QtPrompter prompter;
    for (const bool confirm : {true, false}) {
        QString defaultText;
        QTimer::singleShot(0, [&defaultText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const bool yes = confirm ? prompter.Confirm(kDiscardQuestion) : prompter.Ask("保存しますか？");
        EXPECT_EQ(yes, !confirm);
        EXPECT_EQ(defaultText.toStdString(), confirm ? "いいえ(&N)" : "はい(&Y)");
    }
}

// A message longer than the box may be wide wraps inside it, none of it cut
// off at the box's edge. Qt keeps a box within min(screen - 480, 1000) on a
// screen wider than 1024: checked on one of 1366, the test running itself
// again there when its own screen is another.
TEST(MessageBoxes, ALongMessageWrapsInsideItsBox) {
    constexpr int kWide = 1366;
    if (!test::OnScreenOf(kWide, 768, "MessageBoxes.ALongMessageWrapsInsideItsBox")) return;
    const std::string text = DarkFrameMessage("walk_02.lee", 1, StartupConfig{}, true);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_LE(box->width(), kWide - 480);
        EXPECT_LE(label->geometry().right(), box->contentsRect().right()) << "the text cut at the box's edge";
        EXPECT_TRUE(label->wordWrap());
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "a line of it not shown";
        box->accept();
    });
    gui::QtPrompter().Inform(text);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace tesslor
