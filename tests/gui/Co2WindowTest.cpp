// The CO2 reduction setting maker: its menu item, notice and window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "GuiHarness.h"
#include "settings/Co2sakugenseteiunit.h"

namespace tesslor::test {
namespace {

TEST(Co2Window, TheMakersOfOlderUnitsAreOfferedOnlyWithAllMakers) {
    {
        Editor e;
        for (QAction* item : {e.Main().SeteiMake, e.Main().SeteiMake2, e.Main().CO21}) EXPECT_FALSE(item->isEnabled());
        EXPECT_TRUE(e.Main().N1->isEnabled());
    }
    {
        Editor e("[Option]\nAllMakers=1\n");
        for (QAction* item : {e.Main().SeteiMake, e.Main().SeteiMake2, e.Main().CO21}) EXPECT_TRUE(item->isEnabled());
    }
    {
        Editor e("[Option]\nAllMakers=2\n");
        EXPECT_FALSE(e.Main().CO21->isEnabled());
    }
}

class Co2Maker : public ::testing::Test {
protected:
    Co2Maker() : e(("[Option]\nAllMakers=1\n[DriveRoots]\nC=" + card.Dir().string() + "\n").c_str()) {
        e.Main().CO21->trigger();
    }
    gui::TCO2SakugenSeteiForm& Window() { return e.windows->CO2SakugenSeteiForm(); }
    TempDir card;
    Editor e;
};

TEST_F(Co2Maker, OpensModelessAfterItsNoticeAndWritesTheFile) {
    EXPECT_EQ(e.prompter.shown,
              std::vector<std::string>{"CO2削減量設定ファイルの作成はサポートしていない機種もありますのでご注意願います"});
    ASSERT_TRUE(Window().isVisible());
    EXPECT_FALSE(Window().isModal());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("CO2削減設定ファイル作成"));
    EXPECT_EQ(Window().Edit0->text(), QStringLiteral("0"));

    Window().Edit0->setText(QStringLiteral("1"));
    Window().Edit1->setText(QStringLiteral("234"));
    Window().Edit2->setText(QStringLiteral("5"));
    const std::string path = card.Path("start.co2");
    e.chooser.script = {path};
    Window().Button1->click();
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    const FileDialogRequest& r = e.chooser.requests[0];
    EXPECT_EQ(r.filters[0].description, "CO2設定(*.co2)");
    EXPECT_EQ(r.defaultExt, "co2");  // a name typed without extension is found by its own filter
    EXPECT_EQ(r.initialDir, card.Dir().string());
    EXPECT_EQ(e.prompter.shown.back(), "書込み完了");
    EXPECT_NE(ReadFileBytes(path).find("CO2SAKUGENSETEI=12345         \r\n"), std::string::npos);
    EXPECT_FALSE(Window().isVisible());
    e.Main().CO21->trigger();  // opened again: the texts are kept
    EXPECT_EQ(Window().Edit1->text(), QStringLiteral("234"));
}

TEST_F(Co2Maker, RefusedInputAndCancelledOrFailedSavesKeepTheWindowOpen) {
    Window().Edit0->setText(QStringLiteral("1a"));
    Window().Button1->click();
    EXPECT_EQ(e.prompter.shown.back(), "半角数字で入力して下さい");
    EXPECT_TRUE(e.chooser.requests.empty());
    EXPECT_TRUE(Window().isVisible());

    Window().Edit0->setText(QStringLiteral("0"));
    e.chooser.script = {std::nullopt};
    Window().Button1->click();
    EXPECT_EQ(Window().Edit0->text(), QString());  // "0" thousands are emptied by the check
    EXPECT_TRUE(Window().isVisible());

    const std::string path = card.Path("kept.co2");
    WriteFileBytes(path, "earlier");
    e.files.failAtWrite = e.files.writes + 3;
    e.chooser.script = {path};
    Window().Button1->click();
    EXPECT_EQ(e.prompter.shown.back(), "ファイル ライトエラー");
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_TRUE(Window().isVisible());
    Window().Button2->click();
    EXPECT_FALSE(Window().isVisible());
}

}  // namespace
}  // namespace tesslor::test
