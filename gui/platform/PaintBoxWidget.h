#pragma once
// The editing area: a widget that is the document's drawing surface.
//
// The paint box keeps an image of the board at the current magnification
// (32-bit pixels) while the box is no larger than kMaxKeptPixels: the 100 %
// and 200 % boxes (some 3,953 x 682 and 7,793 x 1,322 pixels). The image holds
// a region of pixels known to be up to date. A dot the model draws outside a
// paint event (a pen stroke, a file being loaded, undo) goes straight into the
// image where it is up to date; anything else takes the touched rectangle out
// of that region. Either asks for a repaint of the rectangle; a new size, a new
// palette and Refresh() take out everything. A paint event first draws what
// of the exposed rectangle is out of date into the image, by running the
// paint handler there, then copies the exposed rectangle to the screen: a
// repaint for scrolling or a window uncovered is one copy.
//
// A larger box (38,513 x 6,442 pixels at 1000 %) is never backed by an image
// of its own size: the paint event runs the paint handler straight through
// the widget's QPainter and the model skips whatever lies outside the exposed
// rectangle. So does a painter that scales, and a box whose image could not
// be allocated.
//
// Dots are the bulk of the picture (a full-HD view at 100 % holds some 19,000),
// so each dot is copied from a small cache of dots drawn once per size and
// colour straight into 32-bit pixels: the kept image's, or the window's
// backing image in a paint event when it has 32-bit pixels, no scaling and no
// clip inside the exposed rectangle; otherwise into an image of the exposed
// size that then reaches the painter in one copy. Lines, rectangles and text
// are drawn through QPainter, and the dots come out exactly as QPainter's
// ellipse would draw them.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/Surface.h"

class QPainter;

namespace tesslor::gui {

/// A dot as QPainter::drawEllipse draws it without antialiasing, with a 1-pixel
/// pen, into the box (0, 0, size - 1, size - 1): the runs of pixels it sets,
/// row by row, relative to the box's top-left corner.
struct DotSprite {
    struct Run {
        int y;
        int x;
        int length;
        QRgb colour;  ///< opaque
    };
    std::vector<Run> runs;
    /// The pixels the runs cover, relative to the box's top-left corner.
    QRect bounds;
    /// False when the ellipse left pixels only partly covered or reached the
    /// edge of the drawing; such a dot is drawn with QPainter instead.
    bool usable = false;
};

/// Dots drawn once per size and pen and brush colour, at most kMaxEntries of
/// them (the editor uses four colours at one size per magnification; past the
/// limit the cache starts afresh).
class DotSpriteCache {
public:
    /// Dots larger than this are drawn with QPainter (the largest magnification
    /// gives 80-pixel dots).
    static constexpr int kMaxDotSize = 128;
    static constexpr std::size_t kMaxEntries = 64;

    /// The dot of size x size pixels; nullptr for a size outside 1 to kMaxDotSize.
    const DotSprite* Get(int size, QRgb pen, QRgb brush);
    std::size_t Count() const { return sprites_.size(); }

    /// Draws a dot as one QPainter ellipse, as the editing surface draws it, for building and checking sprites.
    static void DrawEllipse(QPainter& painter, int x, int y, int size, QRgb pen, QRgb brush);
    /// Copies sprite into a 32-bit image whose pixel (0, 0) is at origin, with
    /// the dot's box at (x, y); only pixels inside clip (same coordinates) change.
    static void Blit(const DotSprite& sprite, uchar* bits, qsizetype bytesPerLine, QPoint origin, int x, int y,
                     const QRect& clip);

private:
    static DotSprite Build(int size, QRgb pen, QRgb brush);
    std::unordered_map<std::uint64_t, DotSprite> sprites_;
    std::uint64_t lastKey_ = 0;
    const DotSprite* last_ = nullptr;
};

class PaintBoxWidget : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    explicit PaintBoxWidget(QWidget* parent = nullptr);

    void SetBrushColor(Rgb colour) override;
    void SetPen(Rgb colour, int width) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                 Rgb background) override;
    void SetPixel(int x, int y, Rgb colour) override;
    Rgb GetPixel(int x, int y) const override;
    void SetSize(int width, int height) override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool NeedsDrawing(int x1, int y1, int x2, int y2) const override;

    /// Paints the exposed rectangle through painter by running the paint handler
    /// (the document's Paint()). The paint event and the benchmarks use it.
    /// Through a plain painter (no scaling, device pixel ratio 1) it uses the
    /// dot cache, straight into the painter's own image where it can and else
    /// through an image of the exposed size; otherwise, or for an exposed
    /// rectangle over kMaxBufferPixels, every dot is an ellipse through painter.
    /// With the kept image (see above) the out-of-date part of the exposed
    /// rectangle is drawn into it first and the rectangle is then copied.
    void PaintArea(QPainter& painter, const QRect& exposed);

    /// Everything changed (the picture was replaced without drawing through
    /// this surface): the kept image is drawn afresh and what shows is repainted.
    void Refresh();

    /// The dot cache on (the default) or off: off, every dot is an ellipse
    /// drawn through QPainter and no kept image is used (tests compare the two).
    void SetDotCacheEnabled(bool enabled) { dotCacheEnabled_ = enabled; }
    const DotSpriteCache& DotCache() const { return dotCache_; }

    /// The largest exposed rectangle painted through an image: a 4K screen.
    static constexpr qsizetype kMaxBufferPixels = 3840LL * 2160;
    /// The largest box kept as an image: 12 Mi pixels, 48 MiB (the 200 % box
    /// takes some 10.3 million; 400 % would take 40 million).
    static constexpr qsizetype kMaxKeptPixels = 12LL * 1024 * 1024;
    /// Whether paint events copy from a kept image of the box (tests and benchmarks ask).
    bool KeepsImage() const;
    /// The part of the kept image known to be up to date (empty without one).
    QRegion FreshRegion() const;
    /// The kept image (null without one); only FreshRegion() of it is up to date.
    const QImage& KeptImage() const { return kept_; }

    /// The paint handler (PaintBox1Paint).
    std::function<void()> onPaint;

    /// The part of the widget that its ancestors let show (widget coordinates).
    QRect VisibleRect() const;

    /// The surface shown larger by scale (at least 1): 全体表示 fills the
    /// window's width with a board whose dots are whole pixels. The widget
    /// is the surface's size times scale; mouse positions are given back in
    /// the surface's pixels.
    void SetDisplayScale(double scale);
    double DisplayScale() const { return scale_; }
    /// A surface point in the widget's pixels, and back.
    QPoint ToWidget(QPoint surfacePoint) const;
    QPoint ToSurface(QPoint widgetPoint) const;

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    /// The wheel turned with Ctrl held: steps up (positive) or down, at pos.
    void zoomRequested(int steps, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Touch(const QRect& box);
    void QueueRepaint(const QRect& box);
    bool DrawDotIntoKeptImage(const QRect& box);
    void FlushDirty();
    void RunPaintHandler(QPainter& painter, const QRect& exposed);
    bool CanPaintThroughImage(const QPainter& painter, const QRect& exposed) const;
    static bool PaintsPixelForPixel(const QPainter& painter);
    bool PaintFromKeptImage(QPainter& painter, const QRect& exposed);
    bool EnsureKeptImage();
    void DrawIntoKeptImage(const QRegion& stale);
    void FoldStale();
    void ForgetKeptImage();
    /// The paint event's work when the surface is shown scaled.
    void PaintScaled(QPainter& painter, const QRect& exposed);
    /// The surface pixels a widget rectangle shows, and the widget pixels a surface rectangle covers.
    QRect SurfaceRectOf(const QRect& widgetRect) const;
    QRect WidgetRectOf(const QRect& surfaceRect) const;
    void ApplyFixedSize();

    QPainter* painter_ = nullptr;
    QRect exposed_;
    bool dotCacheEnabled_ = true;
    DotSpriteCache dotCache_;
    /// The image a paint event draws into (at least the exposed size; reused)
    /// and, while it is drawn, its memory and the widget position of its pixel (0, 0).
    QImage buffer_;
    uchar* bufferBits_ = nullptr;
    qsizetype bufferStride_ = 0;
    QPoint bufferOrigin_;
    /// The kept image of the whole box, the part of it known to be up to
    /// date, and the bounds of what was touched since that part was last cut.
    QImage kept_;
    QRegion fresh_;
    QRect staleSince_;
    bool keptFailed_ = false;
    QRect dirty_;
    bool flushQueued_ = false;
    bool fullRepaintPending_ = false;
    Rgb brush_ = kWhite;
    Rgb pen_ = kBlack;
    int penWidth_ = 1;
    QPoint current_;
    int width_ = 0;
    int height_ = 0;
    int wheelRemainder_ = 0;
    double scale_ = 1.0;
};

/// Qt colour of an RGB value.
QColor ToQColor(Rgb c);

}  // namespace tesslor::gui
