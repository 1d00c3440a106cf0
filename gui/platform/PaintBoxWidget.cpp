#include "platform/PaintBoxWidget.h"

#include <QEvent>
#include <cmath>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QRegion>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace tesslor::gui {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

namespace {
QRgb ToQRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }
}  // namespace

// ---- the dot cache ----

void DotSpriteCache::DrawEllipse(QPainter& painter, int x, int y, int size, QRgb pen, QRgb brush) {
    QPen p{QColor(pen)};
    p.setWidth(1);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::RoundJoin);
    painter.setPen(p);
    painter.setBrush(QColor(brush));
    if (size <= 2) {
        painter.fillRect(QRect(x, y, size, size), QColor(brush));  // as the editing surface draws them
        return;
    }
    painter.drawEllipse(QRect(x, y, size - 1, size - 1));
}

DotSprite DotSpriteCache::Build(int size, QRgb pen, QRgb brush) {
    // Drawn with a margin around the box: a pen may reach a pixel beyond it.
    constexpr int kMargin = 3;
    const int side = size + 2 * kMargin;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        DrawEllipse(painter, kMargin, kMargin, size, pen, brush);
    }
    DotSprite sprite;
    sprite.usable = true;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side;) {
            const QRgb px = row[x];
            if (qAlpha(px) == 0) {
                ++x;
                continue;
            }
            if (qAlpha(px) != 255 || x == 0 || y == 0 || x == side - 1 || y == side - 1) sprite.usable = false;
            int end = x + 1;
            while (end < side && row[end] == px) ++end;
            sprite.runs.push_back({y - kMargin, x - kMargin, end - x, px});
            sprite.bounds |= QRect(x - kMargin, y - kMargin, end - x, 1);
            x = end;
        }
    }
    return sprite;
}

const DotSprite* DotSpriteCache::Get(int size, QRgb pen, QRgb brush) {
    if (size < 1 || size > kMaxDotSize) return nullptr;
    const std::uint64_t key = (static_cast<std::uint64_t>(size) << 48) |
                              (static_cast<std::uint64_t>(pen & 0xFFFFFF) << 24) | (brush & 0xFFFFFF);
    if (last_ && key == lastKey_) return last_;
    auto it = sprites_.find(key);
    if (it == sprites_.end()) {
        if (sprites_.size() >= kMaxEntries) sprites_.clear();
        it = sprites_.emplace(key, Build(size, pen, brush)).first;
    }
    lastKey_ = key;
    last_ = &it->second;
    return last_;
}

namespace {
// Sets length pixels from p on to colour, four a step (wide stores).
inline void FillPixels(QRgb* p, int length, QRgb colour) {
    for (; length >= 4; length -= 4, p += 4) {
        p[0] = colour;
        p[1] = colour;
        p[2] = colour;
        p[3] = colour;
    }
    for (; length > 0; --length) *p++ = colour;
}
}  // namespace

void DotSpriteCache::Blit(const DotSprite& sprite, uchar* bits, qsizetype bytesPerLine, QPoint origin, int x, int y,
                          const QRect& clip) {
    if (clip.contains(sprite.bounds.translated(x, y))) {
        // Wholly inside, as nearly every dot is: no run needs cutting.
        uchar* const corner = bits + static_cast<qsizetype>(y - origin.y()) * bytesPerLine +
                              static_cast<qsizetype>(x - origin.x()) * 4;
        for (const DotSprite::Run& run : sprite.runs)
            FillPixels(reinterpret_cast<QRgb*>(corner + static_cast<qsizetype>(run.y) * bytesPerLine) + run.x,
                       run.length, run.colour);
        return;
    }
    const int left = clip.left(), right = clip.left() + clip.width();  // right is outside
    const int top = clip.top(), bottom = clip.top() + clip.height();
    for (const DotSprite::Run& run : sprite.runs) {
        const int py = y + run.y;
        if (py < top || py >= bottom) continue;
        const int from = std::max(x + run.x, left), to = std::min(x + run.x + run.length, right);
        if (to <= from) continue;
        auto* p = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(py - origin.y()) * bytesPerLine) +
                  (from - origin.x());
        FillPixels(p, to - from, run.colour);
    }
}

// ---- the widget ----

PaintBoxWidget::PaintBoxWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(false);
}

void PaintBoxWidget::SetBrushColor(Rgb colour) { brush_ = colour; }

void PaintBoxWidget::SetPen(Rgb colour, int width) {
    pen_ = colour;
    penWidth_ = width < 1 ? 1 : width;
}

namespace {
QPen MakePen(Rgb c, int width) {
    QPen p(ToQColor(c));
    p.setWidth(width);
    p.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}
}  // namespace

void PaintBoxWidget::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    QRect box(x1, y1, x2 - x1, y2 - y1);
    if (!painter_) {
        Touch(box);
        return;
    }
    if (!box.intersects(exposed_)) return;
    painter_->fillRect(box, ToQColor(brush_));
    // The one-pixel outline as four runs of pixels: QPainter's own outline
    // loses its far corner where it starts left of or above the device, so
    // the picture would change with the scroll position.
    const QColor pen = ToQColor(pen_);
    painter_->fillRect(QRect(x1, y1, box.width(), 1), pen);
    painter_->fillRect(QRect(x1, y2 - 1, box.width(), 1), pen);
    painter_->fillRect(QRect(x1, y1, 1, box.height()), pen);
    painter_->fillRect(QRect(x2 - 1, y1, 1, box.height()), pen);
}

void PaintBoxWidget::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    QRect box(x1, y1, x2 - x1, y2 - y1);
    if (!painter_) {
        if (DrawDotIntoKeptImage(box)) QueueRepaint(box);
        else Touch(box);
        return;
    }
    if (!box.intersects(exposed_)) return;
    // An ellipse in a box of one or two pixels draws nothing or a part: the
    // dots of the smallest magnifications (全体表示) are their whole box.
    if (box.width() <= 2 && box.height() <= 2) {
        painter_->fillRect(box, ToQColor(brush_));
        return;
    }
    if (bufferBits_ && x2 - x1 == y2 - y1) {
        if (const DotSprite* sprite = dotCache_.Get(x2 - x1, ToQRgb(pen_), ToQRgb(brush_)); sprite && sprite->usable) {
            DotSpriteCache::Blit(*sprite, bufferBits_, bufferStride_, bufferOrigin_, x1, y1, exposed_);
            return;
        }
    }
    painter_->setPen(MakePen(pen_, 1));
    painter_->setBrush(ToQColor(brush_));
    painter_->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void PaintBoxWidget::MoveTo(int x, int y) { current_ = QPoint(x, y); }

void PaintBoxWidget::LineTo(int x, int y) {
    QPoint to(x, y);
    const int m = penWidth_ / 2 + 1;
    QRect box = QRect(current_, to).normalized().adjusted(-m, -m, m + 1, m + 1);
    if (!painter_) {
        Touch(box);
    } else if (box.intersects(exposed_)) {
        painter_->setPen(MakePen(pen_, penWidth_));
        painter_->drawLine(current_, to);
    }
    current_ = to;
}

void PaintBoxWidget::TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb textColour,
                             Rgb background) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(font.pixelSize);
    QFontMetrics fm(f);
    const QString s = QString::fromStdString(text);
    QRect box(x, y, fm.horizontalAdvance(s), fm.height());
    // The glyphs may reach beyond the background's box (their bounds cost a
    // layout of the text: asked only when the box alone does not settle it).
    const auto ink = [&] { return box | fm.boundingRect(s).translated(x, y + fm.ascent()); };
    if (!painter_) {
        Touch(ink());
        return;
    }
    if (!box.intersects(exposed_) && !ink().intersects(exposed_)) return;
    painter_->fillRect(box, ToQColor(background));
    painter_->setFont(f);
    painter_->setPen(ToQColor(textColour));
    painter_->drawText(QPoint(x, y + fm.ascent()), s);
}

void PaintBoxWidget::SetPixel(int x, int y, Rgb colour) {
    if (!painter_) {
        Touch(QRect(x, y, 1, 1));
        return;
    }
    painter_->setPen(ToQColor(colour));
    painter_->drawPoint(x, y);
}

Rgb PaintBoxWidget::GetPixel(int, int) const { return kBlack; }

void PaintBoxWidget::SetSize(int width, int height) {
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    ApplyFixedSize();
    // Everything moves: the kept image is drawn afresh (and dropped when the
    // new box is too large for one).
    ForgetKeptImage();
    if (!painter_) {
        // One repaint of what shows covers all that follows.
        fullRepaintPending_ = true;
        update();
    }
}

void PaintBoxWidget::ApplyFixedSize() {
    if (scale_ == 1.0) {
        setFixedSize(width_, height_);
        return;
    }
    // Never wider than the width the scale was chosen for.
    setFixedSize(static_cast<int>(std::floor(width_ * scale_)), static_cast<int>(std::floor(height_ * scale_)));
}

void PaintBoxWidget::SetDisplayScale(double scale) {
    if (!(scale >= 1.0) || !std::isfinite(scale)) scale = 1.0;
    if (scale == scale_) return;
    scale_ = scale;
    ApplyFixedSize();
    fullRepaintPending_ = true;
    update();
}

QPoint PaintBoxWidget::ToWidget(QPoint p) const {
    if (scale_ == 1.0) return p;
    return QPoint(static_cast<int>(std::floor((p.x() + 0.5) * scale_)), static_cast<int>(std::floor((p.y() + 0.5) * scale_)));
}

QPoint PaintBoxWidget::ToSurface(QPoint p) const {
    if (scale_ == 1.0) return p;
    return QPoint(static_cast<int>(std::floor(p.x() / scale_)), static_cast<int>(std::floor(p.y() / scale_)));
}

QRect PaintBoxWidget::SurfaceRectOf(const QRect& r) const {
    if (scale_ == 1.0) return r;
    // One pixel more on each side: the smooth scaling samples its neighbours.
    const int left = static_cast<int>(std::floor(r.left() / scale_)) - 1;
    const int top = static_cast<int>(std::floor(r.top() / scale_)) - 1;
    const int right = static_cast<int>(std::ceil((r.right() + 1) / scale_)) + 1;
    const int bottom = static_cast<int>(std::ceil((r.bottom() + 1) / scale_)) + 1;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(0, 0, width_, height_);
}

QRect PaintBoxWidget::WidgetRectOf(const QRect& r) const {
    if (scale_ == 1.0) return r;
    const int left = static_cast<int>(std::floor(r.left() * scale_)) - 1;
    const int top = static_cast<int>(std::floor(r.top() * scale_)) - 1;
    const int right = static_cast<int>(std::ceil((r.right() + 1) * scale_)) + 1;
    const int bottom = static_cast<int>(std::ceil((r.bottom() + 1) * scale_)) + 1;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & rect();
}

void PaintBoxWidget::Refresh() {
    fresh_ = QRegion();
    staleSince_ = QRect();
    if (painter_) return;
    fullRepaintPending_ = true;
    update();
}

void PaintBoxWidget::ForgetKeptImage() {
    fresh_ = QRegion();
    staleSince_ = QRect();
    keptFailed_ = false;
    if (!KeepsImage() || kept_.size() != QSize(width_, height_)) kept_ = QImage();
}

bool PaintBoxWidget::KeepsImage() const {
    return dotCacheEnabled_ && !keptFailed_ && width_ > 0 && height_ > 0 &&
           static_cast<qsizetype>(width_) * height_ <= kMaxKeptPixels;
}

QRegion PaintBoxWidget::FreshRegion() const {
    if (staleSince_.isNull()) return fresh_;
    return fresh_ - staleSince_;
}

void PaintBoxWidget::FoldStale() {
    if (staleSince_.isNull()) return;
    fresh_ -= staleSince_;
    staleSince_ = QRect();
}

void PaintBoxWidget::changeEvent(QEvent* event) {
    // The background around the panels is the palette's.
    if (event->type() == QEvent::PaletteChange) Refresh();
    QWidget::changeEvent(event);
}

QRect PaintBoxWidget::VisibleRect() const {
    QRect visible = rect();
    const QWidget* w = this;
    QPoint offset(0, 0);
    while (!w->isWindow() && w->parentWidget()) {
        offset += w->pos();
        const QWidget* parent = w->parentWidget();
        visible &= parent->rect().translated(-offset);
        w = parent;
    }
    return visible;
}

bool PaintBoxWidget::NeedsDrawing(int x1, int y1, int x2, int y2) const {
    QRect box(x1, y1, x2 - x1, y2 - y1);
    if (painter_) return box.intersects(exposed_);
    // Whatever changes where the kept image is up to date must reach Touch,
    // shown or not.
    if (!fresh_.isEmpty() && box.intersects(fresh_.boundingRect())) return true;
    if (fullRepaintPending_ || !isVisible()) return false;
    return box.intersects(SurfaceRectOf(VisibleRect()));
}

bool PaintBoxWidget::DrawDotIntoKeptImage(const QRect& box) {
    // A dot is the last thing a paint draws over its box (dots never overlap
    // and the labels lie outside the panels), so a dot drawn where the kept
    // image is up to date leaves it as a paint would: a pen stroke then costs
    // a dot's pixels and one copy instead of a paint of all its bounds.
    if (fresh_.isEmpty() || box.width() != box.height()) return false;
    const DotSprite* sprite = dotCache_.Get(box.width(), ToQRgb(pen_), ToQRgb(brush_));
    if (!sprite || !sprite->usable) return false;
    const QRect pixels = sprite->bounds.translated(box.topLeft());
    // One piece of the region must hold the dot (a dot on a seam is rare).
    const auto holds = std::find_if(fresh_.begin(), fresh_.end(), [&](const QRect& r) { return r.contains(pixels); });
    if (holds == fresh_.end()) return false;
    DotSpriteCache::Blit(*sprite, kept_.bits(), kept_.bytesPerLine(), QPoint(0, 0), box.x(), box.y(), pixels);
    return true;
}

void PaintBoxWidget::Touch(const QRect& box) {
    // Only the bounds are gathered here: a whole picture drawn afresh touches
    // some 38,000 dots, and cutting each out of the region one by one would
    // cost far more than drawing the bounds again.
    if (!fresh_.isEmpty()) {
        const QRect onImage = box & QRect(0, 0, width_, height_);
        if (!onImage.isEmpty()) staleSince_ = staleSince_.isNull() ? onImage : staleSince_.united(onImage);
    }
    QueueRepaint(box);
}

void PaintBoxWidget::QueueRepaint(const QRect& box) {
    if (fullRepaintPending_ || !isVisible()) return;
    QRect r = WidgetRectOf(box & QRect(0, 0, width_, height_));
    if (r.isEmpty()) return;
    dirty_ = dirty_.isNull() ? r : dirty_.united(r);
    if (!flushQueued_) {
        flushQueued_ = true;
        QTimer::singleShot(0, this, [this] { FlushDirty(); });
    }
}

void PaintBoxWidget::FlushDirty() {
    flushQueued_ = false;
    FoldStale();
    if (!dirty_.isNull()) update(dirty_);
    dirty_ = QRect();
}

void PaintBoxWidget::RunPaintHandler(QPainter& painter, const QRect& exposed) {
    painter_ = &painter;
    exposed_ = exposed;
    painter.fillRect(exposed, palette().color(QPalette::Window));
    if (onPaint) onPaint();
    painter_ = nullptr;
}

bool PaintBoxWidget::CanPaintThroughImage(const QPainter& painter, const QRect& exposed) const {
    if (static_cast<qsizetype>(exposed.width()) * exposed.height() > kMaxBufferPixels) return false;
    return PaintsPixelForPixel(painter);
}

bool PaintBoxWidget::PaintsPixelForPixel(const QPainter& painter) {
    // Only where the image's pixels are the device's pixels does a copied dot
    // land exactly where the ellipse would.
    const QPaintDevice* device = painter.device();
    if (!device || device->devicePixelRatioF() != 1.0) return false;
    const QTransform t = painter.transform();
    if (t.type() > QTransform::TxTranslate) return false;
    if (t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy())) return false;
    return painter.opacity() == 1.0 && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

namespace {
// The image of 32-bit pixels a painter draws into pixel for pixel, with the
// image position of the painter's (0, 0) in offset, when dots may be copied
// straight into it over the whole exposed rectangle; nullptr when the painter
// scales, draws through another engine or pixel format, or clips any of the
// rectangle away. A widget's painter draws into the window's backing image.
QImage* ImageDrawnPixelForPixel(QPainter& painter, const QRect& exposed, QPoint& offset) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    // Opaque pixels are the same in all three formats.
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    // Shared pixels would be copied by the first write, away from the painter's.
    if (image->devicePixelRatio() != 1.0 || !image->isDetached()) return nullptr;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxTranslate) return nullptr;
    if (t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy())) return nullptr;
    if (std::abs(t.dx()) > 1e9 || std::abs(t.dy()) > 1e9) return nullptr;
    offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    const QRect onImage = exposed.translated(offset);
    if (!image->rect().contains(onImage)) return nullptr;
    const QRegion systemClip = engine->systemClip();  // device coordinates; empty for none
    if (!systemClip.isEmpty() && !(QRegion(onImage) - systemClip).isEmpty()) return nullptr;
    if (painter.hasClipping() && !(QRegion(exposed) - painter.clipRegion()).isEmpty()) return nullptr;
    if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}
}  // namespace

bool PaintBoxWidget::EnsureKeptImage() {
    if (!KeepsImage()) return false;
    if (kept_.size() == QSize(width_, height_)) return true;
    fresh_ = QRegion();
    staleSince_ = QRect();
    kept_ = QImage(width_, height_, QImage::Format_RGB32);
    if (kept_.isNull()) {
        // Out of memory: paint as without the image until the size changes.
        keptFailed_ = true;
        return false;
    }
    return true;
}

void PaintBoxWidget::DrawIntoKeptImage(const QRegion& stale) {
    // A region cut into many pieces is drawn as its bounds: each run of the
    // paint handler visits every panel.
    constexpr int kMaxPieces = 8;
    const QRegion area = stale.rectCount() > kMaxPieces ? QRegion(stale.boundingRect()) : stale;
    bufferBits_ = kept_.bits();
    bufferStride_ = kept_.bytesPerLine();
    bufferOrigin_ = QPoint(0, 0);
    {
        QPainter inner(&kept_);
        for (const QRect& piece : area) {
            inner.setClipRect(piece);
            RunPaintHandler(inner, piece);
        }
    }
    bufferBits_ = nullptr;
    fresh_ += area;
}

bool PaintBoxWidget::PaintFromKeptImage(QPainter& painter, const QRect& exposed) {
    if (!KeepsImage() || !QRect(0, 0, width_, height_).contains(exposed) || !PaintsPixelForPixel(painter))
        return false;
    if (!EnsureKeptImage()) return false;
    FoldStale();
    const QRegion stale = QRegion(exposed) - fresh_;
    if (!stale.isEmpty()) DrawIntoKeptImage(stale);
    painter.drawImage(exposed.topLeft(), kept_, exposed);
    return true;
}

void PaintBoxWidget::PaintArea(QPainter& painter, const QRect& exposed) {
    if (!dotCacheEnabled_ || exposed.isEmpty()) {
        RunPaintHandler(painter, exposed);
        return;
    }
    if (PaintFromKeptImage(painter, exposed)) return;
    // Straight into the image the painter draws on, when it is one like ours.
    QPoint offset;
    if (QImage* target = ImageDrawnPixelForPixel(painter, exposed, offset)) {
        bufferBits_ = target->bits();
        bufferStride_ = target->bytesPerLine();
        bufferOrigin_ = -offset;
        RunPaintHandler(painter, exposed);
        bufferBits_ = nullptr;
        return;
    }
    if (!CanPaintThroughImage(painter, exposed)) {
        RunPaintHandler(painter, exposed);
        return;
    }
    if (buffer_.width() < exposed.width() || buffer_.height() < exposed.height()) {
        // The image grows to cover both the old and the new shape while that
        // stays within the limit, so that repaints of varying shape reuse it.
        QSize size = buffer_.size().expandedTo(exposed.size());
        if (static_cast<qsizetype>(size.width()) * size.height() > kMaxBufferPixels) size = exposed.size();
        buffer_ = QImage(size, QImage::Format_RGB32);
        if (buffer_.isNull()) {  // out of memory: paint as before
            RunPaintHandler(painter, exposed);
            return;
        }
    }
    bufferBits_ = buffer_.bits();
    bufferStride_ = buffer_.bytesPerLine();
    bufferOrigin_ = exposed.topLeft();
    {
        QPainter inner(&buffer_);
        inner.setClipRect(QRect(QPoint(0, 0), exposed.size()));
        inner.translate(-exposed.topLeft());
        RunPaintHandler(inner, exposed);
    }
    bufferBits_ = nullptr;
    painter.drawImage(exposed.topLeft(), buffer_, QRect(QPoint(0, 0), exposed.size()));
}

void PaintBoxWidget::paintEvent(QPaintEvent* event) {
    fullRepaintPending_ = false;
    QPainter painter(this);
    painter.setClipRect(event->rect());
    if (scale_ != 1.0) {
        PaintScaled(painter, event->rect());
        return;
    }
    PaintArea(painter, event->rect());
}

void PaintBoxWidget::PaintScaled(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, palette().color(QPalette::Window));
    const QRect source = SurfaceRectOf(exposed);
    if (source.isEmpty()) return;
    const QRectF target(source.x() * scale_, source.y() * scale_, source.width() * scale_, source.height() * scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (EnsureKeptImage()) {
        FoldStale();
        const QRegion stale = QRegion(source) - fresh_;
        if (!stale.isEmpty()) DrawIntoKeptImage(stale);
        painter.drawImage(target, kept_, QRectF(source));
        return;
    }
    // No kept image (the dot cache off, or no memory for one): drawn through a scaling painter.
    painter.save();
    painter.scale(scale_, scale_);
    RunPaintHandler(painter, source);
    painter.restore();
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->buttons(), ToSurface(event->position().toPoint()));
}

void PaintBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), ToSurface(event->position().toPoint()));
}

void PaintBoxWidget::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    wheelRemainder_ -= steps * 120;
    if (steps != 0) emit zoomRequested(steps, ToSurface(event->position().toPoint()));
    event->accept();
}

}  // namespace tesslor::gui
