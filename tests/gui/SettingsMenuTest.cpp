// The tool menu's settings items: their notices in order, the one settings
// 1/2 window in each mode, and the settings 3 window without notices.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>

#include "GuiHarness.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Makeperformunit.h"
#include "settings/Setei2unit.h"
#include "settings/Seteiunit.h"

namespace tesslor::test {
namespace {

const std::vector<std::string> kSeteiNotices = {
    "設定には表示器のバージョンにより設定１と設定２がありますので注意願います。",
    "設定ファイルの作成はサポートしていない機種もありますのでご注意願います"};

TEST(SettingsMenu, SettingsOneAndTwoAreOneWindowInTwoModes) {
    Editor e("[Option]\nAllMakers=1\n");
    gui::TSeteiForm& w = e.windows->SeteiForm();
    EXPECT_FALSE(w.isVisible());
    e.Main().SeteiMake->trigger();
    EXPECT_EQ(e.prompter.shown, kSeteiNotices);
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_TRUE(e.Main().isEnabled());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("設定１"));
    EXPECT_FALSE(w.SouonGroupBox->isVisible());
    EXPECT_FALSE(w.FuusokuGroupBox->isVisible());
    w.Edit("TentouJikanEdit")->setText(QStringLiteral("250"));

    e.prompter.shown.clear();
    e.Main().SeteiMake2->trigger();
    EXPECT_EQ(e.prompter.shown, kSeteiNotices);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("設定２"));
    EXPECT_TRUE(w.SouonGroupBox->isVisible());
    EXPECT_TRUE(w.FuusokuGroupBox->isVisible());
    EXPECT_EQ(w.Edit("TentouJikanEdit")->text(), QStringLiteral("250"));  // the same window keeps its fields
}

TEST(SettingsMenu, SettingsThreeOpensWithoutNoticesAndKeepsItsContents) {
    Editor e;
    gui::TSetei2Form& w = e.windows->Setei2Form();
    e.Main().N1->trigger();
    EXPECT_TRUE(e.prompter.shown.empty());
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("設定３"));
    w.Edit("TentouJikanEdit")->setText(QStringLiteral("300"));
    w.hide();
    e.Main().N1->trigger();
    EXPECT_EQ(w.Edit("TentouJikanEdit")->text(), QStringLiteral("300"));
}

TEST(MakerMenu, TheScheduleEditorNeedsItsDeviceKindAndShowsItsNoticeFirst) {
    {
        Editor e("[Kiki]\nKiki=kankyouhyoujiki\n");
        EXPECT_FALSE(e.Main().HyoujiSchedule->isEnabled());
    }
    Editor e("[Kiki]\nKiki=Kankyouhyoujiki\n");
    ASSERT_TRUE(e.Main().HyoujiSchedule->isEnabled());
    auto& w = e.windows->HyoujiScheduleForm();
    int notices = 0;
    bool windowBeforeNotice = false;
    // The notice is answered before the window shows.
    e.prompter.onInform = [&](const std::string&) {
        ++notices;
        windowBeforeNotice = w.isVisible();
    };
    e.Main().HyoujiSchedule->trigger();
    e.prompter.onInform = nullptr;
    EXPECT_EQ(e.prompter.shown,
              std::vector<std::string>{"表示スケジュールファイルの作成はサポートしていない機種もありますのでご注意願います"});
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(windowBeforeNotice);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
}

TEST(MakerMenu, ThePerformListMakerIsModal) {
    Editor e;
    auto& w = e.windows->MakePerformForm();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = w.isVisible() && w.isModal();
        w.reject();
    });
    e.Main().Perform1->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace tesslor::test
