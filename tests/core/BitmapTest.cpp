// Pictures to and from bitmaps: the pixel-to-dot rule, the exported file's
// bytes, and the import and export commands with their dialogs and messages.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "FileTestDoc.h"
#include "UnsavedDocument.h"
#include "TestSupport.h"
#include "files/Bitmap.h"
#include "platform/BmpCodec.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

using test::DocUnderTest;

const std::string kDiscard = "作成したデータが失われてもいいですか？";

FileDialog BmpDialog(FileChooser& chooser, FileDialogKind kind) {
    return FileDialog(chooser, kind, {{"ビットマップファイル(*.bmp)", "*.bmp"}}, "bmp");
}

int LitDots(const LedHyoujikiClass& doc) {
    int n = 0;
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y) n += doc.DotColor(x, y) != kOff;
    return n;
}

// ---- conversion ----

TEST(BitmapConvert, OnlyChannelsOfExactly255Light) {
    DocUnderTest t;
    MemoryImage img(6, 1);
    img.SetPixel(0, 0, kWhite);
    img.SetPixel(1, 0, Rgb{255, 128, 0});
    img.SetPixel(2, 0, Rgb{254, 255, 0});
    img.SetPixel(3, 0, Rgb{254, 254, 254});
    img.SetPixel(4, 0, kBlue);
    img.SetPixel(5, 0, Rgb{0, 255, 255});
    ASSERT_TRUE(t.files.ImportImage(img));
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedYellow);
    EXPECT_EQ(t.doc.DotColor(1, 0), kLedRed);
    EXPECT_EQ(t.doc.DotColor(2, 0), kLedGreen);
    EXPECT_EQ(t.doc.DotColor(3, 0), kOff);
    EXPECT_EQ(t.doc.DotColor(4, 0), kOff);
    EXPECT_EQ(t.doc.DotColor(5, 0), kLedGreen);
    EXPECT_EQ(LitDots(t.doc), 4);
}

TEST(BitmapConvert, OnlyTheFirst480ColumnsAnd80RowsBecomeDots) {
    DocUnderTest t;
    MemoryImage white16(16, 16);
    white16.Fill(kWhite);
    ASSERT_TRUE(t.files.ImportImage(white16));
    EXPECT_EQ(LitDots(t.doc), 256);
    EXPECT_EQ(t.doc.DotColor(15, 15), kLedYellow);
    EXPECT_EQ(t.doc.DotColor(16, 0), kOff);

    MemoryImage wide(500, 90);
    wide.Fill(kRed);
    // The converted picture is held by no file: each next one asks first.
    t.prompter.answers = {true, true};
    ASSERT_TRUE(t.files.ImportImage(wide));
    EXPECT_EQ(LitDots(t.doc), 480 * 80);
    EXPECT_EQ(t.doc.DotColor(479, 79), kLedRed);

    MemoryImage short20(480, 20);
    short20.Fill(kGreen);
    ASSERT_TRUE(t.files.ImportImage(short20));
    for (int y = 0; y < 80; ++y) EXPECT_EQ(t.doc.DotColor(100, y), y < 20 ? kLedGreen : kOff) << y;
    EXPECT_EQ(LitDots(t.doc), 480 * 20);
}

TEST(BitmapConvert, DisabledPanelRowsStayDark) {
    StartupConfig config;
    config.TateMaisuu = 2;
    DocUnderTest t(config);
    MemoryImage img(480, 80);
    img.Fill(kWhite);
    ASSERT_TRUE(t.files.ImportImage(img));
    for (int y = 0; y < 80; ++y) EXPECT_EQ(t.doc.DotColor(200, y), y < 32 ? kLedYellow : kOff) << y;
}

TEST(BitmapConvert, AnySurfaceIsReadPixelByPixel) {
    DocUnderTest t;
    test::RecordingSurface surface;  // not a MemoryImage: read through GetPixel
    surface.SetSize(40, 40);
    surface.SetPixel(33, 35, kRed);
    surface.SetPixel(0, 39, kYellow);
    ASSERT_TRUE(t.files.ImportImage(surface));
    EXPECT_EQ(t.doc.DotColor(33, 35), kLedRed);
    EXPECT_EQ(t.doc.DotColor(0, 39), kLedYellow);
    EXPECT_EQ(LitDots(t.doc), 2);
}

TEST(BitmapConvert, ImportImageReplacesThePictureOnlyAfterTheDiscardQuestion) {
    DocUnderTest t;
    t.Light(300, 70, kLedRed);
    MarkUnsaved(t.doc);
    MemoryImage img(1, 1);
    img.SetPixel(0, 0, kGreen);

    t.prompter.answers = {false};
    EXPECT_FALSE(t.files.ImportImage(img));
    EXPECT_EQ(t.doc.DotColor(300, 70), kLedRed);
    EXPECT_EQ(t.doc.DotColor(0, 0), kOff);

    t.prompter.answers = {true};
    EXPECT_TRUE(t.files.ImportImage(img));
    EXPECT_EQ(t.doc.DotColor(300, 70), kOff);
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedGreen);
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{kDiscard, kDiscard}));
}

// ---- export ----

TEST(BitmapExport, GoldenBytesOfAOnePanelPicture) {
    DocUnderTest t;
    t.Light(0, 0, kLedRed);
    t.Light(15, 79, kLedGreen);
    t.Light(1, 1, kLedYellow);
    test::TempDir dir;
    MemoryImage img;
    ASSERT_TRUE(t.files.ExportBmpFile(dir.Path("one.bmp"), img));
    const std::string file = test::ReadFileBytes(dir.Path("one.bmp"));

    // 16 x 80 pixels, 48 bytes a row (no padding needed), 3840 bytes of pixels.
    const std::string header{
        'B', 'M', '\x36', '\x0F', 0, 0, 0, 0, 0, 0, '\x36', 0, 0, 0,         // size 3894, data at 54
        '\x28', 0, 0, 0, '\x10', 0, 0, 0, '\x50', 0, 0, 0, 1, 0, '\x18', 0,  // 16 x 80, 24 bits
        0, 0, 0, 0, 0, '\x0F', 0, 0, '\x13', '\x0B', 0, 0, '\x13', '\x0B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(file.size(), 3894u);
    EXPECT_EQ(file.substr(0, 54), header);
    // Rows are stored bottom-up: the first stored row is dot row 79, whose last dot is green.
    EXPECT_EQ(file.substr(54, 48), std::string(45, '\0') + std::string("\0\xFF\0", 3));
    // The last two stored rows are dot rows 1 and 0.
    EXPECT_EQ(file.substr(54 + 78 * 48, 48),
              std::string(3, '\0') + std::string("\0\xFF\xFF", 3) + std::string(42, '\0'));
    EXPECT_EQ(file.substr(54 + 79 * 48, 48), std::string("\0\0\xFF", 3) + std::string(45, '\0'));
    // Everything in between is black.
    EXPECT_EQ(file.substr(54 + 48, 77 * 48), std::string(77 * 48, '\0'));
}

TEST(BitmapExport, WidthFollowsTheLastUsedPanelColumn) {
    DocUnderTest t;
    t.Light(17, 40, kLedRed);
    test::RecordingSurface surface;
    ASSERT_TRUE(RenderPictureToImage(t.doc, surface));
    EXPECT_EQ(surface.Width(), 32);
    EXPECT_EQ(surface.Height(), 80);
    EXPECT_EQ(surface.GetPixel(17, 40), kRed);
}

// A name asked for and then not written would leave the operator looking
// for a file: an empty picture says why no file is made, before any dialog.
TEST(BitmapExport, AnEmptyPictureWritesNothingAndSaysWhy) {
    DocUnderTest t;
    test::TempDir dir;
    test::ScriptedFileChooser chooser;
    FileDialog dialog = BmpDialog(chooser, FileDialogKind::Save);
    MemoryImage img;
    const std::vector<std::string> why{"点灯しているドットがない絵なので、ビットマップファイルは作りません"};
    EXPECT_FALSE(t.files.ExportBmpWithDialog(dialog, img));
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_EQ(t.prompter.shown, why);
    t.prompter.shown.clear();
    EXPECT_FALSE(t.files.ExportBmpFile(dir.Path("empty.bmp"), img));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("empty.bmp")));
    EXPECT_EQ(t.prompter.shown, why);
}

TEST(BitmapExport, DialogStartsEmptyAndCancelWritesNothing) {
    DocUnderTest t;
    t.Light(3, 3, kLedRed);
    test::TempDir dir;
    test::ScriptedFileChooser chooser;
    chooser.script = {std::nullopt, dir.Path("out.bmp")};
    FileDialog dialog = BmpDialog(chooser, FileDialogKind::Save);
    dialog.FileName = "leftover.bmp";
    MemoryImage img;
    EXPECT_FALSE(t.files.ExportBmpWithDialog(dialog, img));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Dir()));
    EXPECT_TRUE(t.files.ExportBmpWithDialog(dialog, img));
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].fileName, "");
    EXPECT_EQ(chooser.requests[1].fileName, "");
    EXPECT_TRUE(std::filesystem::exists(dir.Path("out.bmp")));
    EXPECT_TRUE(t.prompter.shown.empty());
}

TEST(BitmapExport, AFailedSaveIsReportedAndKeepsTheEarlierFile) {
    DocUnderTest t;
    t.Light(3, 3, kLedRed);
    test::TempDir dir;
    const std::string path = dir.Path("card.bmp");
    test::WriteFileBytes(path, "last good picture");
    test::FailingFileSystem fs;
    fs.failCommit = true;
    MemoryImage img(fs);
    test::ScriptedFileChooser chooser;
    chooser.script = {path};
    FileDialog dialog = BmpDialog(chooser, FileDialogKind::Save);
    EXPECT_FALSE(t.files.ExportBmpWithDialog(dialog, img));
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{"ファイル " + path + " に書き込めませんでした"}));
    EXPECT_EQ(test::ReadFileBytes(path), "last good picture");
}

TEST(BitmapExport, ExportThenImportReproducesThePicture) {
    StartupConfig config;
    config.TateMaisuu = 3;
    DocUnderTest source(config);
    std::mt19937 rng(42);
    for (int n = 0; n < 3000; ++n)
        source.Light(static_cast<int>(rng() % 470), static_cast<int>(rng() % 80), static_cast<LedColor>(rng() % 4));
    source.Light(479, 0, kLedGreen);  // the last column, so the file is full width
    test::TempDir dir;
    MemoryImage out;
    ASSERT_TRUE(source.files.ExportBmpFile(dir.Path("round.bmp"), out));
    EXPECT_EQ(out.Width(), 480);

    DocUnderTest target(config);
    MemoryImage in;
    ASSERT_TRUE(target.files.ImportBmpFile(dir.Path("round.bmp"), in));
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y)
            ASSERT_EQ(target.doc.DotColor(x, y), source.doc.DotColor(x, y)) << x << "," << y;
    EXPECT_GT(LitDots(target.doc), 1000);
}

// ---- import command ----

struct BitmapImport : ::testing::Test {
    BitmapImport() : dialog(BmpDialog(chooser, FileDialogKind::Open)) {
        t.Light(200, 10, kLedYellow);
        MarkUnsaved(t.doc);
        MemoryImage img(2, 2);
        img.Fill(kRed);
        goodPath = dir.Path("good.bmp");
        test::WriteFileBytes(goodPath, EncodeBmp24(img));
    }
    DocUnderTest t;
    test::TempDir dir;
    test::ScriptedFileChooser chooser;
    FileDialog dialog;
    MemoryImage image;
    std::string goodPath;
};

TEST_F(BitmapImport, RefusalOrCancelChangesNothing) {
    t.prompter.answers = {false};
    EXPECT_FALSE(t.files.ImportBmpWithDialog(dialog, image));
    EXPECT_TRUE(chooser.requests.empty());  // refused before the dialog

    t.prompter.answers = {true};
    chooser.script = {std::nullopt};
    EXPECT_FALSE(t.files.ImportBmpWithDialog(dialog, image));
    EXPECT_EQ(t.doc.DotColor(200, 10), kLedYellow);
    EXPECT_TRUE(t.doc.Modified());
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{kDiscard, kDiscard}));
}

// The picture keeps its FileName through an import; a failed import that
// emptied the picture would be one overwrite-save away from emptying that file.
TEST_F(BitmapImport, AnUnreadableFileIsReportedAndLeavesThePictureAsItWas) {
    test::WriteFileBytes(dir.Path("bad.bmp"), "BM but not really a bitmap");
    t.doc.FileName = "picture.lee";
    t.Light(7, 7, kLedGreen);
    MarkUnsaved(t.doc);
    const int lit = LitDots(t.doc);
    t.prompter.answers = {true};
    chooser.script = {dir.Path("bad.bmp")};
    EXPECT_FALSE(t.files.ImportBmpWithDialog(dialog, image));
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{kDiscard, "ビットマップファイルエラー"}));
    EXPECT_EQ(LitDots(t.doc), lit);
    EXPECT_EQ(t.doc.FileName, "picture.lee");
    EXPECT_TRUE(t.doc.Modified());

    t.prompter.answers = {true};
    chooser.script = {dir.Path("missing.bmp")};
    EXPECT_FALSE(t.files.ImportBmpWithDialog(dialog, image));
    EXPECT_EQ(t.prompter.shown.back(), "ビットマップファイルエラー");
    EXPECT_EQ(LitDots(t.doc), lit);
}

TEST_F(BitmapImport, AGoodFileReplacesThePicture) {
    t.doc.FileName = "picture.lee";
    t.prompter.answers = {true};
    dialog.FileName = "previous.bmp";
    chooser.script = {goodPath};
    EXPECT_TRUE(t.files.ImportBmpWithDialog(dialog, image));
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].fileName, "");
    EXPECT_EQ(t.doc.DotColor(200, 10), kOff);
    EXPECT_EQ(t.doc.DotColor(1, 1), kLedRed);
    EXPECT_EQ(LitDots(t.doc), 4);
    // A new picture: the next overwrite-save must not put it into picture.lee.
    EXPECT_EQ(t.doc.FileName, "");
    EXPECT_TRUE(t.doc.Modified());
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{kDiscard}));
}

TEST_F(BitmapImport, ImportBmpFileReportsFailureWithFalse) {
    EXPECT_FALSE(t.files.ImportBmpFile(dir.Path("missing.bmp"), image));
    EXPECT_EQ(t.prompter.shown, (std::vector<std::string>{"ビットマップファイルエラー"}));
    EXPECT_TRUE(t.files.ImportBmpFile(goodPath, image));
    EXPECT_EQ(LitDots(t.doc), 4);
}

}  // namespace
}  // namespace tesslor
