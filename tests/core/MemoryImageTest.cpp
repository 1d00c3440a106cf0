// The in-memory image: drawing conventions, clipping, sizes, and its BMP files.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

// The image as rows of characters: '.' black, 'R' red, 'B' blue, 'G' green, '?' anything else.
std::string Picture(const MemoryImage& img) {
    std::string s;
    for (int y = 0; y < img.Height(); ++y) {
        for (int x = 0; x < img.Width(); ++x) {
            const Rgb c = img.GetPixel(x, y);
            s += c == kBlack ? '.' : c == kRed ? 'R' : c == kBlue ? 'B' : c == kGreen ? 'G' : '?';
        }
        s += '\n';
    }
    return s;
}

TEST(MemoryImage, SizesClampKeepTopLeftAndRefuseAbsurdOnes) {
    MemoryImage img(3, 2);
    EXPECT_EQ(Picture(img), "...\n...\n");
    img.SetPixel(0, 0, kRed);
    img.SetPixel(2, 1, kRed);
    img.SetSize(4, 3);
    EXPECT_EQ(Picture(img), "R...\n..R.\n....\n");
    img.SetSize(2, 1);
    EXPECT_EQ(Picture(img), "R.\n");

    EXPECT_FALSE(img.TrySetSize(200000, 200000));
    img.SetSize(200000, 200000);
    EXPECT_EQ(img.Width(), 2);
    EXPECT_EQ(img.Height(), 1);

    img.SetSize(-5, 7);
    EXPECT_EQ(img.Width(), 0);
    EXPECT_EQ(img.Height(), 7);
    EXPECT_TRUE(img.Pixels().empty());
    EXPECT_EQ(MemoryImage(-1, -1).Width(), 0);
}

TEST(MemoryImage, PixelsOutsideAreIgnoredAndReadBlack) {
    MemoryImage img(2, 2);
    img.SetPixel(-1, 0, kRed);
    img.SetPixel(2, 0, kRed);
    img.SetPixel(0, 2, kRed);
    EXPECT_EQ(Picture(img), "..\n..\n");
    img.Fill(kGreen);
    EXPECT_EQ(img.GetPixel(-1, 0), kBlack);
    EXPECT_EQ(img.GetPixel(0, 2), kBlack);
    EXPECT_EQ(img.GetPixel(1, 1), kGreen);
    img.TextOut(0, 0, "文字", FontSpec{}, kRed, kBlue);
    EXPECT_EQ(Picture(img), "GG\nGG\n");
}

TEST(MemoryImage, RectangleOutlinesWithThePenFillsWithTheBrushAndClips) {
    MemoryImage img(6, 5);
    img.SetPen(kBlue, 1);
    img.SetBrushColor(kRed);
    img.Rectangle(1, 1, 5, 4);  // covers x 1..4, y 1..3
    EXPECT_EQ(Picture(img),
              "......\n"
              ".BBBB.\n"
              ".BRRB.\n"
              ".BBBB.\n"
              "......\n");

    img.Fill(kBlack);
    img.SetPen(kBlue, 2);
    img.Rectangle(5, 5, 0, 0);  // corners given the other way round
    EXPECT_EQ(Picture(img),
              "BBBBB.\n"
              "BBBBB.\n"
              "BBRBB.\n"
              "BBBBB.\n"
              "BBBBB.\n");

    img.SetPen(kBlue, 1);
    img.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);  // outline far outside
    EXPECT_EQ(Picture(img), "RRRRRR\nRRRRRR\nRRRRRR\nRRRRRR\nRRRRRR\n");
}

TEST(MemoryImage, EllipseFillsPixelsWhoseCentreIsInsideWithAPenRim) {
    MemoryImage img(8, 7);
    img.SetPen(kRed, 1);
    img.SetBrushColor(kRed);
    img.Ellipse(1, 0, 7, 6);  // a 6 x 6 dot, as the demo draws them
    EXPECT_EQ(Picture(img),
              "..RRRR..\n"
              ".RRRRRR.\n"
              ".RRRRRR.\n"
              ".RRRRRR.\n"
              ".RRRRRR.\n"
              "..RRRR..\n"
              "........\n");

    MemoryImage rim(10, 10);
    rim.SetPen(kBlue, 1);
    rim.SetBrushColor(kRed);
    rim.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(rim.GetPixel(5, 5), kRed);
    EXPECT_EQ(rim.GetPixel(0, 4), kBlue);
    EXPECT_EQ(rim.GetPixel(4, 0), kBlue);
    EXPECT_EQ(rim.GetPixel(0, 0), kBlack);

    MemoryImage clipped(4, 4);
    clipped.SetPen(kRed, 1);
    clipped.SetBrushColor(kRed);
    clipped.Ellipse(-3, -3, 3, 3);  // only the bottom-right quarter is inside
    EXPECT_EQ(Picture(clipped),
              "RRR.\n"
              "RRR.\n"
              "RR..\n"
              "....\n");
    clipped.Ellipse(2, 2, 2, 9);  // no width: nothing
    EXPECT_EQ(clipped.GetPixel(2, 3), kBlack);
}

TEST(MemoryImage, LinesLeaveOutTheEndPointAndHonourThePenWidth) {
    MemoryImage img(7, 4);
    img.SetPen(kRed, 1);
    img.MoveTo(0, 0);
    img.LineTo(5, 0);
    img.LineTo(5, 3);
    img.MoveTo(0, 1);
    img.LineTo(2, 3);
    EXPECT_EQ(Picture(img),
              "RRRRRR.\n"
              "R....R.\n"
              ".R...R.\n"
              ".......\n");

    MemoryImage wide(6, 6);
    wide.SetPen(kBlue, 3);
    wide.MoveTo(2, 2);
    wide.LineTo(3, 2);
    EXPECT_EQ(Picture(wide),
              "......\n"
              ".BBB..\n"
              ".BBB..\n"
              ".BBB..\n"
              "......\n"
              "......\n");
}

TEST(MemoryImage, LinesFromFarAwayAreClippedQuickly) {
    MemoryImage img(5, 3);
    img.SetPen(kRed, 1);
    img.MoveTo(-2000000000, 1);
    img.LineTo(2000000000, 1);
    img.MoveTo(3, 2000000000);
    img.LineTo(3, -2000000000);
    EXPECT_EQ(Picture(img),
              "...R.\n"
              "RRRRR\n"
              "...R.\n");
    img.MoveTo(-100, -100);
    img.LineTo(-100, 100);  // never touches the image
    EXPECT_EQ(Picture(img),
              "...R.\n"
              "RRRRR\n"
              "...R.\n");

    img.SetPen(kBlue, 2147483647);  // an absurd pen is capped, and the line still finishes
    img.MoveTo(-2000000000, -5);
    img.LineTo(2000000000, -5);
    EXPECT_EQ(Picture(img),
              "BBBBB\n"
              "BBBBB\n"
              "BBBBB\n");
}

TEST(MemoryImage, SavesAndLoadsBmpFiles) {
    test::TempDir dir;
    MemoryImage img(3, 2);
    img.SetPixel(0, 0, kRed);
    img.SetPixel(2, 1, Rgb{1, 2, 3});
    const std::string path = dir.Path("picture.bmp");
    ASSERT_TRUE(img.SaveToFile(path));
    MemoryImage back(1, 1);
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Pixels(), img.Pixels());
}

TEST(MemoryImage, AFailedSaveKeepsTheEarlierFileAndNamesTheFile) {
    test::TempDir dir;
    const std::string path = dir.Path("keep.bmp");
    test::WriteFileBytes(path, "earlier");
    for (int mode = 0; mode < 3; ++mode) {
        test::FailingFileSystem fs;
        fs.failCreate = mode == 0;
        fs.failAtWrite = mode == 1 ? 1 : 0;
        fs.failCommit = mode == 2;
        MemoryImage img(2, 2, fs);
        EXPECT_FALSE(img.SaveToFile(path)) << mode;
        EXPECT_EQ(img.ErrorText(), "ファイル " + path + " に書き込めませんでした");
        EXPECT_EQ(test::ReadFileBytes(path), "earlier") << mode;
    }
}

TEST(MemoryImage, CopiesAndAssignmentsKeepTheFileSystemAnImageWasMadeWith) {
    test::TempDir dir;
    const std::string path = dir.Path("keep.bmp");
    test::WriteFileBytes(path, "earlier");
    test::FailingFileSystem fs;
    fs.failCreate = true;
    MemoryImage onCard(2, 2, fs);
    MemoryImage copy = onCard;
    EXPECT_FALSE(copy.SaveToFile(path));
    onCard = MemoryImage(3, 3);
    EXPECT_EQ(onCard.Width(), 3);
    EXPECT_FALSE(onCard.SaveToFile(path));
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    // And the other way round: an image on the real disk stays there.
    MemoryImage onDisk(1, 1);
    onDisk = copy;
    EXPECT_TRUE(onDisk.SaveToFile(path));
    EXPECT_EQ(onDisk.Width(), 2);
}

TEST(MemoryImage, AFailedLoadLeavesTheImageAsItWas) {
    test::TempDir dir;
    MemoryImage img(1, 1);
    img.SetPixel(0, 0, kGreen);
    EXPECT_FALSE(img.LoadFromFile(dir.Path("missing.bmp")));
    EXPECT_NE(img.ErrorText().find("missing.bmp"), std::string::npos);
    test::WriteFileBytes(dir.Path("text.bmp"), "not a bitmap at all");
    EXPECT_FALSE(img.LoadFromFile(dir.Path("text.bmp")));
    EXPECT_EQ(img.Width(), 1);
    EXPECT_EQ(img.GetPixel(0, 0), kGreen);
}

}  // namespace
}  // namespace tesslor
