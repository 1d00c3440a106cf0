// The off-screen image both programs draw with: text in real fonts without
// smoothing, shapes as the core draws them, and pictures saved and loaded as
// BMP and PNG.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "platform/QtImage.h"

namespace tesslor::test {
namespace {

using gui::QtImage;

const FontSpec kGothic16{"ＭＳ Ｐゴシック", 16};

int Count(const MemoryImage& image, Rgb colour) {
    return static_cast<int>(std::count(image.Pixels().begin(), image.Pixels().end(), colour));
}

TEST(QtImage, TextFillsItsBoxAndWritesOnlyTheTwoColours) {
    QtImage image(200, 60);
    image.Fill(kGreen);
    image.TextOut(10, 5, "Tesslor 文言 Wg", kGothic16, kRed, kBlue);

    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(16);
    const QFontMetrics metrics(font);
    const int right = 10 + metrics.horizontalAdvance(QString::fromUtf8("Tesslor 文言 Wg"));
    const int bottom = 5 + metrics.height();
    ASSERT_GE(bottom - 5, 16);
    ASSERT_LT(right, 200);
    int outside = 0, unsmoothed = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.GetPixel(x, y);
            const bool inBox = x >= 10 && x < right && y >= 5 && y < bottom;
            if (inBox ? c == kGreen : c != kGreen) ++outside;
            if (inBox && c != kRed && c != kBlue) ++unsmoothed;
        }
    }
    EXPECT_EQ(outside, 0) << "pixels outside the box changed or inside it left unfilled";
    EXPECT_EQ(unsmoothed, 0) << "pixels neither text nor background colour";
    EXPECT_GT(Count(image, kRed), 100);

    // Red on black, as the message editor draws: nothing but the two colours.
    QtImage board(800, 80);
    board.TextOut(0, 0, "ABC あいう 123", FontSpec{"ＭＳ Ｐゴシック", 40}, kRed, kBlack);
    EXPECT_EQ(Count(board, kRed) + Count(board, kBlack), 800 * 80);
    EXPECT_GT(Count(board, kRed), 300);
}

TEST(QtImage, JapaneseTextDrawsRealGlyphs) {
    // Two different characters give different shapes: a missing font would
    // draw the same empty box for both, or nothing.
    QtImage bun(60, 40), gen(60, 40);
    bun.TextOut(2, 2, "文", FontSpec{"ＭＳ Ｐゴシック", 24}, kRed, kBlack);
    gen.TextOut(2, 2, "言", FontSpec{"ＭＳ Ｐゴシック", 24}, kRed, kBlack);
    EXPECT_GT(Count(bun, kRed), 40);
    EXPECT_GT(Count(gen, kRed), 40);
    EXPECT_NE(bun.Pixels(), gen.Pixels());

    QtImage both(100, 40);
    both.TextOut(2, 2, "文言", FontSpec{"ＭＳ Ｐゴシック", 24}, kGreen, kBlack);
    EXPECT_GE(Count(both, kGreen), Count(bun, kRed) + Count(gen, kRed) - 10);
}

TEST(QtImage, TextPartlyOutsideIsClippedWhereItWouldBe) {
    const std::string text = "文言 Clip";
    QtImage whole(200, 60), clipped(200, 60);
    whole.TextOut(30, 20, text, kGothic16, kRed, kBlue);
    clipped.TextOut(-5, -3, text, kGothic16, kRed, kBlue);
    int differ = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 165; ++x) differ += whole.GetPixel(x + 35, y + 23) != clipped.GetPixel(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(clipped.GetPixel(0, 0), kBlue);

    QtImage corner(20, 10);
    corner.TextOut(15, 6, text, kGothic16, kRed, kBlue);
    EXPECT_EQ(corner.GetPixel(19, 9), kBlue);
    EXPECT_EQ(corner.GetPixel(14, 9), kBlack);
    EXPECT_EQ(corner.GetPixel(19, 5), kBlack);

    // Far away, at the ends of the coordinates, empty, or in no size: nothing changes.
    QtImage untouched(20, 10);
    for (const Point p : {Point{1000, 0}, Point{0, -1000}, Point{INT_MAX, INT_MAX}, Point{INT_MIN, INT_MIN},
                          Point{INT_MAX - 3, 0}})
        untouched.TextOut(p.x, p.y, text, kGothic16, kRed, kBlue);
    untouched.TextOut(0, 0, "", kGothic16, kRed, kBlue);
    untouched.TextOut(0, 0, text, FontSpec{"ＭＳ Ｐゴシック", 0}, kRed, kBlue);
    untouched.TextOut(0, 0, text, FontSpec{"ＭＳ Ｐゴシック", -5}, kRed, kBlue);
    EXPECT_EQ(Count(untouched, kBlack), 200);
    QtImage empty;
    empty.TextOut(0, 0, text, kGothic16, kRed, kBlue);
}

TEST(QtImage, ShapesAreTheCoreImagesPixelForPixel) {
    MemoryImage core(64, 48);
    QtImage qt(64, 48);
    for (RgbImage* image : {static_cast<RgbImage*>(&core), static_cast<RgbImage*>(&qt)}) {
        image->SetPen(kRed, 3);
        image->SetBrushColor(kYellow);
        image->Rectangle(-4, 2, 30, 20);
        image->Ellipse(20, 10, 70, 47);
        image->SetPen(kGreen, 1);
        image->MoveTo(0, 47);
        image->LineTo(63, 0);
        image->SetPixel(5, 40, kBlue);
        image->SetSize(60, 45);
    }
    EXPECT_EQ(qt.Width(), 60);
    EXPECT_EQ(qt.Pixels(), core.Pixels());
}

class QtImageFiles : public ::testing::Test {
protected:
    QtImageFiles() : image(7, 5) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                image.SetPixel(x, y, Rgb{static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 60), 200});
    }
    TempDir dir;
    QtImage image;
};

TEST_F(QtImageFiles, PngAndBmpRoundTrip) {
    for (const char* name : {"a.png", "b.PNG", "c.bmp", "d.BMP"}) {
        const std::string path = dir.Path(name);
        ASSERT_TRUE(image.SaveToFile(path)) << name << ": " << image.ErrorText();
        QtImage loaded(2, 2);
        ASSERT_TRUE(loaded.LoadFromFile(path)) << name << ": " << loaded.ErrorText();
        EXPECT_EQ(loaded.Width(), 7) << name;
        EXPECT_EQ(loaded.Pixels(), image.Pixels()) << name;
    }
    EXPECT_EQ(ReadFileBytes(dir.Path("b.PNG")).substr(0, 4), "\x89PNG");
    // BMP files are the core's 24-bit files, byte for byte.
    MemoryImage core;
    ASSERT_TRUE(core.Assign(7, 5, image.Pixels()));
    ASSERT_TRUE(core.SaveToFile(dir.Path("core.bmp")));
    EXPECT_EQ(ReadFileBytes(dir.Path("c.bmp")), ReadFileBytes(dir.Path("core.bmp")));
}

TEST_F(QtImageFiles, FailedLoadsLeaveTheImageAndSayWhy) {
    const auto before = image.Pixels();
    const std::string missing = dir.Path("missing.png");
    EXPECT_FALSE(image.LoadFromFile(missing));
    EXPECT_EQ(image.ErrorText(), "ファイル " + missing + " を読み込めませんでした");

    // A BMP file under a PNG name is not a PNG file.
    ASSERT_TRUE(image.SaveToFile(dir.Path("pic.bmp")));
    std::filesystem::copy_file(dir.Path("pic.bmp"), dir.Path("pic.png"));
    EXPECT_FALSE(image.LoadFromFile(dir.Path("pic.png")));
    EXPECT_EQ(image.ErrorText(), "ファイル " + dir.Path("pic.png") + " を読み込めませんでした");

    EXPECT_FALSE(image.LoadFromFile(dir.Path("missing.bmp")));
    EXPECT_EQ(image.ErrorText(), "ファイル " + dir.Path("missing.bmp") + " を読み込めませんでした");
    EXPECT_EQ(image.Pixels(), before);
}

TEST_F(QtImageFiles, FailedSavesLeaveTheEarlierFileAndSayWhy) {
    const std::string nowhere = (dir.Dir() / "no such folder" / "pic.png").string();
    EXPECT_FALSE(image.SaveToFile(nowhere));
    EXPECT_EQ(image.ErrorText(), "ファイル " + nowhere + " に書き込めませんでした");
    EXPECT_FALSE(std::filesystem::exists(nowhere));

    for (const char* name : {"keep.png", "keep.bmp"}) {
        const std::string path = dir.Path(name);
        image.Fill(kBlack);
        ASSERT_TRUE(image.SaveToFile(path));
        const std::string earlier = ReadFileBytes(path);
        const auto before = test::FolderContents(dir.Dir().string());
        // Failed at each step of the save in turn: create, write, flush,
        // rename, the folder's flush; then with no failure it goes through.
        for (int at = 1;; ++at) {
            FailingFileSystem failing;
            failing.failAtStep = at;
            QtImage onFailingCard(7, 5, failing);
            onFailingCard.Fill(kWhite);
            const bool saved = onFailingCard.SaveToFile(path);
            if (at > static_cast<int>(failing.steps.size())) {
                EXPECT_TRUE(saved) << name;
                EXPECT_EQ(failing.steps,
                          (std::vector<std::string>{"create", "write", "flush", "rename", "folder-flush"}));
                break;
            }
            EXPECT_FALSE(saved) << name << " " << failing.steps[at - 1];
            EXPECT_EQ(onFailingCard.ErrorText(), "ファイル " + path + " に書き込めませんでした");
            EXPECT_EQ(ReadFileBytes(path), earlier) << name << " " << failing.steps[at - 1];
            EXPECT_EQ(test::FolderContents(dir.Dir().string()), before) << "no file left behind";
        }
    }

    // An image without pixels makes no PNG file, and says so.
    QtImage empty;
    EXPECT_FALSE(empty.SaveToFile(dir.Path("empty.png")));
    EXPECT_EQ(empty.ErrorText(), "ファイル " + dir.Path("empty.png") + " に書き込めませんでした");
}

// Files kept in memory only, as on a card the real file system cannot see.
class CardFileSystem : public FileSystem {
public:
    std::unique_ptr<OutputFile> Create(const std::string&) override { return nullptr; }
    std::unique_ptr<LineReader> OpenText(const std::string&) override { return nullptr; }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end()) return false;
        bytes = found->second;
        return true;
    }
    bool FolderExists(const std::string&) override { return false; }

    std::map<std::string, std::string> files;
};

// The document's commands hold the image as an RgbImage and the core's readers
// as a MemoryImage: PNG files, like BMP files, still go through the file system
// the image was made with, never around it to the disk.
TEST_F(QtImageFiles, PngGoesThroughTheFileSystemTheImageWasMadeWithHoweverItIsHeld) {
    const std::string path = dir.Path("keep.png");
    ASSERT_TRUE(image.SaveToFile(path));
    const std::string earlier = ReadFileBytes(path);

    FailingFileSystem failing;
    failing.failCommit = true;
    QtImage onFailingCard(3, 2, failing);
    RgbImage& held = onFailingCard;
    EXPECT_FALSE(held.SaveToFile(path));
    EXPECT_EQ(held.ErrorText(), "ファイル " + path + " に書き込めませんでした");
    // Another image's pixels assigned through the core's type leave the file system.
    MemoryImage& asCore = onFailingCard;
    asCore = MemoryImage(4, 4);
    EXPECT_FALSE(asCore.SaveToFile(path));
    QtImage copy = onFailingCard;
    EXPECT_FALSE(copy.SaveToFile(path));
    EXPECT_EQ(ReadFileBytes(path), earlier);

    CardFileSystem card;
    card.files["E:/pic.png"] = earlier;
    card.files["E:/pic.bmp"] = "not a bitmap";
    QtImage fromCard(card);
    MemoryImage& reader = fromCard;
    ASSERT_TRUE(reader.LoadFromFile("E:/pic.png")) << reader.ErrorText();
    EXPECT_EQ(reader.Pixels(), image.Pixels());
    // The PNG file on disk is not on the card.
    EXPECT_FALSE(reader.LoadFromFile(path));
    EXPECT_EQ(reader.ErrorText(), "ファイル " + path + " を読み込めませんでした");
    EXPECT_FALSE(reader.LoadFromFile("E:/pic.bmp"));
    EXPECT_EQ(reader.Pixels(), image.Pixels());
}

}  // namespace
}  // namespace tesslor::test
