// The demos' "GIFで保存" button: what the demo shows, written as an animated
// GIF through the save dialog; cancelling writes nothing; a failed write is
// reported and leaves the earlier file.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "GuiHarness.h"
#include "app/Animademoformunit.h"
#include "files/GifFile.h"
#include "platform/Paths.h"

namespace tesslor::test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(RealFileSystem().ReadAll(path, bytes)) << path;
    return bytes;
}

DecodedGif Decode(const std::string& path) {
    std::string error;
    std::optional<DecodedGif> gif = DecodeGif(ReadBytes(path), &error);
    EXPECT_TRUE(gif) << error;
    return gif ? *gif : DecodedGif{};
}

bool SameImage(const MemoryImage& a, const MemoryImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (!(a.GetPixel(x, y) == b.GetPixel(x, y))) return false;
    return true;
}

bool AllBlack(const MemoryImage& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (!(image.GetPixel(x, y) == kBlack)) return false;
    return true;
}

// Three panels by two, the drive C at a scratch folder.
class DemoGif : public ::testing::Test {
protected:
    DemoGif()
        : e(("[User]\nUser=root\n[Led]\nYokoMaisuu=3\nTateMaisuu=2\n[DriveRoots]\nC=" + card.Dir().string() + "\n")
                .c_str()),
          demo(e.windows->DemoForm()) {}
    ~DemoGif() override { demo.hide(); }

    /// Shows the demo in a display mode, with two dots lit.
    void ShowDemo(int mode) {
        Editor::Choose(e.Main().DisplayModeComboBox, mode);
        e.Doc().Board(0, 0).Led(0, 0).Color = kLedRed;
        e.Doc().Board(1, 1).Led(4, 3).Color = kLedGreen;  // dot column 20
        demo.show();
        QApplication::processEvents();
    }
    void Press(QPushButton* button, std::optional<std::string> path) {
        e.chooser.script = {std::move(path)};
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(e.chooser.script.empty());
    }

    TempDir card;
    Editor e;
    gui::TDemoForm& demo;
};

TEST_F(DemoGif, TheButtonLiesBelowThePictureInAWindowNoSmallerThanBefore) {
    ShowDemo(0);
    QPushButton* button = demo.findChild<QPushButton*>(QStringLiteral("GifSaveButton"));
    ASSERT_EQ(button, demo.GifSaveButton);
    EXPECT_EQ(button->text(), QStringLiteral("GIFで保存"));
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(demo.Image1->geometry(), QRect(0, 0, 288, 192));
    EXPECT_EQ(demo.size(), QSize(288, 192 + gui::kDemoButtonStripHeight));
    const QRect onForm(button->mapTo(&demo, QPoint(0, 0)), button->size());
    EXPECT_GE(onForm.top(), 192);
    EXPECT_TRUE(demo.rect().contains(onForm));
}

TEST_F(DemoGif, BlinkSavesBothPhasesForASecondEach) {
    ShowDemo(2);  // 点滅１
    const std::string path = card.Path("blink.gif");
    Press(demo.GifSaveButton, path);
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    const FileDialogRequest& r = e.chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Save);
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].description, "GIFアニメーション");
    EXPECT_EQ(r.filters[0].pattern, "*.gif");
    EXPECT_EQ(r.defaultExt, "gif");
    EXPECT_EQ(r.title, "GIFで保存");
    // A GIF is for people, never read by the unit: it starts in the pictures folder, not on the card.
    EXPECT_EQ(r.initialDir, e.env.picturesFolder);
    EXPECT_TRUE(r.fileName.empty());
    EXPECT_TRUE(e.prompter.shown.empty());
    // The strip says where the file went, with no box to click away.
    auto* status = demo.findChild<QLabel*>(QStringLiteral("GifSaveStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->toolTip().toStdString(), path + " に保存しました");
    EXPECT_FALSE(status->text().isEmpty());

    const DecodedGif gif = Decode(path);
    EXPECT_EQ(gif.loopCount, 0);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.width, 288);
    EXPECT_EQ(gif.height, 192);
    EXPECT_EQ(gif.frames[0].delayCs, 100);
    EXPECT_EQ(gif.frames[1].delayCs, 100);
    MemoryImage normal;
    e.Doc().RenderNormal(normal);  // laid out at the demo's 80 % while it shows
    EXPECT_TRUE(SameImage(gif.frames[0].image, normal));
    EXPECT_FALSE(AllBlack(gif.frames[0].image));
    EXPECT_TRUE(AllBlack(gif.frames[1].image));
    // The demo plays on as before.
    EXPECT_TRUE(demo.Timer1->isActive());
    EXPECT_EQ(demo.Timer1->interval(), 1000);
}

TEST_F(DemoGif, ScrollSavesOnePassAtTheDemosPace) {
    ShowDemo(6);  // 上段スクロール
    const std::string path = card.Path("scroll.gif");
    Press(demo.GifSaveButton, path);
    const DecodedGif gif = Decode(path);
    // The strip is 672 pixels of travel, 6 a tick: 112 ticks of 16 ms to the reset.
    ASSERT_GT(gif.frames.size(), 40u);
    int total = 0, withGreen = 0;
    for (const GifFrame& f : gif.frames) {
        EXPECT_TRUE(f.delayCs == 3 || f.delayCs == 4) << f.delayCs;
        total += f.delayCs;
        EXPECT_EQ(f.image.Width(), 288);
        EXPECT_EQ(f.image.Height(), 192);
        bool green = false;
        for (int y = 0; y < 192 && !green; ++y)
            for (int x = 0; x < 288 && !green; ++x) green = f.image.GetPixel(x, y) == kGreen;
        withGreen += green;
    }
    EXPECT_NEAR(total, 113 * 16 / 10, 4);      // one pass in the time the demo takes
    EXPECT_TRUE(AllBlack(gif.frames[0].image));  // the picture enters from the right
    EXPECT_GT(withGreen, 10);
}

TEST_F(DemoGif, ProposesThePicturesNameInThePicturesFolder) {
    TempDir elsewhere;
    const std::string picture = elsewhere.Path("sign.lee");
    e.Doc().Board(0, 0).Led(0, 0).Color = kLedRed;
    e.chooser.script = {picture};
    e.Main().FileWriteNameClick();
    e.chooser.requests.clear();
    demo.show();
    QApplication::processEvents();
    Press(demo.GifSaveButton, std::nullopt);
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_EQ(e.chooser.requests[0].fileName, PathInFolder(e.env.picturesFolder, "sign.gif"));
    EXPECT_EQ(e.chooser.requests[0].initialDir, e.env.picturesFolder);
    EXPECT_TRUE(demo.findChild<QLabel*>(QStringLiteral("GifSaveStatus"))->text().isEmpty());
}

TEST_F(DemoGif, CancelWritesNothing) {
    ShowDemo(0);
    Press(demo.GifSaveButton, std::nullopt);
    EXPECT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_TRUE(fs::is_empty(card.Dir()));
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST_F(DemoGif, AFailedWriteIsReportedAndKeepsTheEarlierFile) {
    ShowDemo(0);
    const std::string path = card.Path("still.gif");
    WriteFileBytes(path, "earlier");
    e.files.failAtWrite = e.files.writes + 1;
    Press(demo.GifSaveButton, path);
    ASSERT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_FALSE(e.prompter.shown[0].empty());
    EXPECT_EQ(ReadBytes(path), "earlier");

    // A folder for a file name.
    e.files.failAtWrite = 0;
    e.prompter.shown.clear();
    Press(demo.GifSaveButton, card.Dir().string());
    EXPECT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_TRUE(fs::is_directory(card.Dir()));

    // And the next write goes through.
    Press(demo.GifSaveButton, path);
    EXPECT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_EQ(Decode(path).frames.size(), 1u);
}

TEST(DemoGifWindow, NoPanelsNoGif) {
    Editor e("[Led]\nYokoMaisuu=0\nTateMaisuu=0\n");
    auto& demo = e.windows->DemoForm();
    demo.show();
    QApplication::processEvents();
    EXPECT_FALSE(demo.GifSaveButton->isEnabled());
    EXPECT_GE(demo.width(), kDemoMinimumClient.width);
    EXPECT_GE(demo.height(), kDemoMinimumClient.height);
    e.chooser.script = {e.dir.Path("none.gif")};
    demo.GifSaveButtonClick();
    EXPECT_TRUE(e.chooser.requests.empty());
    EXPECT_FALSE(fs::exists(e.dir.Path("none.gif")));
    demo.hide();
}

// ---- the animation demo, run from the main window's menu ----

class AnimaDemoGif : public DemoGif {
protected:
    AnimaDemoGif() : anima(e.windows->AnimaDemoForm()) {}
    /// A picture file whose first `dots` dots of the top row are lit.
    std::string Picture(const std::string& name, int dots) {
        e.Doc().HeldIn(e.Doc().FileName);
        e.Main().NewFileOpenClick();
        for (int x = 0; x < dots; ++x) e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(x, 0));
        const std::string path = card.Path(name);
        e.chooser.script = {path};
        e.Main().FileWriteNameClick();
        e.chooser.requests.clear();
        e.prompter.shown.clear();
        return path;
    }
    /// Plays a list of pictures; while the demo shows, during() runs once.
    void RunDemo(const std::vector<std::string>& entries, const std::function<void()>& during) {
        std::string text = "ANIMATION_QUALITY_SUPER\r\n05\r\n25\r\n";
        for (const std::string& entry : entries) text += entry + "\r\n";
        const std::string list = card.Path("list.alt");
        WriteFileBytes(list, text);
        bool ran = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &anima, [&] {
            if (!anima.isVisible() || ran) return;
            ran = true;
            poll.stop();
            during();
            anima.reject();
        });
        poll.start(5);
        e.chooser.script = {list};
        e.Main().AnimeDemonstration->trigger();
        poll.stop();
        EXPECT_TRUE(ran);
        QApplication::processEvents();
    }
    gui::TAnimaDemoForm& anima;
};

TEST_F(AnimaDemoGif, SavesTheFramesItPlaysAtATenthOfASecond) {
    EXPECT_FALSE(anima.GifSaveButton->isEnabled());  // nothing captured yet
    Picture("P1.lee", 1);
    Picture("P2.lee", 2);
    Picture("P3.lee", 3);
    const std::string path = card.Path("anima.gif");
    std::vector<QImage> shown;
    RunDemo({"P2.lee", "P3.lee", "P1.lee"}, [&] {
        EXPECT_EQ(anima.size(), QSize(288, 192 + gui::kDemoButtonStripHeight));
        EXPECT_TRUE(anima.GifSaveButton->isVisible());
        EXPECT_GE(anima.GifSaveButton->mapTo(&anima, QPoint(0, 0)).y(), 192);
        for (int i = 0; i < 3; ++i) shown.push_back(anima.FrameImage(i)->pixmap().toImage());
        Press(anima.GifSaveButton, path);
        EXPECT_TRUE(e.prompter.shown.empty());
        // The list's name is proposed, in the pictures folder, and the strip says where the file went.
        ASSERT_FALSE(e.chooser.requests.empty());
        EXPECT_EQ(e.chooser.requests.back().fileName, PathInFolder(e.env.picturesFolder, "list.gif"));
        EXPECT_EQ(e.chooser.requests.back().initialDir, e.env.picturesFolder);
        EXPECT_EQ(anima.findChild<QLabel*>(QStringLiteral("GifSaveStatus"))->toolTip().toStdString(),
                  path + " に保存しました");
    });
    const DecodedGif gif = Decode(path);
    ASSERT_EQ(gif.frames.size(), 3u);
    ASSERT_EQ(shown.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(gif.frames[i].delayCs, 10);
        const QImage frame = gui::PixmapOf(gif.frames[i].image).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(frame, shown[i].convertToFormat(QImage::Format_RGB32)) << i;
    }
    EXPECT_FALSE(SameImage(gif.frames[0].image, gif.frames[1].image));

    // A shorter list afterwards saves only its own frames; a failure is reported.
    const std::string second = card.Path("second.gif");
    RunDemo({"P1.lee"}, [&] {
        Press(anima.GifSaveButton, second);
        e.files.failAtWrite = e.files.writes + 1;
        Press(anima.GifSaveButton, path);
        e.files.failAtWrite = 0;
    });
    EXPECT_EQ(Decode(second).frames.size(), 1u);
    EXPECT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_EQ(Decode(path).frames.size(), 3u);  // the earlier file stays
}

TEST_F(AnimaDemoGif, CancelWritesNothing) {
    Picture("P1.lee", 1);
    RunDemo({"P1.lee"}, [&] { Press(anima.GifSaveButton, std::nullopt); });
    EXPECT_FALSE(fs::exists(card.Path("anima.gif")));
    for (const auto& entry : fs::directory_iterator(card.Dir()))
        EXPECT_NE(entry.path().extension(), ".gif") << entry.path();
}

}  // namespace
}  // namespace tesslor::test
