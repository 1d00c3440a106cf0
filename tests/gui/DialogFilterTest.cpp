// Every file dialog's filters reach Qt with their patterns: Qt takes the
// patterns from the last parentheses of each description, so a description
// that does not end in its own pattern would list no file at all.
#include <gtest/gtest.h>

#include <QStringList>

#include "app/FileDialogs.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Makeanimationunit.h"
#include "makers/Makeperformunit.h"
#include "makers/MongonForm.h"
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

}  // namespace
}  // namespace tesslor
