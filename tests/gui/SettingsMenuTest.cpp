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
#include "platform/WindowSizes.h"
#include "settings/Co2sakugenseteiunit.h"
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

// The screen the operators' laptops have left under the task bar.
constexpr WindowSize kScreen{1366, 728};

// Whether the window, with its frame and caption, fits that screen both as
// laid out and as its layout would have it.
void ExpectFits(const QWidget& w, const std::string& what) {
    QApplication::processEvents();
    for (const QSize size : {w.size(), w.sizeHint()}) {
        const WindowSize outer = OuterSizeOf({size.width(), size.height()}, kSizeableFrame);
        EXPECT_LE(outer.width, kScreen.width) << what << " " << size.width() << "x" << size.height();
        EXPECT_LE(outer.height, kScreen.height) << what << " " << size.width() << "x" << size.height();
    }
}

TEST(SettingsWindows, EveryOneFitsTheSmallScreenInEveryMode) {
    Editor e("[Option]\nAllMakers=1\n[Kiki]\nKiki=Kankyouhyoujiki\n");
    gui::TSeteiForm& setei = e.windows->SeteiForm();
    e.Main().SeteiMake->trigger();
    ExpectFits(setei, "settings 1");
    const int settings1Height = setei.height();
    e.Main().SeteiMake2->trigger();
    ExpectFits(setei, "settings 2");
    setei.FuusokuSenyouKaitentouSeteiButtonClick();  // on, with its notices
    ASSERT_TRUE(setei.Form().WindOnly());
    ExpectFits(setei, "settings 2, wind-only lamps");
    e.Main().SeteiMake->trigger();
    ExpectFits(setei, "settings 1, wind-only lamps");
    setei.FuusokuSenyouKaitentouSeteiButtonClick();
    ASSERT_FALSE(setei.Form().WindOnly());
    // Back in settings 1 without the bands the window is as small as at first.
    QApplication::processEvents();
    EXPECT_EQ(setei.height(), settings1Height);

    e.Main().N1->trigger();
    ExpectFits(e.windows->Setei2Form(), "settings 3");
    e.Main().HyoujiSchedule->trigger();
    ExpectFits(e.windows->HyoujiScheduleForm(), "schedule");
    e.Main().CO21->trigger();
    ExpectFits(e.windows->CO2SakugenSeteiForm(), "CO2");
}

}  // namespace
}  // namespace tesslor::test
