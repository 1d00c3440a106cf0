// ファイル → 画像の読み込み…: the window's preview is the import's dots, OK makes
// them the picture in one undo step, Cancel and a bad file change nothing, and
// a drag in the preview moves the image.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "BmpBytes.h"
#include "GifBytes.h"
#include "GuiHarness.h"
#include "UnsavedDocument.h"
#include "app/ImageImportunit.h"
#include "app/ImportAnimation.h"
#include "files/GifFile.h"
#include "platform/BoardPreviewBox.h"
#include "platform/ImportImageFile.h"
#include "platform/Paths.h"

namespace tesslor::test {
namespace {

using bmpbytes::Bmp;

/// The preview's pixel at the centre of dot (x, y).
QPoint PreviewPixel(const gui::TImageImportForm& f, int x, int y) {
    const LedClass& led = f.PreviewBox->Board().Board(x / 16, y / 16).Led(x % 16, y % 16);
    return {led.X + led.Size / 2, led.Y + led.Size / 2};
}

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
    /// The same, for a window that comes up again: each time it does, the
    /// next of steps runs (and the window is closed if still up after the last).
    void ImportSteps(std::deque<std::function<void(gui::TImageImportForm&)>> steps,
                     std::deque<std::optional<std::string>> dialogs) {
        e.chooser.script = std::move(dialogs);
        const std::size_t expected = steps.size();
        std::size_t shown = 0;
        std::function<void()> watch = [&] {
            auto* form = e.Main().findChild<gui::TImageImportForm*>();
            if (!form || !form->isVisible()) return;
            ++shown;
            if (steps.empty()) return form->reject();
            const auto step = steps.front();
            steps.pop_front();
            step(*form);
            QTimer::singleShot(0, form, watch);  // the window's next showing, if it comes
        };
        QTimer::singleShot(0, watch);
        e.Main().ImageImport->trigger();
        EXPECT_EQ(shown, expected) << "times the window came up";
    }
    Editor e;
    RgbaImage image{4, 2};
};

TEST_F(ImageImportWindow, OkTakesThePreviewsDotsAsOneUndoStep) {
    e.Doc().HeldIn("");
    ImportOptions chosen;
    Import([&](gui::TImageImportForm& f) {
        EXPECT_FALSE(f.AnimationButton->isVisibleTo(&f)) << "a still image has no frames to animate";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait while the image was read is over";
        f.ThresholdSlider->setValue(150);
        f.InvertCheckBox->setChecked(true);
        f.ColourComboBox->setCurrentIndex(3);  // 橙
        f.XSpinBox->setValue(10);
        chosen = f.Options();
        EXPECT_EQ(chosen.threshold, 150);
        EXPECT_TRUE(chosen.invert);
        EXPECT_EQ(chosen.colour, ImportColour::Orange);
        EXPECT_EQ(f.Dots(), ImportImageDots(image, chosen, DisplayShapeOf(e.Main().Config())));
        EXPECT_EQ(f.PreviewBox->Dots(), f.Dots()) << "the preview shows what OK gives";
        f.OkButton->click();
    });
    EXPECT_EQ(CapturePicture(e.Doc()), ImportImageDots(image, chosen, DisplayShapeOf(e.Main().Config())));
    EXPECT_EQ(e.Doc().DotColor(10, 0), kLedYellow) << "dark red under an inverted test";
    EXPECT_EQ(e.Doc().FileName, "");
    EXPECT_TRUE(e.Doc().Modified()) << "a new picture no file holds";
    e.Main().UndoAction->trigger();
    EXPECT_EQ(CapturePicture(e.Doc()), PictureDots{}) << "one step back is the picture before";
}

// A one-colour board of two panel rows, three panels wide: no colour to
// choose, and the preview shows which rows exist and what the unit shows at once.
TEST(ImageImportShape, TheWindowFollowsTheBoardsColoursRowsAndWidth) {
    const auto look = [](const char* config, const std::function<void(gui::TImageImportForm&)>& check) {
        Editor one(config);
        one.chooser.script = {one.dir.Path("in.bmp")};
        WriteFileBytes(one.dir.Path("in.bmp"), Bmp({{{255, 255, 255}}}));
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* form = one.Main().findChild<gui::TImageImportForm*>();
            ASSERT_NE(form, nullptr);
            ran = true;
            check(*form);
            form->reject();
        });
        one.Main().ImageImport->trigger();
        EXPECT_TRUE(ran);
    };
    look("[Led]\nNanSyoku=1\nTateMaisuu=2\nYokoMaisuu=3\n", [](gui::TImageImportForm& f) {
        EXPECT_FALSE(f.ColourComboBox->isEnabled()) << "a one-colour board has one colour";
        const QImage shown = f.PreviewBox->grab().toImage();
        const QColor background = shown.pixelColor(1, 1);  // beside the labels
        EXPECT_EQ(shown.pixelColor(PreviewPixel(f, 0, 0)), QColor(255, 0, 0)) << "the white pixel lit in the board's one colour";
        EXPECT_NE(shown.pixelColor(PreviewPixel(f, 5, 31)), background) << "row 31 exists";
        EXPECT_EQ(shown.pixelColor(PreviewPixel(f, 5, 32)), background) << "row 32 does not";
        const LedBoardClass& third = f.PreviewBox->Board().Board(2, 0);
        EXPECT_EQ(shown.pixelColor(third.X + third.BoardSize + 1, third.Y + 8), QColor(0, 0, 255))
            << "the unit's window ends after column 47";
        // The board at the preview's size is wider than this screen: the
        // preview scrolls and the window, buttons and all, fits the screen.
        const QRect room = f.screen()->availableGeometry();
        ASSERT_GT(f.PreviewBox->width(), room.width());
        EXPECT_LE(f.minimumSizeHint().width(), room.width());
        EXPECT_LE(f.frameGeometry().width(), room.width());
        EXPECT_LE(f.OkButton->mapTo(&f, QPoint(f.OkButton->width(), 0)).x(), room.width());
        EXPECT_TRUE(f.PreviewScroll->horizontalScrollBar()->isVisible());
        EXPECT_GE(f.PreviewScroll->viewport()->height(), f.PreviewBox->height()) << "no row hidden under the bar";
        EXPECT_EQ(f.PreviewScroll->height(), f.PreviewBox->height() + f.PreviewScroll->horizontalScrollBar()->height())
            << "the board and its bar, no room to scroll down into";
    });
    look("[Led]\nNanSyoku=2\nTateMaisuu=-4\nYokoMaisuu=0\n", [](gui::TImageImportForm& f) {
        EXPECT_TRUE(f.ColourComboBox->isEnabled());
        const QImage shown = f.PreviewBox->grab().toImage();
        EXPECT_EQ(shown.pixelColor(PreviewPixel(f, 0, 0)), shown.pixelColor(1, 1)) << "no row exists";
    });
}

// Qt refuses by itself to decode more than 128 MiB: a photograph of 8192 x
// 4200 (134 MiB at four bytes a pixel) is inside our limit and must be read.
TEST(ImportImageFile, ImagesUpToTheLimitAreReadPastQtsOwnLimit) {
    QImage big(kMaxImportSide, 4200, QImage::Format_RGB32);
    big.fill(QColor(255, 0, 0));
    big.setPixelColor(kMaxImportSide - 1, 4199, QColor(0, 255, 0));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && big.save(&buffer, "PNG"));
    big = QImage();
    gui::ImportImageFile out;
    std::string message;
    gui::AllowImportSizedImages();
    ASSERT_TRUE(gui::DecodeImportImage(png.toStdString(), "big.png", 1, out, message)) << message;
    ASSERT_EQ(out.KeptFrames(), 1);
    const RgbaImage& frame = out.first;
    EXPECT_EQ(frame.width, kMaxImportSide);
    EXPECT_EQ(frame.height, 4200);
    EXPECT_EQ(frame.Pixel(0, 0)[0], 255);
    EXPECT_EQ(frame.Pixel(kMaxImportSide - 1, 4199)[1], 255);
    EXPECT_EQ(frame.Pixel(kMaxImportSide - 1, 4199)[0], 0);
}

// The web's pictures: WebP and TIFF come through Qt's further image readers
// (installed with the program), pixel for pixel in their lossless forms.
TEST(ImportImageFile, WebpAndTiffAreRead) {
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    if (!formats.contains("webp") || !formats.contains("tiff"))
        GTEST_SKIP() << "this Qt has no WebP and TIFF plugins (the Windows build's Qt has only PNG, JPEG, GIF and BMP)";
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(1, 0, QColor(0, 255, 0));
    image.setPixelColor(2, 0, QColor(0, 0, 0));
    for (const char* format : {"WEBP", "TIFF"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format, 100)) << format;
        gui::ImportImageFile out;
        std::string message;
        ASSERT_TRUE(gui::DecodeImportImage(bytes.toStdString(), format, 1, out, message)) << message;
        EXPECT_EQ(ImportImageDots(out.first, ImportOptions{}, DisplayShape{}).Get(0, 0), kLedRed) << format;
        EXPECT_EQ(ImportImageDots(out.first, ImportOptions{}, DisplayShape{}).Get(1, 0), kLedGreen) << format;
    }
}

#ifndef TESSLOR_NO_GIF
// Only the first frame is held; the others are composed again from the file,
// one at a time, exactly as the first reading composed them (a GIF of a few
// hundred bytes may declare thirty screens of 8192 x 8192).
TEST(ImportImageFile, FramesPastTheFirstAreComposedAgainOneAtATime) {
    using namespace gifbytes;
    const std::string bytes = MakeGif(2, 1, {{0, 0, 2, 1, {kR, kG}, DISPOSE_DO_NOT, 5},
                                             {1, 0, 1, 1, {kW}, DISPOSE_DO_NOT, 7},
                                             {0, 0, 1, 1, {kK}, DISPOSE_DO_NOT, 9}});
    std::vector<RgbaImage> composed;
    ForEachGifFrame(bytes, [&](const RgbaImage& screen, int) {
        composed.push_back(screen);
        return true;
    });
    ASSERT_EQ(composed.size(), 3u);
    gui::ImportImageFile out;
    std::string message;
    ASSERT_TRUE(gui::DecodeImportImage(bytes, "walk.gif", 2, out, message)) << message;
    EXPECT_EQ(out.totalFrames, 3);
    EXPECT_EQ(out.delaysCs, (std::vector<int>{5, 7})) << "the kept frames' delays";
    EXPECT_EQ(out.first.rgba, composed[0].rgba);
    std::vector<RgbaImage> again;
    gui::ForEachImportFrame(out, [&](const RgbaImage& frame) { again.push_back(frame); });
    ASSERT_EQ(again.size(), 2u) << "the kept frames only";
    EXPECT_EQ(again[0].rgba, composed[0].rgba);
    EXPECT_EQ(again[1].rgba, composed[1].rgba);
    // A still image: its one frame.
    ASSERT_TRUE(gui::DecodeImportImage(Bmp({{{255, 0, 0}}}), "dot.bmp", 2, out, message)) << message;
    again.clear();
    gui::ForEachImportFrame(out, [&](const RgbaImage& frame) { again.push_back(frame); });
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].rgba, (std::vector<std::uint8_t>{255, 0, 0, 255}));
}
#endif

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
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "no wait pointer left behind";
}

TEST_F(ImageImportWindow, ADragInThePreviewMovesTheImage) {
    Import([](gui::TImageImportForm& f) {
        f.XSpinBox->setValue(3);
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
            QMouseEvent ev(type, at, f.PreviewBox->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(f.PreviewBox, &ev);
        };
        // Across a panel's frame (column 15 to 16) and back up a row.
        send(QEvent::MouseButtonPress, PreviewPixel(f, 8, 10), Qt::LeftButton);
        send(QEvent::MouseMove, PreviewPixel(f, 15, 9), Qt::LeftButton);
        send(QEvent::MouseMove, PreviewPixel(f, 18, 9), Qt::LeftButton);
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
    EXPECT_EQ(e.prompter.LastShown(), "walk.alt と絵 3 枚を書き込みました");
    EXPECT_EQ(CapturePicture(e.Doc()), before) << "the picture on screen stays";
}

// A write number the animation cannot take is said before a name is asked
// for (and before the save dialog asks about replacing a list of that name).
TEST_F(ImageImportWindow, AWriteNumberTheAnimationCannotTakeIsSaidBeforeTheName) {
    using namespace gifbytes;
    WriteFileBytes(e.dir.Path("walk.gif"), MakeGif(1, 1, {{0, 0, 1, 1, {kR}, DISPOSE_DO_NOT, 5},
                                                          {0, 0, 1, 1, {kG}, DISPOSE_DO_NOT, 5}}));
    Editor::TypeInto(e.Main().WriteNoMaskComboBox->lineEdit(), "9");
    e.prompter.answers = {true};  // the picture's new number is an unsaved change: it may go
    ImportSteps({[](gui::TImageImportForm& f) { f.AnimationButton->click(); },
                 [](gui::TImageImportForm& f) { f.reject(); }},
                {e.dir.Path("walk.gif"), e.dir.Path("walk.alt")});
    EXPECT_EQ(e.chooser.requests.size(), 1u) << "the image only: no name asked for";
    ASSERT_FALSE(e.prompter.shown.empty());
    EXPECT_EQ(e.prompter.LastShown(), "スーパーアニメーションの書き込みＮｏは、１～６です");
    EXPECT_FALSE(std::filesystem::exists(e.dir.Path("walk_01.lee")));
}

// The pictures an animation would be written over are the operator's: asked
// about first; and a picture open in the editor from one of them is no
// longer what its file holds once the animation replaced it.
TEST_F(ImageImportWindow, AnAnimationAsksBeforeReplacingPicturesAndTheOneOpenBecomesUnsaved) {
    using namespace gifbytes;
    WriteFileBytes(e.dir.Path("walk.gif"), MakeGif(1, 1, {{0, 0, 1, 1, {kR}, DISPOSE_DO_NOT, 5},
                                                          {0, 0, 1, 1, {kG}, DISPOSE_DO_NOT, 5}}));
    e.chooser.script = {e.dir.Path("walk_02.lee")};
    e.Main().FileWriteName->trigger();
    ASSERT_FALSE(e.Doc().Modified());
    const std::string mine = ReadFileBytes(e.dir.Path("walk_02.lee"));
    const auto importAsAnimation = [&](bool replace) {
        e.prompter.shown.clear();
        e.prompter.answers = {replace};
        const auto animate = [](gui::TImageImportForm& f) { f.AnimationButton->click(); };
        std::deque<std::function<void(gui::TImageImportForm&)>> steps{animate};
        if (!replace) steps.push_back([](gui::TImageImportForm& f) { f.reject(); });  // back after a No
        ImportSteps(steps, {e.dir.Path("walk.gif"), e.dir.Path("walk.alt")});
        ASSERT_FALSE(e.prompter.shown.empty());
        EXPECT_EQ(e.prompter.shown.front(), "walk_02.lee は、もうあります。置き換えますか？");
    };
    importAsAnimation(false);
    EXPECT_EQ(ReadFileBytes(e.dir.Path("walk_02.lee")), mine);
    EXPECT_FALSE(std::filesystem::exists(e.dir.Path("walk_01.lee"))) << "nothing written after a No";
    EXPECT_FALSE(std::filesystem::exists(e.dir.Path("walk.alt")));
    EXPECT_FALSE(e.Doc().Modified());
    importAsAnimation(true);
    EXPECT_NE(ReadFileBytes(e.dir.Path("walk_02.lee")), mine);
    EXPECT_EQ(e.prompter.LastShown(), "walk.alt と絵 2 枚を書き込みました");
    EXPECT_TRUE(e.Doc().Modified()) << "the picture on screen is no longer in walk_02.lee";
}

// A frame that lights nothing cannot go into animation data: said before any
// question or file, and the window comes back with its settings to change.
TEST_F(ImageImportWindow, AFrameThatLightsNothingIsSaidAndTheWindowComesBackToChangeIt) {
    using namespace gifbytes;
    WriteFileBytes(e.dir.Path("blink.gif"), MakeGif(1, 1, {{0, 0, 1, 1, {kR}, DISPOSE_DO_NOT, 50},
                                                           {0, 0, 1, 1, {kK}, DISPOSE_DO_NOT, 50}}));
    e.Doc().HeldIn("");
    ImportSteps({[](gui::TImageImportForm& f) {
                     f.XSpinBox->setValue(7);
                     f.AnimationButton->click();
                 },
                 [](gui::TImageImportForm& f) {
                     EXPECT_EQ(f.XSpinBox->value(), 7) << "the window as it was left";
                     f.InvertCheckBox->setChecked(true);  // the black frame lights, the red one too
                     f.AnimationButton->click();
                 }},
                {e.dir.Path("blink.gif"), e.dir.Path("blink.alt")});
    ASSERT_EQ(e.prompter.shown.size(), 2u);
    EXPECT_EQ(e.prompter.shown[0], DarkFrameMessage("", 1, StartupConfig{}, true)) << "said before a name is asked for; red and dark only blink";
    EXPECT_EQ(e.prompter.shown[0].substr(0, e.prompter.shown[0].find("。")), "2 枚目には点灯する点がありません");
    EXPECT_EQ(e.prompter.shown[1], "blink.alt と絵 2 枚を書き込みました");
    EXPECT_NE(ReadFileBytes(e.dir.Path("blink_02.lee")).find("$007:8000"), std::string::npos) << "the black frame, inverted";
}
#endif

}  // namespace
}  // namespace tesslor::test
