// The editing surface's cached dots: each one exactly the ellipse QPainter
// draws, at every dot size the magnifications give, and whole areas painted
// with the cache exactly as without it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "GuiHarness.h"

namespace tesslor::test {
namespace {

using gui::DotSprite;
using gui::DotSpriteCache;
using gui::PaintBoxWidget;

// The magnification menu's entries, in order.
const int kMagnifications[] = {25, 50, 80, 100, 125, 150, 200, 400, 800, 1000};

// The dot sizes the magnifications give (the document's rule), and 1 pixel
// for the smallest dot there can be.
std::vector<int> DotSizes() {
    std::vector<int> sizes{1};
    for (int m : kMagnifications) sizes.push_back(std::max(1, m * 8 / 100));
    return sizes;
}

const QRgb kColours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0)};

TEST(PaintCache, EveryDotIsTheEllipseQPainterDraws) {
    DotSpriteCache cache;
    const QPoint offsets[] = {{0, 0}, {7, 3}, {1, 13}};
    for (int size : DotSizes()) {
        for (QRgb colour : kColours) {
            const DotSprite* sprite = cache.Get(size, colour, colour);
            ASSERT_NE(sprite, nullptr) << size;
            ASSERT_TRUE(sprite->usable) << "size " << size;
            for (QPoint at : offsets) {
                // A grey background, so that a pixel left out or set too many shows.
                QImage expected(size + 24, size + 24, QImage::Format_RGB32);
                expected.fill(qRgb(200, 200, 200));
                QImage cached = expected.copy();
                {
                    QPainter p(&expected);
                    DotSpriteCache::DrawEllipse(p, at.x(), at.y(), size, colour, colour);
                }
                DotSpriteCache::Blit(*sprite, cached.bits(), cached.bytesPerLine(), QPoint(0, 0), at.x(), at.y(),
                                     cached.rect());
                EXPECT_EQ(FirstDifference(cached, expected), "")
                    << "size " << size << " colour " << std::hex << colour << " at " << at.x() << "," << at.y();
            }
        }
    }
    EXPECT_LE(cache.Count(), DotSpriteCache::kMaxEntries);
}

TEST(PaintCache, DotsCutByTheExposedEdgeAndFarOutKeepTheirShape) {
    // A dot astride the edge of the image being painted, and one far out in
    // a 38,513-pixel-wide box painted through an image placed there.
    DotSpriteCache cache;
    const int size = 80;
    const DotSprite& sprite = *cache.Get(size, kColours[1], kColours[1]);
    const QPoint origin(38000, 6000);  // the image's pixel (0, 0) in box coordinates
    const QRect area(origin, QSize(100, 60));
    QImage cached(area.size(), QImage::Format_RGB32);
    cached.fill(Qt::white);
    QImage expected = cached.copy();
    for (QPoint dot : {QPoint(37950, 5990), QPoint(38060, 6020)}) {
        DotSpriteCache::Blit(sprite, cached.bits(), cached.bytesPerLine(), origin, dot.x(), dot.y(), area);
        QPainter p(&expected);
        p.translate(-origin);
        DotSpriteCache::DrawEllipse(p, dot.x(), dot.y(), size, kColours[1], kColours[1]);
    }
    EXPECT_EQ(FirstDifference(cached, expected), "");
    EXPECT_NE(cached.pixel(20, 20), qRgb(255, 255, 255));  // something was drawn
}

TEST(PaintCache, StaysSmall) {
    DotSpriteCache cache;
    for (int size = 1; size <= 100; ++size) ASSERT_NE(cache.Get(size, kColours[size % 4], kColours[size % 4]), nullptr);
    EXPECT_LE(cache.Count(), DotSpriteCache::kMaxEntries);
    EXPECT_EQ(cache.Get(0, kColours[0], kColours[0]), nullptr);
    EXPECT_EQ(cache.Get(DotSpriteCache::kMaxDotSize + 1, kColours[0], kColours[0]), nullptr);
}

class PaintedEditor : public ::testing::Test {
protected:
    PaintedEditor() {
        // Every dot lit in one of the colours or dark, so every sprite is used.
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < 80; ++y)
                e.Doc().Board(x / 16, y / 16).Led(x % 16, y % 16).Color = static_cast<LedColor>((x * 3 + y) % 4);
        // Set behind the surface's back: the box is told.
        Box().Refresh();
    }
    void SetMagnification(int index) {
        auto& mag = e.windows->MagnificationForm();
        mag.MagnificationComboBox->setCurrentIndex(index);
        mag.MagnificationComboBoxChange();
        QApplication::processEvents();
    }
    PaintBoxWidget& Box() { return *e.Main().PaintBox1; }
    /// The area painted through PaintArea into an image of its size, through a
    /// painter moved by the area's corner (as the benchmarks paint).
    QImage Paint(const QRect& area, bool cached) { return PaintBoxArea(Box(), area, cached); }
    Editor e;
};

TEST_F(PaintedEditor, AreasPaintAsWithoutTheCacheAtEveryMagnification) {
    for (int index = 0; index < 10; ++index) {
        SetMagnification(index);
        const QRect box = Box().rect();
        // The picture's corner with its frames and labels, and an area in the
        // middle whose edges cut through dots.
        const QRect areas[] = {QRect(0, 0, 700, 500) & box,
                               QRect(box.width() / 3 + 5, box.height() / 4 + 3, 613, 411) & box};
        for (const QRect& area : areas) {
            const QImage plain = Paint(area, false);
            const QImage cached = Paint(area, true);
            EXPECT_EQ(FirstDifference(cached, plain), "") << "magnification " << kMagnifications[index];
        }
        // Dots of one or two pixels are their whole box and need no sprite.
        if (kMagnifications[index] * 8 / 100 > 2) EXPECT_GT(Box().DotCache().Count(), 0u) << kMagnifications[index];
        EXPECT_LE(Box().DotCache().Count(), DotSpriteCache::kMaxEntries);
    }
}

TEST_F(PaintedEditor, DotsOfOneAndTwoPixelsShowTheirColours) {
    // 全体表示 on a small window gives dots of a pixel or two, where an
    // ellipse would draw nothing: the whole board looked dark.
    auto& mag = e.windows->MagnificationForm();
    for (int percent : {13, 25}) {
        mag.fitMagnification = [percent] { return percent; };
        mag.SelectFit();
        QApplication::processEvents();
        const QImage image = Paint(Box().rect(), true);
        int checked = 0;
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < 80; ++y) {
                const LedClass& led = e.Doc().Board(x / 16, y / 16).Led(x % 16, y % 16);
                ASSERT_LE(led.Size, 2) << percent;
                const Rgb want = ColorValueOf(led.Color);
                for (int d = 0; d < led.Size * led.Size; ++d) {
                    const QPoint at(led.X + d % led.Size, led.Y + d / led.Size);
                    ASSERT_EQ(image.pixel(at), qRgb(want.r, want.g, want.b)) << percent << "% dot " << x << "," << y;
                }
                ++checked;
            }
        EXPECT_EQ(checked, 480 * 80);
    }
}

// A dark dot is not drawn over its panel's black square: every pixel of its
// box must still be black, and a lit dot's centre its colour, with and
// without the cache.
TEST_F(PaintedEditor, DarkDotsAreBlackAndLitDotsTheirColourAtEveryMagnification) {
    for (int index : {0, 3, 6, 9}) {
        SetMagnification(index);
        const QRect area = QRect(0, 0, 700, 500) & Box().rect();
        for (bool cached : {false, true}) {
            const QImage image = Paint(area, cached);
            int dark = 0;
            for (int x = 0; x < 48; ++x)
                for (int y = 0; y < 32; ++y) {
                    const LedClass& led = e.Doc().Board(x / 16, y / 16).Led(x % 16, y % 16);
                    const QRect dot(led.X, led.Y, led.Size, led.Size);
                    if (!area.contains(dot)) continue;
                    const Rgb want = ColorValueOf(led.Color);
                    ASSERT_EQ(image.pixel(dot.center() - area.topLeft()), qRgb(want.r, want.g, want.b))
                        << kMagnifications[index] << "% dot " << x << "," << y;
                    if (led.Color != kOff) continue;
                    ++dark;
                    for (int d = 0; d < led.Size * led.Size; ++d)
                        ASSERT_EQ(image.pixel(QPoint(led.X + d % led.Size, led.Y + d / led.Size) - area.topLeft()), qRgb(0, 0, 0))
                            << kMagnifications[index] << "% dark dot " << x << "," << y;
                }
            EXPECT_GT(dark, 0) << kMagnifications[index];
        }
    }
}

TEST_F(PaintedEditor, PaintEventsShowWhatTheEllipsesShowed) {
    // Through the widget's own paint event (grab), at 100 % and 1000 %.
    for (int index : {3, 9}) {
        SetMagnification(index);
        const QRect area(40, 30, 800, 500);
        Box().SetDotCacheEnabled(false);
        const QImage plain = Box().grab(area).toImage();
        Box().SetDotCacheEnabled(true);
        const QImage cached = Box().grab(area).toImage();
        ASSERT_FALSE(plain.isNull());
        EXPECT_EQ(FirstDifference(cached, plain), "") << "magnification " << kMagnifications[index];
    }
}

TEST_F(PaintedEditor, PaintersThatClipOrUseOtherPixelsGetTheSamePicture) {
    // Dots are copied straight into an image of 32-bit pixels only where the
    // painter lets every pixel of the exposed rectangle through; a clip inside
    // it, a 16-bit or 24-bit image, or a painter over a larger image placed
    // anywhere must all still show exactly what the ellipses show.
    SetMagnification(3);
    const QRect area(200, 90, 420, 260);
    struct Case {
        QImage::Format format;
        QSize imageSize;
        QPoint at;     ///< where the area's corner lands in the image
        QRect clip;    ///< in box coordinates; empty for the whole area
    };
    const Case cases[] = {
        {QImage::Format_RGB32, area.size(), {0, 0}, QRect(260, 120, 150, 90)},
        {QImage::Format_ARGB32_Premultiplied, {700, 500}, {33, 17}, QRect()},
        {QImage::Format_ARGB32, {700, 500}, {1, 250}, QRect(150, 60, 300, 400)},
        {QImage::Format_RGB16, area.size(), {0, 0}, QRect()},
        {QImage::Format_RGB888, {500, 300}, {20, 20}, QRect(300, 100, 50, 50)},
    };
    for (const Case& c : cases) {
        QImage images[2];
        for (bool cached : {false, true}) {
            Box().SetDotCacheEnabled(cached);
            QImage& image = images[cached];
            image = QImage(c.imageSize, c.format);
            image.fill(Qt::magenta);
            QPainter p(&image);
            p.translate(c.at - area.topLeft());
            p.setClipRect(c.clip.isEmpty() ? area : c.clip & area);
            Box().PaintArea(p, area);
        }
        Box().SetDotCacheEnabled(true);
        EXPECT_EQ(FirstDifference(images[1], images[0]), "") << "format " << c.format << " clip " << c.clip.x();
        // Outside the clip nothing was painted.
        if (!c.clip.isEmpty() && !c.clip.contains(area.topLeft() + QPoint(2, 2))) {
            EXPECT_EQ(images[1].pixelColor(c.at + QPoint(2, 2)), QColor(Qt::magenta)) << "format " << c.format;
        }
    }
}

TEST_F(PaintedEditor, AScalingPainterGetsTheEllipses) {
    // A painter that scales cannot take copied dots; it must still get the picture.
    SetMagnification(3);
    const QRect area(100, 100, 300, 200);
    QImage plain(600, 400, QImage::Format_RGB32), cached(600, 400, QImage::Format_RGB32);
    for (QImage* image : {&plain, &cached}) {
        Box().SetDotCacheEnabled(image == &cached);
        image->fill(Qt::magenta);
        QPainter p(image);
        p.scale(2, 2);
        p.translate(-area.topLeft());
        p.setClipRect(area);
        Box().PaintArea(p, area);
    }
    Box().SetDotCacheEnabled(true);
    EXPECT_EQ(FirstDifference(cached, plain), "");
}

}  // namespace
}  // namespace tesslor::test
