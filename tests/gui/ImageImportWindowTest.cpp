// ファイル → 画像の読み込み…: the window's preview is the import's dots, OK makes
// them the picture in one undo step, Cancel and a bad file change nothing, and
// a drag in the preview moves the image.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "BmpBytes.h"
#include "GifBytes.h"
#include "GuiHarness.h"
#include "UnsavedDocument.h"
#include "app/ImageImportunit.h"
#include "platform/DotPreviewBox.h"
#include "platform/Paths.h"

namespace tesslor::test {
namespace {

using bmpbytes::Bmp;

class ImageImportWindow : public ::testing::Test {
protected:
    ImageImportWindow() {
        // A 4 x 2 image: red, green, grey 200, grey 100 / black, white, red 129, red 127.
        WriteFileBytes(e.dir.Path("in.bmp"), Bmp({{{255, 0, 0}, {0, 255, 0}, {200, 200, 200}, {100, 100, 100}},
                                                  {{0, 0, 0}, {255, 255, 255}, {129, 0, 0}, {127, 0, 0}}}));
        image.Set(0, 0, 255, 0, 0);
        image.Set(1, 0, 0, 255, 0);
        image.Set(2, 0, 200, 200, 200);
        image.Set(3, 0, 100, 100, 100);
        image.Set(0, 1, 0, 0, 0);
        image.Set(1, 1, 255, 255, 255);
        image.Set(2, 1, 129, 0, 0);
        image.Set(3, 1, 127, 0, 0);
    }
    /// Picks the file in 画像の読み込み…; while the window is up, during(form) runs.
    void Import(const std::function<void(gui::TImageImportForm&)>& during,
                std::deque<std::optional<std::string>> dialogs = {}) {
        if (dialogs.empty()) dialogs = {e.dir.Path("in.bmp")};
        e.chooser.script = std::move(dialogs);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* form = e.Main().findChild<gui::TImageImportForm*>();
            ASSERT_NE(form, nullptr);
            ran = true;
            during(*form);
            if (form->isVisible()) form->reject();
        });
        e.Main().ImageImport->trigger();
        EXPECT_TRUE(ran) << "the window came up";
    }
    Editor e;
    RgbaImage image{4, 2};
};

TEST_F(ImageImportWindow, OkTakesThePreviewsDotsAsOneUndoStep) {
    e.Doc().HeldIn("");
    ImportOptions chosen;
    Import([&](gui::TImageImportForm& f) {
        EXPECT_FALSE(f.AnimationButton->isVisibleTo(&f)) << "a still image has no frames to animate";
        f.ThresholdSlider->setValue(150);
        f.InvertCheckBox->setChecked(true);
        f.ColourComboBox->setCurrentIndex(3);  // 橙
        f.XSpinBox->setValue(10);
        chosen = f.Options();
        EXPECT_EQ(chosen.threshold, 150);
        EXPECT_TRUE(chosen.invert);
        EXPECT_EQ(chosen.colour, ImportColour::Orange);
        EXPECT_EQ(f.Dots(), ImportImageDots(image, chosen, DisplayShapeOf(e.Main().Config())));
        std::vector<std::uint8_t> shown(f.Dots().Codes().begin(), f.Dots().Codes().end());
        EXPECT_EQ(f.PreviewBox->Dots(), shown) << "the preview shows what OK gives";
        f.OkButton->click();
    });
    EXPECT_EQ(CapturePicture(e.Doc()), ImportImageDots(image, chosen, DisplayShapeOf(e.Main().Config())));
    EXPECT_EQ(e.Doc().DotColor(10, 0), kLedYellow) << "dark red under an inverted test";
    EXPECT_EQ(e.Doc().FileName, "");
    EXPECT_TRUE(e.Doc().Modified()) << "a new picture no file holds";
    e.Main().UndoAction->trigger();
    EXPECT_EQ(CapturePicture(e.Doc()), PictureDots{}) << "one step back is the picture before";
}

TEST_F(ImageImportWindow, CancelABadFileAndAnUnsavedPictureChangeNothing) {
    MarkUnsaved(e.Doc());
    const PictureDots before = CapturePicture(e.Doc());
    // The discard question first: No keeps the drawing and asks for no file.
    e.prompter.answers = {false};
    e.Main().ImageImport->trigger();
    EXPECT_TRUE(e.chooser.requests.empty());
    // Yes, then the window's キャンセル.
    e.prompter.answers = {true};
    Import([](gui::TImageImportForm& f) { f.CancelButton->click(); });
    EXPECT_EQ(CapturePicture(e.Doc()), before);
    // A file that is no image says so, naming it.
    WriteFileBytes(e.dir.Path("in.bmp"), "BM not really");
    e.prompter.answers = {true};
    e.prompter.shown.clear();
    e.chooser.script = {e.dir.Path("in.bmp")};
    e.Main().ImageImport->trigger();
    ASSERT_EQ(e.prompter.shown.size(), 2u);
    EXPECT_EQ(e.prompter.shown[1], "ファイル " + e.dir.Path("in.bmp") + " は画像として読めません（PNG、JPEG、GIF、BMP などを読めます）");
    EXPECT_EQ(CapturePicture(e.Doc()), before);
}

TEST_F(ImageImportWindow, ADragInThePreviewMovesTheImage) {
    Import([](gui::TImageImportForm& f) {
        f.XSpinBox->setValue(3);
        const int d = gui::DotPreviewBox::kDotPixels;
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
            QMouseEvent ev(type, at, f.PreviewBox->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(f.PreviewBox, &ev);
        };
        send(QEvent::MouseButtonPress, QPoint(20 * d, 10 * d), Qt::LeftButton);
        send(QEvent::MouseMove, QPoint(27 * d, 9 * d), Qt::LeftButton);
        send(QEvent::MouseMove, QPoint(30 * d, 9 * d), Qt::LeftButton);
        EXPECT_EQ(f.XSpinBox->value(), 3 + 10);
        EXPECT_EQ(f.YSpinBox->value(), -1);
        // The image's second row (black, white, red 129, red 127) is now the board's first.
        EXPECT_EQ(f.Dots().Get(13, 0), kOff);
        EXPECT_EQ(f.Dots().Get(14, 0), kLedYellow);
        EXPECT_EQ(f.Dots().Get(15, 0), kLedRed);
        EXPECT_EQ(f.Dots().Get(16, 0), kOff);
        EXPECT_EQ(f.Dots().Get(14, 1), kOff);
        // A position chosen for one size would put the other off the board.
        f.SizeComboBox->setCurrentIndex(1);
        EXPECT_EQ(f.Options().x, 0);
        EXPECT_EQ(f.Options().y, 0);
    });
}

#ifndef TESSLOR_NO_GIF
TEST_F(ImageImportWindow, AnAnimatedGifComesInAsAnAnimationBesideItsList) {
    using namespace gifbytes;
    WriteFileBytes(e.dir.Path("walk.gif"), MakeGif(2, 1, {{0, 0, 2, 1, {kR, kK}, DISPOSE_DO_NOT, 5},
                                                          {1, 0, 1, 1, {kG}, DISPOSE_DO_NOT, 20},
                                                          {0, 0, 1, 1, {kK}, DISPOSE_DO_NOT, 30}}));
    Editor::TypeInto(e.Main().WriteNoMaskComboBox->lineEdit(), "5");  // the animation's write number
    e.prompter.answers = {true};  // the picture's new number is an unsaved change: it may go
    const PictureDots before = CapturePicture(e.Doc());
    Import(
        [](gui::TImageImportForm& f) {
            EXPECT_TRUE(f.AnimationButton->isVisibleTo(&f));
            f.XSpinBox->setValue(4);
            f.AnimationButton->click();
        },
        {e.dir.Path("walk.gif"), e.dir.Path("walk.alt")});
    ASSERT_FALSE(e.chooser.requests.empty());
    EXPECT_EQ(e.chooser.requests.back().fileName, PathInFolder(e.Main().DriveRoot(), "walk.alt")) << "named after the image";
    EXPECT_EQ(ReadFileBytes(e.dir.Path("walk.alt")), "ANIMATION_QUALITY_SUPER\r\n5\r\n20\r\nwalk_01.lee\r\nwalk_02.lee\r\nwalk_03.lee\r\n");
    // Each frame placed as the window showed the first: at column 4.
    EXPECT_NE(ReadFileBytes(e.dir.Path("walk_02.lee")).find("$004:8000"), std::string::npos);
    EXPECT_EQ(e.prompter.shown.back(), "walk.alt と絵 3 枚を書き込みました");
    EXPECT_EQ(CapturePicture(e.Doc()), before) << "the picture on screen stays";
}
#endif

}  // namespace
}  // namespace tesslor::test
