// Editing as a paint program edits: undo and redo of every change of the
// picture with Modified kept right, gap-free pen strokes, the drawing tools,
// the whole-picture commands of 編集 and the status bar.
#include <gtest/gtest.h>

#include <QTest>

#include "platform/WindowSizes.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

#include "GuiHarness.h"
#include "led/PictureDots.h"
#include "makers/Mongonhensyuu.h"

namespace tesslor::test {
namespace {

using Tool = gui::TMainForm::Tool;

// An editor whose drive C is a scratch folder, with mouse strokes by dot.
class Editing : public ::testing::Test {
protected:
    explicit Editing(const std::string& led = "")
        : e(("[User]\nUser=root\n" + led + "[DriveRoots]\nC=" + card.Dir().string() + "\n").c_str()) {}

    PictureDots Picture() { return CapturePicture(e.Doc()); }
    gui::TMainForm& Main() { return e.Main(); }

    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, Point dot,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const QPoint pos = e.DotPixel(dot.x, dot.y);
        QMouseEvent ev(type, pos, Main().PaintBox1->mapToGlobal(pos), button, held, keys);
        QApplication::sendEvent(Main().PaintBox1, &ev);
    }
    // Press on the first dot, move through the others, release on the last.
    void Drag(Qt::MouseButton button, const std::vector<Point>& path, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, button, button, path.front(), keys);
        for (std::size_t i = 1; i < path.size(); ++i) Mouse(QEvent::MouseMove, Qt::NoButton, button, path[i], keys);
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, path.back(), keys);
    }
    void Undo() { Main().UndoAction->trigger(); }
    void Redo() { Main().RedoAction->trigger(); }
    bool Modified() { return e.Doc().Modified(); }
    void SaveAs(const std::string& name) {
        e.chooser.script = {card.Path(name)};
        Main().FileWriteName->trigger();
        ASSERT_FALSE(Modified());
    }

    TempDir card;
    Editor e;
};

// ---- pen strokes ----

TEST_F(Editing, AFastPenDragLightsEveryDotBetweenPositionsAndIsOneStep) {
    Drag(Qt::LeftButton, {{2, 3}, {40, 20}, {40, 60}});
    PictureDots stroke;
    DrawLine(stroke, {2, 3}, {40, 20}, kLedRed);
    DrawLine(stroke, {40, 20}, {40, 60}, kLedRed);
    EXPECT_EQ(Picture(), stroke);
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Main().UndoAction->isEnabled());
    EXPECT_FALSE(Main().RedoAction->isEnabled());

    Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());  // back at the picture of the start
    EXPECT_FALSE(Main().UndoAction->isEnabled());
    EXPECT_TRUE(Main().RedoAction->isEnabled());
    Redo();
    EXPECT_EQ(Picture(), stroke);
    EXPECT_TRUE(Modified());

    // The right button erases along a fast drag as well.
    Drag(Qt::RightButton, {{2, 3}, {40, 20}});
    PictureDots erased = stroke;
    DrawLine(erased, {2, 3}, {40, 20}, kOff);
    EXPECT_EQ(Picture(), erased);
    Undo();
    EXPECT_EQ(Picture(), stroke);

    // A new change after an undo leaves nothing to redo.
    EXPECT_TRUE(Main().RedoAction->isEnabled());
    Drag(Qt::LeftButton, {{100, 5}});
    EXPECT_FALSE(Main().RedoAction->isEnabled());
    EXPECT_EQ(e.Doc().DotColor(100, 5), kLedRed);
    Undo();
    EXPECT_EQ(Picture(), stroke);
    Undo();
    EXPECT_EQ(Picture(), PictureDots());
}

TEST_F(Editing, UndoBackToTheSavedPictureClearsModifiedAndCloseAsksNothing) {
    Drag(Qt::LeftButton, {{1, 1}, {5, 1}});
    const PictureDots saved = Picture();
    SaveAs("a.lee");
    Drag(Qt::LeftButton, {{1, 5}, {5, 9}});
    EXPECT_TRUE(Modified());
    Undo();
    EXPECT_EQ(Picture(), saved);
    EXPECT_FALSE(Modified());
    Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_EQ(Main().Document().FileName, "");  // the picture before its first save had no name
    EXPECT_FALSE(Modified());  // the empty start loses nothing
    Redo();
    EXPECT_EQ(Main().Document().FileName, card.Path("a.lee"));
    EXPECT_FALSE(Modified());
    e.prompter.shown.clear();
    EXPECT_TRUE(Main().close());
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST_F(Editing, OpenOpenUndoSaveKeepsEveryFileItsOwnPicture) {
    // Two digits, as a file read gives the write number back.
    Editor::TypeInto(Main().WriteNoMaskComboBox->lineEdit(), QStringLiteral("01"));
    Drag(Qt::LeftButton, {{2, 2}, {9, 2}});
    SaveAs("kion.lee");
    e.prompter.answers = {true};
    Main().NewFileOpen->trigger();
    Drag(Qt::LeftButton, {{30, 20}, {30, 28}});
    Editor::Choose(Main().DisplayModeComboBox, 2);
    SaveAs("waku.lee");
    const std::string kion = ReadFileBytes(card.Path("kion.lee")), waku = ReadFileBytes(card.Path("waku.lee"));

    for (const char* name : {"kion.lee", "waku.lee"}) {
        e.chooser.script = {card.Path(name)};
        Main().FileOpen->trigger();
    }
    Undo();
    EXPECT_EQ(Main().Document().FileName, card.Path("kion.lee"));
    EXPECT_EQ(Main().DisplayModeComboBox->currentIndex(), 0);
    EXPECT_FALSE(Modified());
    Main().UwagakiHozonButton->click();
    Redo();
    EXPECT_EQ(Main().DisplayModeComboBox->currentIndex(), 2);
    Main().FileWrite->trigger();
    EXPECT_TRUE(e.chooser.script.empty());
    EXPECT_EQ(ReadFileBytes(card.Path("kion.lee")), kion);
    EXPECT_EQ(ReadFileBytes(card.Path("waku.lee")), waku);
}

TEST_F(Editing, CtrlZInABarTextBoxUndoesThePictureUntilTheBoxHasTypingOfItsOwn) {
    Drag(Qt::LeftButton, {{4, 4}, {8, 4}});
    // The write number's box has the keys for its line edit.
    QComboBox* box = Main().WriteNoMaskComboBox;
    QApplication::setActiveWindow(&Main());
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Picture(), PictureDots()) << "the box had nothing to take back";
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(Picture(), PictureDots());

    // Typed into, the box takes its own typing back first.
    QTest::keyClicks(box, QStringLiteral("5"));
    const QString typed = box->currentText();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(box->currentText(), typed);
    EXPECT_NE(Picture(), PictureDots());
}

TEST_F(Editing, AnUnsavedSettingStaysUnsavedThroughUndo) {
    SaveAs("b.lee");
    Editor::Choose(Main().DisplayModeComboBox, 4);
    ASSERT_TRUE(Modified());
    Drag(Qt::LeftButton, {{3, 3}});
    Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_TRUE(Modified());  // the display mode is not in the file yet
    // Chosen back, the setting is a step of its own; it is what the file holds again.
    Editor::Choose(Main().DisplayModeComboBox, 0);
    Undo();
    EXPECT_EQ(Main().DisplayModeComboBox->currentIndex(), 4);
    EXPECT_TRUE(Modified());
    Redo();
    EXPECT_EQ(Main().DisplayModeComboBox->currentIndex(), 0);
    EXPECT_FALSE(Modified());
}

TEST_F(Editing, NewOpenImportAndTextRenderingAreOneStepEach) {
    Drag(Qt::LeftButton, {{0, 0}, {20, 0}});
    const PictureDots inFile = Picture();
    SaveAs("a.lee");

    // 新規作成
    Drag(Qt::LeftButton, {{0, 10}, {0, 30}});
    const PictureDots drawn = Picture();
    e.prompter.answers = {true};
    Main().NewFileOpen->trigger();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());
    Undo();
    EXPECT_EQ(Picture(), drawn);
    EXPECT_TRUE(Modified());
    Redo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());

    // 開く
    e.chooser.script = {card.Path("a.lee")};
    Main().FileOpen->trigger();
    EXPECT_EQ(Picture(), inFile);
    EXPECT_FALSE(Modified());
    Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());  // the new picture before the open loses nothing
    Redo();
    EXPECT_EQ(Picture(), inFile);
    EXPECT_FALSE(Modified());

    // ビットマップファイルを開く
    Drag(Qt::RightButton, {{0, 0}, {10, 0}});
    const PictureDots partial = Picture();
    e.chooser.script = {card.Path("p.bmp")};
    Main().BmpFileWrite->trigger();
    ASSERT_TRUE(std::filesystem::exists(card.Path("p.bmp")));
    e.prompter.answers = {true};
    Main().NewFileOpen->trigger();
    e.chooser.script = {card.Path("p.bmp")};
    Main().BmpFileOpen->trigger();
    EXPECT_EQ(Picture(), partial);
    EXPECT_TRUE(Modified());  // a converted picture no LED data file holds
    Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());
    Redo();
    EXPECT_EQ(Picture(), partial);
    EXPECT_TRUE(Modified());

    // 表示データ作成 of the text editor
    auto& w = e.windows->MongonHensyuuForm();
    w.TmpBitmapPath = e.dir.Path("tmp.bmp");
    Editor::TypeInto(w.X_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.Y_Edit(0), QStringLiteral("0"));
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("■"));
    e.prompter.answers = {true};  // the converted bitmap is in no LED data file: asked before it goes
    w.MakeDataButton->click();
    const PictureDots text = Picture();
    ASSERT_NE(text, partial);
    const bool modifiedAfterText = Modified();
    EXPECT_TRUE(modifiedAfterText);  // a new picture, in no file yet
    Undo();
    EXPECT_EQ(Picture(), partial);
    EXPECT_TRUE(Modified());  // the converted bitmap, still in no LED data file
    Redo();
    EXPECT_EQ(Picture(), text);
    EXPECT_EQ(Modified(), modifiedAfterText);
}

// ---- tools ----

TEST_F(Editing, ShapesAndFillPaintWithTheLeftButtonEraseWithTheRightAndUndoOneByOne) {
    EXPECT_EQ(Main().CurrentTool(), Tool::Pen);
    EXPECT_TRUE(Main().PenToolButton->isChecked());
    Main().LineToolButton->click();
    EXPECT_EQ(Main().CurrentTool(), Tool::Line);
    EXPECT_TRUE(Main().LineToolButton->isChecked());
    EXPECT_FALSE(Main().PenToolButton->isChecked());

    // The line follows the pointer; where it was before leaves nothing.
    PictureDots expected;
    Drag(Qt::LeftButton, {{10, 10}, {60, 70}, {30, 20}});
    DrawLine(expected, {10, 10}, {30, 20}, kLedRed);
    EXPECT_EQ(Picture(), expected);
    EXPECT_TRUE(Modified());
    // Shift holds it to 0, 45 or 90 degrees.
    Drag(Qt::LeftButton, {{10, 40}, {50, 44}}, Qt::ShiftModifier);
    DrawLine(expected, {10, 40}, {50, 40}, kLedRed);
    EXPECT_EQ(Picture(), expected);
    Drag(Qt::LeftButton, {{300, 10}, {318, 27}}, Qt::ShiftModifier);
    DrawLine(expected, {300, 10}, {318, 28}, kLedRed);
    EXPECT_EQ(Picture(), expected);
    Drag(Qt::RightButton, {{10, 10}, {30, 20}});
    DrawLine(expected, {10, 10}, {30, 20}, kOff);
    EXPECT_EQ(Picture(), expected);

    Main().RectangleToolButton->click();
    Drag(Qt::LeftButton, {{100, 10}, {140, 50}, {120, 30}});
    DrawRectangle(expected, {100, 10}, {120, 30}, kLedRed, false);
    EXPECT_EQ(Picture(), expected);
    Main().FilledRectangleToolButton->click();
    Drag(Qt::LeftButton, {{210, 20}, {200, 10}});
    DrawRectangle(expected, {200, 10}, {210, 20}, kLedRed, true);
    EXPECT_EQ(Picture(), expected);
    Drag(Qt::RightButton, {{202, 12}, {205, 15}});
    DrawRectangle(expected, {202, 12}, {205, 15}, kOff, true);
    EXPECT_EQ(Picture(), expected);

    // Fill inside the outline; the right button then erases the joined red dots.
    Main().FillToolButton->click();
    Drag(Qt::LeftButton, {{110, 20}});
    DrawRectangle(expected, {101, 11}, {119, 29}, kLedRed, true);
    EXPECT_EQ(Picture(), expected);
    Drag(Qt::RightButton, {{110, 20}});
    DrawRectangle(expected, {100, 10}, {120, 30}, kOff, true);
    EXPECT_EQ(Picture(), expected);

    for (int i = 0; i < 9; ++i) Undo();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());
    EXPECT_FALSE(Main().UndoAction->isEnabled());
}

TEST_F(Editing, EscapeDropsTheShapeBeingDragged) {
    Main().RectangleToolButton->click();
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {9, 9});
    EXPECT_EQ(e.Doc().DotColor(9, 9), kLedRed);  // the preview
    QTest::keyClick(&Main(), Qt::Key_Escape);
    EXPECT_EQ(Picture(), PictureDots());
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {9, 9});
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified());
    EXPECT_FALSE(Main().UndoAction->isEnabled());
}

// ---- whole-picture commands ----

class EditingTwoPanelRows : public Editing {
protected:
    EditingTwoPanelRows() : Editing("[Led]\nTateMaisuu=2\n") {}
};

TEST_F(EditingTwoPanelRows, TransformsAreOneStepEachAndDisabledRowsStayDark) {
    // Nothing to move: no step, nothing modified.
    Main().ShiftLeftAction->trigger();
    EXPECT_FALSE(Main().UndoAction->isEnabled());
    EXPECT_FALSE(Modified());

    Drag(Qt::LeftButton, {{0, 0}});
    Drag(Qt::LeftButton, {{20, 31}});
    e.windows->PenColorForm().PenColorRadioGroup->Button(1)->click();
    Drag(Qt::LeftButton, {{5, 10}});
    const PictureDots start = Picture();

    struct Case {
        QAction* action;
        std::vector<std::pair<Point, LedColor>> dots;  // every lit dot afterwards
    };
    const Case cases[] = {
        {Main().ShiftDownAction, {{{0, 1}, kLedRed}, {{5, 11}, kLedGreen}}},  // row 32 is not on the display
        {Main().ShiftUpAction, {{{0, 0}, kLedRed}, {{5, 10}, kLedGreen}}},
        {Main().ShiftRightAction, {{{1, 0}, kLedRed}, {{6, 10}, kLedGreen}}},
        {Main().ShiftLeftAction, {{{0, 0}, kLedRed}, {{5, 10}, kLedGreen}}},
        {Main().ShiftLeftAction, {{{4, 10}, kLedGreen}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action->text().toStdString());
        const PictureDots before = Picture();
        c.action->trigger();
        PictureDots expected;
        for (const auto& [p, code] : c.dots) expected.Set(p.x, p.y, code);
        EXPECT_EQ(Picture(), expected);
        Undo();
        EXPECT_EQ(Picture(), before);
        Redo();
        EXPECT_EQ(Picture(), expected);
    }
    for (int i = 0; i < 5; ++i) Undo();
    EXPECT_EQ(Picture(), start);

    // Flips keep to the used width (two panels here) and the display's 32 rows.
    Main().FlipHorizontalAction->trigger();
    EXPECT_EQ(e.Doc().DotColor(31, 0), kLedRed);
    EXPECT_EQ(e.Doc().DotColor(11, 31), kLedRed);
    EXPECT_EQ(e.Doc().DotColor(26, 10), kLedGreen);
    Undo();
    EXPECT_EQ(Picture(), start);
    Main().FlipVerticalAction->trigger();
    EXPECT_EQ(e.Doc().DotColor(0, 31), kLedRed);
    EXPECT_EQ(e.Doc().DotColor(20, 0), kLedRed);
    EXPECT_EQ(e.Doc().DotColor(5, 21), kLedGreen);
    Undo();
    EXPECT_EQ(Picture(), start);
    Main().SwapRedGreenAction->trigger();
    EXPECT_EQ(e.Doc().DotColor(0, 0), kLedGreen);
    EXPECT_EQ(e.Doc().DotColor(5, 10), kLedRed);
    Undo();
    EXPECT_EQ(Picture(), start);
    Main().ClearPictureAction->trigger();
    EXPECT_EQ(Picture(), PictureDots());
    EXPECT_FALSE(Modified()) << "emptied, it is the empty picture of the start again";
    Undo();
    EXPECT_EQ(Picture(), start);
}

// ---- menu and status bar ----

TEST_F(Editing, TheEditMenuFollowsFileAndTheSpecifiedMenusKeepTheirPlaces) {
    const QList<QAction*> top = Main().menuBar()->actions();
    ASSERT_GE(top.size(), 6);
    EXPECT_EQ(top[0], Main().File->menuAction());
    EXPECT_EQ(top[1], Main().Edit->menuAction());
    EXPECT_EQ(top[1]->text(), QStringLiteral("編集(&E)"));
    EXPECT_EQ(top[2], Main().PenColor);
    EXPECT_EQ(top[3], Main().R1->menuAction());
    EXPECT_EQ(top[4], Main().Hyouji->menuAction());
    EXPECT_EQ(top[5], Main().Etc->menuAction());
    QStringList captions;
    for (QAction* a : Main().Edit->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"元に戻す", "やり直し", "-", "左へ1ドット", "右へ1ドット", "上へ1ドット",
                                     "下へ1ドット", "左右反転", "上下反転", "赤と緑を入れ替え", "消去"}));
    EXPECT_EQ(Main().UndoAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(Main().FileWriteName->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_TRUE(Main().RedoAction->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));
    EXPECT_TRUE(Main().RedoAction->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    // The tools stand beside the control bar: the editing area is where it was.
    EXPECT_EQ(Main().PaintBox1->mapTo(Main().centralWidget(), QPoint(0, 0)), QPoint(1, 64));
    EXPECT_EQ(Main().Panel1->mapTo(Main().centralWidget(), QPoint(0, 0)), QPoint(0, 0));
    // The window grew by the tool bar and the status bar: the bar's last box,
    // 任意位置, is still whole inside the client area the window had before.
    QApplication::processEvents();
    const QRect nini(Main().NiniItiMaskEdit->mapTo(Main().centralWidget(), QPoint(0, 0)),
                     Main().NiniItiMaskEdit->size());
    EXPECT_TRUE(Main().centralWidget()->rect().contains(nini)) << nini.right() << " " << Main().centralWidget()->width();
    EXPECT_GE(Main().centralWidget()->width(), ClientSizeOf(kMainFormSize, kSizeableFrame).width);
}

TEST_F(Editing, TheStatusBarShowsDotPanelPenMagnificationAndUsedWidth) {
    e.Move(Qt::NoButton, e.DotPixel(37, 20));
    EXPECT_EQ(Main().PositionStatusLabel->text(), QStringLiteral("X 37  Y 20  パネル 2,1"));
    EXPECT_EQ(Main().PenColorStatusLabel->text(), QStringLiteral("ペン 赤"));
    EXPECT_EQ(Main().MagnificationStatusLabel->text(), QStringLiteral("倍率 100%"));
    EXPECT_EQ(Main().UsedWidthStatusLabel->text(), QStringLiteral("使用幅 0ドット"));
    Drag(Qt::LeftButton, {{37, 20}});
    EXPECT_EQ(Main().UsedWidthStatusLabel->text(), QStringLiteral("使用幅 48ドット"));
    Undo();
    EXPECT_EQ(Main().UsedWidthStatusLabel->text(), QStringLiteral("使用幅 0ドット"));

    auto& pen = e.windows->PenColorForm();
    pen.PenColorRadioGroup->Button(2)->click();
    pen.done(QDialog::Accepted);
    EXPECT_EQ(Main().PenColorStatusLabel->text(), QStringLiteral("ペン 黄"));

    Editor::Choose(e.windows->MagnificationForm().MagnificationComboBox, 6);
    EXPECT_EQ(Main().MagnificationStatusLabel->text(), QStringLiteral("倍率 200%"));
    e.Move(Qt::NoButton, e.DotPixel(479, 79));
    EXPECT_EQ(Main().PositionStatusLabel->text(), QStringLiteral("X 479  Y 79  パネル 29,4"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Main().PaintBox1, &leave);
    EXPECT_EQ(Main().PositionStatusLabel->text(), QString());
}

}  // namespace
}  // namespace tesslor::test
