// The maker and settings windows on the smallest screen the operators have,
// 1024 x 768: each window lies within the screen and every button of it is in
// view (fields may scroll; buttons never do). The test runs itself again on
// such a screen when its own is another.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

#include "GuiHarness.h"
#include "OtherScreen.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Makeanimationunit.h"
#include "makers/Makeperformunit.h"
#include "makers/Mongonhensyuu.h"
#include "settings/Co2sakugenseteiunit.h"
#include "settings/Setei2unit.h"
#include "settings/Seteiunit.h"

namespace tesslor::test {
namespace {

constexpr int kSmallWidth = 1024, kSmallHeight = 768;

bool InScrollArea(const QWidget* w) {
    for (const QObject* p = w->parent(); p; p = p->parent())
        if (qobject_cast<const QScrollArea*>(p)) return true;
    return false;
}

// The window, shown, lies on the screen with every shown button inside it.
void ExpectFits(QWidget& window, const std::string& what) {
    window.show();
    QApplication::processEvents();
    const QRect room = window.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(window.frameGeometry()))
        << what << ": " << window.frameGeometry().width() << " x " << window.frameGeometry().height();
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
        if (!b->isVisibleTo(&window)) continue;
        const QRect at(b->mapTo(&window, QPoint(0, 0)), b->size());
        EXPECT_TRUE(window.rect().contains(at)) << what << ": " << b->objectName().toStdString();
        EXPECT_FALSE(InScrollArea(b)) << what << ": " << b->objectName().toStdString() << " scrolls away";
    }
}

TEST(SmallScreen, EveryMakerAndSettingsWindowShowsWholeWithItsButtons) {
    if (!OnScreenOf(kSmallWidth, kSmallHeight, "SmallScreen.EveryMakerAndSettingsWindowShowsWholeWithItsButtons")) return;
    // Root sees every button; the standard five panel rows show the most text rows.
    Editor e("[User]\nUser=root\n");
    gui::EditorWindows& w = *e.windows;
    ExpectFits(w.MongonHensyuuForm(), "文言編集");
    ExpectFits(w.MakeAnimationForm(), "MakeAnimation");
    ExpectFits(w.MakePerformForm(), "MakePerformForm");
    ExpectFits(w.HyoujiScheduleForm(), "表示スケジュール");
    ExpectFits(w.CO2SakugenSeteiForm(), "CO2");
    ExpectFits(w.Setei2Form(), "設定３");
    gui::TSeteiForm& setei = w.SeteiForm();
    for (const bool settings2 : {false, true}) {
        setei.OpenInMode(settings2);
        ExpectFits(setei, settings2 ? "設定２" : "設定１");
    }
    // The wind-only bands make the settings window its tallest.
    e.prompter.onInform = {};
    setei.FuusokuSenyouKaitentouSeteiButtonClick();
    ExpectFits(setei, "設定２ 風速専用");
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &e.Main()) window->hide();
}

}  // namespace
}  // namespace tesslor::test
