// The editing area's kept image of the board. After any sequence of edits made
// as the operator makes them (strokes, shapes, fills, undo and redo, the edit
// menu, the text editor's picture, a window hidden meanwhile), magnifications,
// palettes and scrolling, every pixel the image holds as up to date, and every
// area painted from it, is what a repaint without it shows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <random>

#include "GuiHarness.h"
#include "makers/Mongonhensyuu.h"

namespace tesslor::test {
namespace {

using gui::PaintBoxWidget;
using Tool = gui::TMainForm::Tool;

// An editor driven by a seeded random operator.
class Session {
public:
    Session(const std::string& config, unsigned seed) : e(config.c_str()), rng(seed) {
        auto& w = e.windows->MongonHensyuuForm();
        w.TmpBitmapPath = e.dir.Path("tmp.bmp");
        Editor::TypeInto(w.X_Edit(0), QStringLiteral("3"));
        Editor::TypeInto(w.Y_Edit(0), QStringLiteral("2"));
        Editor::TypeInto(w.MojiEdit(0), QStringLiteral("■A"));
    }

    PaintBoxWidget& Box() { return *e.Main().PaintBox1; }
    int Random(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    /// The area painted through PaintArea as a paint event paints it: with the
    /// kept image (cached) or every dot an ellipse and no kept image.
    QImage Paint(const QRect& area, bool cached) { return PaintBoxArea(Box(), area, cached); }
    /// The area painted without the kept image, every dot an ellipse.
    QImage Plain(const QRect& area) { return Paint(area, false); }
    /// An area around the last dot edited, painted both ways.
    std::string CheckAroundFocus() {
        const QPoint at = e.DotPixel(focus.x, focus.y);
        const QRect area = QRect(at.x() - 60 - Random(200), at.y() - 40 - Random(100), 150 + Random(250),
                                 100 + Random(150)) & Box().rect();
        if (area.isEmpty()) return "";
        return FirstDifference(Paint(area, true), Plain(area));
    }
    /// Every pixel the kept image holds as up to date, against a repaint without it.
    std::string CheckFresh() {
        const QRegion fresh = Box().FreshRegion();
        if (fresh.isEmpty()) return "";
        const QRect bounds = fresh.boundingRect();
        const QImage plain = Plain(bounds);
        for (const QRect& r : fresh) {
            const std::string d = FirstDifference(Box().KeptImage().copy(r), plain.copy(r.translated(-bounds.topLeft())));
            if (!d.empty()) return d + " of " + std::to_string(r.x()) + "," + std::to_string(r.y());
        }
        return "";
    }
    /// The whole box painted from the kept image, so that all of it is up to date.
    void PaintAll() {
        if (Box().KeepsImage()) Paint(Box().rect(), true);
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, Point dot) {
        const QPoint pos = e.DotPixel(dot.x, dot.y);
        QMouseEvent ev(type, pos, Box().mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(&Box(), &ev);
    }
    Point NearFocus() {
        return {std::clamp(focus.x + Random(41) - 20, 0, 479), std::clamp(focus.y + Random(41) - 20, 0, 79)};
    }
    /// Press, a few moves and a release with one button, around the focus.
    void Drag() {
        const Qt::MouseButton button = Random(4) == 0 ? Qt::RightButton : Qt::LeftButton;
        focus = {Random(480), Random(80)};
        Mouse(QEvent::MouseButtonPress, button, button, focus);
        for (int i = Random(5); i > 0; --i) Mouse(QEvent::MouseMove, Qt::NoButton, button, NearFocus());
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, NearFocus());
    }
    void ToolDrag() {
        const Tool tools[] = {Tool::Line, Tool::Rectangle, Tool::FilledRectangle, Tool::Fill};
        e.Main().SelectTool(tools[Random(4)]);
        Drag();
        e.Main().SelectTool(Tool::Pen);
    }
    void EditMenu() {
        gui::TMainForm& m = e.Main();
        switch (Random(5)) {
            case 0: m.ShiftClick(Random(3) - 1, Random(3) - 1); break;
            case 1: m.FlipHorizontallyClick(); break;
            case 2: m.FlipVerticallyClick(); break;
            case 3: m.SwapRedGreenClick(); break;
            default: m.ClearPictureClick(); break;
        }
    }
    void TextEditorPicture() {
        // The text editor asks before it drops an unsaved picture.
        e.prompter.answers.assign(3, true);
        e.windows->MongonHensyuuForm().MakeDataButton->click();
        e.prompter.answers.clear();
        focus = {3, 2};
    }
    void Magnify() {
        // Mostly the sizes kept as an image, now and then one too large for it.
        const int index = Random(8) == 0 ? 7 + Random(3) : Random(7);
        auto& mag = e.windows->MagnificationForm();
        mag.MagnificationComboBox->setCurrentIndex(index);
        mag.MagnificationComboBoxChange();
        QApplication::processEvents();
        PaintAll();
    }
    void Scroll() {
        QScrollArea* s = e.Main().ScrollBox;
        s->horizontalScrollBar()->setValue(Random(s->horizontalScrollBar()->maximum() + 1));
        s->verticalScrollBar()->setValue(Random(s->verticalScrollBar()->maximum() + 1));
    }
    void HiddenStroke() {
        e.Main().hide();
        Drag();
        e.Main().show();
    }
    void Recolour() {
        const QColor colours[] = {QColor(240, 240, 240), QColor(30, 60, 90), QColor(200, 0, 200)};
        QPalette palette = Box().palette();
        palette.setColor(QPalette::Window, colours[Random(3)]);
        Box().setPalette(palette);
    }
    /// One of the operator's actions, chosen at random; returns its name.
    const char* Step() {
        const int pick = Random(100);
        if (pick < 35) return Drag(), "stroke";
        if (pick < 50) return ToolDrag(), "shape or fill";
        if (pick < 58) return e.Main().UndoAction->trigger(), "undo";
        if (pick < 63) return e.Main().RedoAction->trigger(), "redo";
        if (pick < 69) return EditMenu(), "edit menu";
        if (pick < 73) return e.windows->PenColorForm().PenColorRadioGroup->Button(Random(3))->click(), "pen colour";
        if (pick < 78) return Magnify(), "magnification";
        if (pick < 82) return Recolour(), "palette";
        if (pick < 85) return TextEditorPicture(), "text editor";
        if (pick < 93) return Scroll(), "scroll";
        return HiddenStroke(), "stroke while hidden";
    }

    Editor e;
    std::mt19937 rng;
    Point focus{0, 0};
};

void RunSession(const std::string& config, unsigned seed, int steps) {
    Session s(config, seed);
    s.PaintAll();
    bool kept = false;
    for (int i = 0; i < steps; ++i) {
        const char* what = s.Step();
        SCOPED_TRACE(testing::Message() << "step " << i << " (" << what << ")");
        // Straight after the change, before any paint event: nothing stale is held as up to date.
        if (i % 40 == 0) {
            ASSERT_EQ(s.CheckFresh(), "");
        }
        if (s.Random(3) != 0) QApplication::processEvents();
        ASSERT_EQ(s.CheckAroundFocus(), "");
        kept = kept || s.Box().KeepsImage();
        if (s.Random(10) == 0) s.PaintAll();
    }
    EXPECT_TRUE(kept);  // the sequence did go through the kept image
    EXPECT_EQ(s.CheckFresh(), "");
}

TEST(KeptBoardImage, ShowsWhatARepaintShowsAfterRandomEditing) { RunSession("", 20240611u, 200); }

TEST(KeptBoardImage, ShowsWhatARepaintShowsWithTwoPanelRows) {
    // Rows the display lacks are neither drawn nor edited; their frame is blue.
    RunSession("[Led]\nYokoMaisuu=20\nTateMaisuu=2\n", 77u, 80);
}

TEST(KeptBoardImage, AnExposureCopiesAStrokeDrawsItsDotsAndAnythingElseOnlyWhatItTouched) {
    Session s("", 1u);
    PaintBoxWidget& box = s.Box();
    ASSERT_TRUE(box.KeepsImage());  // 100 %
    int runs = 0;
    const auto paint = box.onPaint;
    box.onPaint = [&] {
        ++runs;
        paint();
    };
    s.PaintAll();
    EXPECT_GE(runs, 1);
    EXPECT_EQ(box.FreshRegion(), QRegion(box.rect()));
    // A repaint with nothing changed (scrolling, a window uncovered) draws nothing.
    runs = 0;
    const QRect view(200, 50, 900, 500);  // holds dot (40, 20)
    const QImage before = s.Paint(view, true);
    EXPECT_EQ(runs, 0);
    // A dot painted goes straight into the image: nothing is out of date and
    // the repaint is again a copy.
    s.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {40, 20});
    s.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {40, 20});
    EXPECT_EQ(box.FreshRegion(), QRegion(box.rect()));
    const QImage after = s.Paint(view, true);
    EXPECT_EQ(runs, 0);
    EXPECT_NE(FirstDifference(after, before), "");
    EXPECT_EQ(FirstDifference(after, s.Plain(view)), "");
    // Anything else drawn takes its own box out of the up-to-date region, no
    // more, and the repaint draws the model there again.
    const LedClass& led = s.e.Doc().Board(2, 1).Led(8, 4);
    const QRect dot(led.X, led.Y, led.Size, led.Size);
    box.SetBrushColor(kWhite);
    box.Rectangle(dot.left(), dot.top(), dot.right() + 1, dot.bottom() + 1);
    EXPECT_EQ(QRegion(box.rect()) - box.FreshRegion(), QRegion(dot));
    runs = 0;
    EXPECT_EQ(FirstDifference(s.Paint(view, true), after), "");
    EXPECT_EQ(runs, 1);
    box.onPaint = paint;
}

TEST(KeptBoardImage, TooLargeABoxKeepsNoImageAndRefreshDropsEverything) {
    Session s("", 2u);
    PaintBoxWidget& box = s.Box();
    s.PaintAll();
    EXPECT_FALSE(box.FreshRegion().isEmpty());
    box.Refresh();
    EXPECT_TRUE(box.FreshRegion().isEmpty());
    auto& mag = s.e.windows->MagnificationForm();
    for (int index : {6, 7, 9}) {  // 200 %, 400 %, 1000 %
        mag.MagnificationComboBox->setCurrentIndex(index);
        mag.MagnificationComboBoxChange();
        QApplication::processEvents();
        const qsizetype pixels = static_cast<qsizetype>(box.width()) * box.height();
        EXPECT_EQ(box.KeepsImage(), pixels <= PaintBoxWidget::kMaxKeptPixels) << index;
        if (!box.KeepsImage()) {
            EXPECT_TRUE(box.KeptImage().isNull()) << index;  // no image of 40 million pixels or more
            EXPECT_TRUE(box.FreshRegion().isEmpty()) << index;
        }
    }
    EXPECT_TRUE(box.KeptImage().isNull());
}

}  // namespace
}  // namespace tesslor::test
