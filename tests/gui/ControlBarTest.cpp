// The control bar's enabling rules and messages, and drawing with the mouse.
#include <gtest/gtest.h>

#include <QScrollArea>
#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QWheelEvent>

#include "GuiHarness.h"
#include "led/DocumentPicture.h"

namespace tesslor::test {
namespace {

constexpr const char* kRoot = "[User]\nUser=root\n";

TEST(ControlBar, DisplayModeDecidesWhatCanBeChosen) {
    Editor e(kRoot);
    auto& m = e.Main();
    Editor::Choose(m.DisplayModeComboBox, 1);  // 反転
    EXPECT_TRUE(m.ReverseModeColorRadioGroup->isEnabled());
    EXPECT_FALSE(m.SounyuuMojiComboBox->isEnabled());
    EXPECT_EQ(e.Doc().DisplayModeCode(), 'B');
    Editor::Choose(m.DisplayModeComboBox, 3);  // 点滅２
    EXPECT_TRUE(m.ReverseModeColorRadioGroup->isEnabled());
    Editor::Choose(m.DisplayModeComboBox, 4);  // スクロール
    EXPECT_FALSE(m.ReverseModeColorRadioGroup->isEnabled());
    EXPECT_TRUE(m.SounyuuMojiComboBox->isEnabled());
    EXPECT_FALSE(m.SounyuuItiComboBox->isEnabled());  // 挿入なし
    EXPECT_FALSE(m.NiniItiMaskEdit->isEnabled());
    Editor::Choose(m.SounyuuMojiComboBox, 3);  // 日付１～日付２挿入
    EXPECT_TRUE(m.SounyuuItiComboBox->isEnabled());
    EXPECT_FALSE(m.NiniItiMaskEdit->isEnabled());  // 位置指定なし
    EXPECT_EQ(e.Doc().SounyuuMojiCode(), 'C');
    Editor::Choose(m.SounyuuItiComboBox, 6);  // 下段任意
    EXPECT_TRUE(m.NiniItiMaskEdit->isEnabled());
    EXPECT_EQ(e.Doc().SounyuuItiCode(), 'c');
    Editor::Choose(m.SounyuuItiComboBox, 4);  // 下段左
    EXPECT_FALSE(m.NiniItiMaskEdit->isEnabled());
    Editor::Choose(m.SounyuuItiComboBox, 3);  // 上段任意
    Editor::Choose(m.DisplayModeComboBox, 0);  // 標準: everything off, the settings stay
    EXPECT_FALSE(m.SounyuuMojiComboBox->isEnabled());
    EXPECT_FALSE(m.SounyuuItiComboBox->isEnabled());
    EXPECT_FALSE(m.NiniItiMaskEdit->isEnabled());
    EXPECT_FALSE(m.ReverseModeColorRadioGroup->isEnabled());
    EXPECT_EQ(e.Doc().SounyuuMojiCode(), 'C');
    EXPECT_EQ(e.Doc().SounyuuItiCode(), 'C');
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST(ControlBar, ArbitraryPosition) {
    Editor e(kRoot);
    auto& m = e.Main();
    Editor::TypeInto(m.NiniItiMaskEdit, "479");
    EXPECT_EQ(e.Doc().NiniItiText(), "479");
    Editor::TypeInto(m.NiniItiMaskEdit, "480");
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"480より小さい値を入力して下さい"});
    EXPECT_EQ(e.Doc().NiniItiText(), "479");
    // The box shows what is stored and will be saved, not the refused text.
    EXPECT_EQ(m.NiniItiMaskEdit->text(), QStringLiteral("479"));
    Editor::TypeInto(m.NiniItiMaskEdit, "48");
    Editor::TypeInto(m.NiniItiMaskEdit, "480");
    EXPECT_EQ(e.Doc().NiniItiText(), "048");
    EXPECT_EQ(m.NiniItiMaskEdit->text(), QStringLiteral("048"));
    Editor::TypeInto(m.NiniItiMaskEdit, "7");
    EXPECT_EQ(e.Doc().NiniItiText(), "007");
    EXPECT_EQ(m.NiniItiMaskEdit->maxLength(), 3);
}

TEST(ControlBar, WriteNumberMessagesByCustomerMode) {
    {
        Editor e(kRoot);
        auto* box = e.Main().WriteNoMaskComboBox;
        Editor::TypeInto(box->lineEdit(), "0");
        EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"書込みNoは、1～99の数字を入力して下さい"});
        EXPECT_EQ(box->currentText(), QStringLiteral("0"));  // root keeps the text
        EXPECT_EQ(e.Doc().WriteNoText(), "1");
        Editor::TypeInto(box->lineEdit(), "99");
        EXPECT_EQ(e.Doc().WriteNoText(), "99");
        EXPECT_TRUE(e.Doc().Modified());
    }
    {
        Editor e("[User]\nUser=customer51_60\n");
        auto* box = e.Main().WriteNoMaskComboBox;
        Editor::Choose(box, 14);  // "55" from the list
        EXPECT_EQ(e.Doc().WriteNoText(), "55");
        Editor::TypeInto(box->lineEdit(), "11");
        EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"書込みNoは、1～10 51～60の数字を入力して下さい"});
        EXPECT_EQ(box->currentText(), QString());
        EXPECT_EQ(e.Doc().WriteNoText(), "55");
    }
    {
        Editor e;
        auto* box = e.Main().WriteNoMaskComboBox;
        Editor::TypeInto(box->lineEdit(), "5x");
        EXPECT_EQ(e.Doc().WriteNoText(), "5x");
        Editor::TypeInto(box->lineEdit(), "60");
        EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"書込みNoは、1～10の数字を入力して下さい"});
        EXPECT_EQ(box->currentText(), QString());
        EXPECT_EQ(e.Doc().WriteNoText(), "5x");
    }
}

TEST(ControlBar, ReverseColourAndPenColour) {
    Editor e;
    auto& m = e.Main();
    m.ReverseModeColorRadioGroup->SetItemIndex(1);
    EXPECT_EQ(e.Doc().ReverseColorIndex(), 1);
    EXPECT_TRUE(e.Doc().Modified());
    auto& pen = e.windows->PenColorForm();
    EXPECT_EQ(pen.windowTitle(), QStringLiteral("PenColor"));
    EXPECT_EQ(pen.PenColorRadioGroup->ItemIndex(), 0);
    pen.PenColorRadioGroup->Button(1)->click();
    EXPECT_EQ(m.PenColorValue(), kGreen);
    EXPECT_EQ(pen.PenColorRadioGroup->palette().color(QPalette::Window), QColor(0, 255, 0));
}

TEST(Drawing, BothButtonsDrawAndErase) {
    Editor e;
    auto& doc = e.Doc();
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(5, 6));
    EXPECT_EQ(doc.DotColor(5, 6), kLedRed);
    e.windows->PenColorForm().PenColorRadioGroup->SetItemIndex(2);
    e.Move(Qt::LeftButton, e.DotPixel(6, 6));
    e.Move(Qt::LeftButton, e.DotPixel(9, 6));  // the dots in between too: a fast stroke has no holes
    EXPECT_EQ(doc.DotColor(6, 6), kLedYellow);
    EXPECT_EQ(doc.DotColor(7, 6), kLedYellow);
    EXPECT_EQ(doc.DotColor(8, 6), kLedYellow);
    EXPECT_EQ(doc.DotColor(9, 6), kLedYellow);
    e.Press(Qt::RightButton, Qt::NoButton, e.DotPixel(5, 6));
    EXPECT_EQ(doc.DotColor(5, 6), kOff);
    e.Move(Qt::LeftButton | Qt::RightButton, e.DotPixel(6, 6));  // the right button wins
    EXPECT_EQ(doc.DotColor(6, 6), kOff);
    e.Move(Qt::NoButton, e.DotPixel(9, 6));
    EXPECT_EQ(doc.DotColor(9, 6), kLedYellow);
    e.Press(Qt::MiddleButton, Qt::NoButton, e.DotPixel(1, 1));
    EXPECT_EQ(doc.DotColor(1, 1), kOff);
    doc.HeldIn(doc.FileName);
    e.Press(Qt::LeftButton, Qt::NoButton, QPoint(2, 2));  // outside every panel
    EXPECT_FALSE(doc.Modified()) << "a stroke that changes no dot leaves nothing unsaved";
    EXPECT_EQ(doc.LastUsedColumn(), 0);
}

TEST(Drawing, CtrlWheelChangesTheMagnificationLikeItsWindow) {
    Editor e;
    auto& mag = e.windows->MagnificationForm();
    EXPECT_EQ(mag.MagnificationComboBox->currentText(), QStringLiteral("100"));
    auto wheel = [&](int delta) {
        QPoint p(200, 100);
        QWheelEvent ev(p, e.Main().PaintBox1->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e.Main().PaintBox1, &ev);
    };
    wheel(120);
    EXPECT_EQ(mag.MagnificationComboBox->currentText(), QStringLiteral("125"));
    EXPECT_EQ(e.Doc().Pitch(), 16 * 10 + 3);
    EXPECT_EQ(e.Main().PaintBox1->width(), 163 * 30 + 23);
    wheel(-240);
    EXPECT_EQ(mag.MagnificationComboBox->currentText(), QStringLiteral("80"));
    for (int i = 0; i < 20; ++i) wheel(120);
    EXPECT_EQ(mag.MagnificationComboBox->currentText(), QStringLiteral("1000"));
    EXPECT_EQ(e.Main().PaintBox1->width(), 38513);
    EXPECT_EQ(e.Main().PaintBox1->height(), 6442);
    // Drawing still hits the right dot at 1000 %.
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(100, 40));
    EXPECT_EQ(e.Doc().DotColor(100, 40), kLedRed);
    // The window's own list goes the same way.
    mag.MagnificationComboBox->setCurrentIndex(0);
    emit mag.MagnificationComboBox->activated(0);
    EXPECT_EQ(e.Doc().Pitch(), 35);
}

// Shown scaled, a click still lands on the dot under the pointer, and a dot
// drawn reaches the screen where it lies.
TEST(Drawing, AScaledFitDrawsTheDotUnderThePointer) {
    Editor e;
    // Dots of 3 pixels: a dot's centre lies inside it by the pen's own rule.
    e.Main().resize(1900, 700);
    QApplication::processEvents();
    e.Main().ZentaiHyouji->trigger();
    QApplication::processEvents();
    gui::PaintBoxWidget& box = *e.Main().PaintBox1;
    ASSERT_GT(box.DisplayScale(), 1.0);
    for (const QPoint dot : {QPoint(0, 0), QPoint(479, 79), QPoint(200, 40)}) {
        const QPoint onWidget = box.ToWidget(e.DotPixel(dot.x(), dot.y()));
        QMouseEvent press(QEvent::MouseButtonPress, onWidget, box.mapToGlobal(onWidget), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, onWidget, box.mapToGlobal(onWidget), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &release);
        EXPECT_EQ(e.Doc().DotColor(dot.x(), dot.y()), kLedRed) << dot.x() << "," << dot.y();
    }
    // What shows at the last dot's centre is its red.
    QApplication::processEvents();
    const QImage shown = box.grab().toImage();
    const QPoint centre = box.ToWidget(e.DotPixel(200, 40));
    const QColor c = shown.pixelColor(centre);
    EXPECT_GT(c.red(), 200);
    EXPECT_LT(c.green(), 60);
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
namespace {

// 全体表示 (Ctrl+0) lays the whole board's width into the window, follows the
// window's width, closes the magnification window like any pick, and the
// next run starts with the magnification the last one ended with.
TEST(Drawing, FitShowsTheWholeWidthAndIsKeptForTheNextRun) {
    Editor e;
    auto& mag = e.windows->MagnificationForm();
    e.Main().resize(1000, 600);
    QApplication::processEvents();
    e.Main().ZentaiHyouji->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(mag.FitSelected());
    const int narrow = e.Doc().Pitch();
    // The whole board fills the width, not the layout of whole-pixel dots below it.
    const auto fills = [&] {
        const int area = e.Main().ScrollBox->viewport()->width();
        EXPECT_LE(e.Main().PaintBox1->width(), area);
        EXPECT_GE(e.Main().PaintBox1->width(), area - 2);
    };
    fills();
    e.Main().resize(1900, 700);
    QApplication::processEvents();
    EXPECT_GT(e.Doc().Pitch(), narrow) << "a wider window, larger dots";
    fills();
    EXPECT_NE(e.Main().MagnificationStatusLabel->text().toStdString(), MagnificationText(e.windows->MagnificationForm().Magnification()))
        << "the status says the magnification that shows";
    // From 全体表示 the wheel steps to the listed percentages around it.
    EXPECT_TRUE(mag.StepMagnification(1));
    EXPECT_FALSE(mag.FitSelected());

    // A pick in the window closes it.
    mag.show();
    Editor::Choose(mag.MagnificationComboBox, 1);
    EXPECT_FALSE(mag.isVisible());
    EXPECT_EQ(mag.Magnification(), 50);

    // Kept with the recent files: a new run starts where this one ended.
    e.windows.reset();
    e.windows = std::make_unique<gui::EditorWindows>(e.env);
    EXPECT_EQ(e.windows->MagnificationForm().Choice(), "50");
    EXPECT_EQ(e.Doc().Pitch(), 16 * 4 + 3);
}

}  // namespace
}  // namespace tesslor::test
