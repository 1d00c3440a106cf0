// The still-picture demo: its size, and its tick sequences driven by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include "GuiHarness.h"

namespace tesslor::test {
namespace {

TEST(Demo, RunsModallyAndHandsTheEditingAreaBack) {
    Editor e("[Led]\nYokoMaisuu=3\nTateMaisuu=2\n");
    auto& m = e.Main();
    auto& demo = e.windows->DemoForm();
    e.windows->MagnificationForm().MagnificationComboBox->setCurrentIndex(5);  // 150
    e.windows->MagnificationForm().MagnificationComboBoxChange();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_FALSE(m.isVisible());
        EXPECT_TRUE(demo.isVisible());
        EXPECT_EQ(demo.windowTitle(), QStringLiteral("デモ表示"));
        EXPECT_EQ(demo.Image1->size(), QSize(288, 192));
        EXPECT_EQ(demo.size(), QSize(288, 192 + gui::kDemoButtonStripHeight));  // the picture, then the GIF button's strip
        EXPECT_EQ(DemoWindowSizeFor(288, 192).width, 299);
        EXPECT_EQ(DemoWindowSizeFor(288, 192).height, 227);
        EXPECT_TRUE(demo.Image1->isVisible());
        EXPECT_FALSE(demo.Timer1->isActive());
        checked = true;
        demo.accept();
    });
    m.Demonstration->trigger();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(e.Doc().Pitch(), 16 * 12 + 3);  // 150 %, not the demo's 80 %
    EXPECT_EQ(e.Doc().CurrentSurface(), static_cast<DrawingSurface*>(m.PaintBox1));
}

TEST(Demo, BlinkAndScrollSequences) {
    Editor e;
    auto& demo = e.windows->DemoForm();
    Editor::Choose(e.Main().DisplayModeComboBox, 2);  // 点滅１
    demo.show();
    EXPECT_EQ(demo.Timer1->interval(), 1000);
    EXPECT_TRUE(demo.Timer1->isActive());
    EXPECT_TRUE(demo.Image1->isVisible());
    demo.Timer1Timer();
    EXPECT_FALSE(demo.Image1->isVisible());
    EXPECT_TRUE(demo.Image2->isVisible());
    demo.Timer1Timer();
    EXPECT_TRUE(demo.Image1->isVisible());
    EXPECT_FALSE(demo.Image2->isVisible());
    demo.hide();
    EXPECT_FALSE(demo.Timer1->isActive());

    Editor::Choose(e.Main().DisplayModeComboBox, 6);  // 上段スクロール
    e.Doc().Board(1, 0).Led(4, 0).Color = kLedGreen;  // dot column 20
    demo.show();
    EXPECT_EQ(demo.Timer1->interval(), 16);
    EXPECT_TRUE(demo.Image3->isVisible());
    EXPECT_FALSE(demo.Image1->isVisible());
    EXPECT_EQ(demo.Image3->width(), 1152);
    EXPECT_EQ(e.Doc().ScrollStripWidth(), 672);
    std::vector<int> lefts;
    for (int i = 0; i < 114; ++i) {
        demo.Timer1Timer();
        lefts.push_back(demo.Image3->x());
    }
    EXPECT_EQ(lefts[0], -6);
    EXPECT_EQ(lefts[111], -672);
    EXPECT_EQ(lefts[112], 0);  // -678 would pass the strip's end
    EXPECT_EQ(lefts[113], -6);
    demo.hide();
}

}  // namespace
}  // namespace tesslor::test
