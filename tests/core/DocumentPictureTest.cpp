// The editor's helpers around the picture edits: the dot under a pixel, single
// dots and whole pictures put onto the document, settings and status texts.
#include <gtest/gtest.h>

#include "FileTestDoc.h"
#include "led/DocumentCopy.h"
#include "led/DocumentPicture.h"
#include "platform/NullSurface.h"

namespace tesslor {
namespace {

// The dot that DrawDot paints at pixel (x, y), found by painting it.
std::optional<Point> DotDrawDotPaints(test::DocUnderTest& t, int x, int y) {
    t.doc.ClearAll();
    t.doc.DrawDot(x, y, kRed);
    for (int dy = 0; dy < PictureDots::kRows; ++dy)
        for (int dx = 0; dx < PictureDots::kColumns; ++dx)
            if (t.doc.DotColor(dx, dy) != kOff) return Point{dx, dy};
    return std::nullopt;
}

TEST(DotAtPixel, FindsTheDotThePenPaintsAtEveryMagnification) {
    for (const int magnification : {25, 100, 150, 400}) {
        test::DocUnderTest t;
        t.doc.Relayout(t.surface, magnification);
        const int pitch = t.doc.Pitch();
        // Pixels around the label margins, panel joints, inside and beyond the picture.
        std::vector<int> xs{-5, 0, 19, 20, 21, 22, 20 + pitch - 1, 20 + pitch, 20 + pitch + 1,
                            20 + 30 * pitch - 1, 20 + 30 * pitch + 40};
        std::vector<int> ys{-3, 0, 11, 12, 13, 12 + pitch, 12 + 2 * pitch + 5, 12 + 5 * pitch + 30};
        for (int k = 0; k < 40; ++k) xs.push_back(20 + k * 7 * pitch / 16 + k % 5);
        for (int k = 0; k < 12; ++k) ys.push_back(12 + k * 7 * pitch / 16 + k % 3);
        for (const int x : xs)
            for (const int y : ys) {
                SCOPED_TRACE(testing::Message() << "magnification " << magnification << " pixel " << x << "," << y);
                EXPECT_EQ(DotAtPixel(t.doc, x, y), DotDrawDotPaints(t, x, y));
            }
    }
}

TEST(PaintDot, PaintsLikeThePenAndLeavesDisabledRowsDark) {
    StartupConfig config;
    config.TateMaisuu = 2;
    test::DocUnderTest t(config);
    PaintDot(t.doc, {5, 31}, kGreen);
    EXPECT_EQ(t.doc.DotColor(5, 31), kLedGreen);
    EXPECT_TRUE(t.doc.Modified());
    t.doc.HeldIn(t.doc.FileName);
    PaintDot(t.doc, {5, 32}, kGreen);  // a row the display does not have
    PaintDot(t.doc, {480, 0}, kGreen);
    PaintDot(t.doc, {-1, 0}, kGreen);
    EXPECT_EQ(t.doc.DotColor(5, 32), kOff);
    EXPECT_EQ(UsedWidth(t.doc), 16);
    // Nothing changed: nothing is unsaved.
    EXPECT_FALSE(t.doc.Modified());
}

TEST(ShowPicture, CountsChangedDotsAndKeepsDisabledRowsDark) {
    StartupConfig config;
    config.TateMaisuu = 3;
    test::DocUnderTest t(config);
    PictureDots dots;
    dots.Set(0, 0, kLedRed);
    dots.Set(479, 47, kLedYellow);
    dots.Set(10, 48, kLedGreen);  // disabled row
    EXPECT_EQ(ShowPicture(t.doc, dots), 2);
    EXPECT_EQ(ShowPicture(t.doc, dots), 0);
    EXPECT_EQ(t.doc.DotColor(479, 47), kLedYellow);
    EXPECT_EQ(t.doc.DotColor(10, 48), kOff);
    EXPECT_TRUE(t.doc.Modified()) << "no file holds the picture shown";
    EXPECT_EQ(ShowPicture(t.doc, PictureDots()), 2);
    EXPECT_EQ(t.doc.LastUsedColumn(), -1);
}

TEST(PictureSettings, DifferWhenAnySettingWrittenToTheFileDiffers) {
    test::DocUnderTest t;
    const PictureSettings start = CaptureSettings(t.doc);
    EXPECT_EQ(CaptureSettings(t.doc), start);
    t.doc.SetDisplayMode('S');
    EXPECT_NE(CaptureSettings(t.doc), start);
    t.doc.SetDisplayMode('A');
    EXPECT_EQ(CaptureSettings(t.doc), start);
    t.doc.SetWriteNoText("9");
    EXPECT_NE(CaptureSettings(t.doc), start);
    test::DocUnderTest u;
    u.doc.SetReverseColorByIndex(2);
    EXPECT_NE(CaptureSettings(u.doc), start);
    test::DocUnderTest v;
    v.doc.SetNiniIti(5);
    EXPECT_NE(CaptureSettings(v.doc), start);
}

TEST(StatusTexts, NameDotPanelColourMagnificationAndWidth) {
    EXPECT_EQ(DotPositionText(Point{37, 20}), "X 37  Y 20  パネル 2,1");
    EXPECT_EQ(DotPositionText(std::nullopt), "");
    test::DocUnderTest t;
    EXPECT_EQ(PenColorText(t.doc, t.doc.ReverseColorValue(0)), "ペン 赤");
    EXPECT_EQ(PenColorText(t.doc, t.doc.ReverseColorValue(1)), "ペン 緑");
    EXPECT_EQ(PenColorText(t.doc, t.doc.ReverseColorValue(2)), "ペン 黄");
    EXPECT_EQ(MagnificationText(125), "倍率 125%");
    EXPECT_EQ(DocumentStatusText("", false), "新規");
    EXPECT_EQ(DocumentStatusText("/media/card/kion.lee", true), "kion.lee (未保存)");
    EXPECT_EQ(DocumentStatusText("E:\\waku.lee", false), "waku.lee");
    EXPECT_EQ(UsedWidthText(48), "使用幅 48ドット");
}

// The scratch an open reads into is kept from one open to the next: each
// read must still start on a new document of the picture's shape, also after
// a failed read and for a read that opens another file while it reads.
TEST(ReadThroughScratch, EveryReadStartsOnANewDocumentOfTheShape) {
    NullSurface surface;
    const DisplayShape shape{2, 6, 2};
    LedHyoujikiClass doc(surface, shape), fresh(surface, shape);
    const auto startsNew = [&](LedHyoujikiClass& scratch) {
        EXPECT_EQ(scratch.Shape(), shape);
        EXPECT_EQ(CapturePicture(scratch), CapturePicture(fresh));
        EXPECT_EQ(CaptureSettings(scratch), CaptureSettings(fresh));
        EXPECT_EQ(scratch.FileName, "");
    };
    const auto marks = [&](LedHyoujikiClass& scratch) {
        startsNew(scratch);
        scratch.Board(1, 0).Led(2, 3).AddColor(kLedGreen);
        scratch.SetDisplayMode('B');
        scratch.SetReverseColorByIndex(2);
        scratch.SetWriteNoText("7");
        scratch.FileName = "scratch.lee";
    };
    ASSERT_TRUE(ReadThroughScratch(doc, [&](LedHyoujikiClass& s) { marks(s); return true; }));
    EXPECT_EQ(doc.DotColor(18, 3), kLedGreen);
    EXPECT_EQ(doc.WriteNoText(), "7");
    const PictureDots held = CapturePicture(doc);
    EXPECT_FALSE(ReadThroughScratch(doc, [&](LedHyoujikiClass& s) { marks(s); return false; }));
    // A read inside a read gets a scratch of its own; the outer one is not disturbed.
    ASSERT_TRUE(ReadThroughScratch(doc, [&](LedHyoujikiClass& outer) {
        marks(outer);
        LedHyoujikiClass other(surface, shape);
        EXPECT_TRUE(ReadThroughScratch(other, [&](LedHyoujikiClass& inner) { startsNew(inner); return true; }));
        EXPECT_EQ(outer.DotColor(18, 3), kLedGreen);
        return true;
    }));
    EXPECT_EQ(CapturePicture(doc), held);
    // Another shape gets a scratch of that shape.
    LedHyoujikiClass wide(surface, DisplayShape{});
    EXPECT_TRUE(ReadThroughScratch(wide, [&](LedHyoujikiClass& s) { return s.Shape() == DisplayShape{}; }));
}

// An open of an LED data file reads its settings into the kept scratch and its
// dots into columns of their own, leaving the scratch's dots as they are: the
// reads around it must still start on a new document, and the document takes
// exactly the columns' dots, or nothing when the read fails.
TEST(ReadThroughScratch, AReadIntoColumnsReplacesThePictureOnlyWhenGoodAndLeavesTheNextReadNew) {
    NullSurface surface;
    const DisplayShape shape{2, 6, 2};
    LedHyoujikiClass doc(surface, shape), fresh(surface, shape);
    ASSERT_TRUE(ReadThroughScratch(doc, [&](LedHyoujikiClass& s) {
        s.Board(1, 0).Led(2, 3).AddColor(kLedGreen);  // the kept scratch's dots are now lit
        s.SetDisplayMode('B');
        return true;
    }));
    const auto columnsRead = [&](bool good) {
        return ReadColumnsThroughScratch(doc, [&](LedHyoujikiClass& settings, PictureColumns& dots) {
            EXPECT_EQ(CaptureSettings(settings), CaptureSettings(fresh));
            EXPECT_EQ(dots.LastUsedPanelColumn(PictureColumns::kPanelRows), -1);
            dots.Or(3, 0, 0x8000, kLedRed);
            dots.Or(95, 1, 0x0001, kLedYellow);
            settings.SetWriteNoText("9");
            return good;
        });
    };
    const PictureDots before = CapturePicture(doc);
    const PictureSettings settingsBefore = CaptureSettings(doc);
    EXPECT_FALSE(columnsRead(false));
    EXPECT_EQ(CapturePicture(doc), before);
    EXPECT_EQ(CaptureSettings(doc), settingsBefore);
    ASSERT_TRUE(columnsRead(true));
    EXPECT_EQ(doc.DotColor(18, 3), kOff) << "the picture before is gone";
    EXPECT_EQ(doc.DotColor(3, 0), kLedRed);
    EXPECT_EQ(doc.DotColor(95, 31), kLedYellow);
    EXPECT_EQ(doc.LastUsedColumn(), 5);
    EXPECT_EQ(doc.WriteNoText(), "9");
    EXPECT_EQ(doc.DisplayModeCode(), fresh.DisplayModeCode()) << "settings are the file's, not the last read's";
    // The scratch's dots, lit two reads ago, are off for a read that uses them.
    EXPECT_TRUE(ReadThroughScratch(doc, [&](LedHyoujikiClass& s) { return CapturePicture(s) == CapturePicture(fresh); }));
    // A read into columns inside another read gets a scratch of its own.
    ASSERT_TRUE(ReadThroughScratch(doc, [&](LedHyoujikiClass& outer) {
        outer.Board(0, 0).Led(0, 0).AddColor(kLedGreen);
        LedHyoujikiClass other(surface, shape);
        EXPECT_TRUE(ReadColumnsThroughScratch(other, [&](LedHyoujikiClass& settings, PictureColumns&) {
            return &settings != &outer;
        }));
        return outer.DotColor(0, 0) == kLedGreen;
    }));
}

}  // namespace
}  // namespace tesslor
