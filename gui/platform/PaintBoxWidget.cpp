#include "platform/PaintBoxWidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

namespace tesslor::gui {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

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
    painter_->setPen(MakePen(pen_, 1));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void PaintBoxWidget::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    QRect box(x1, y1, x2 - x1, y2 - y1);
    if (!painter_) {
        Touch(box);
        return;
    }
    if (!box.intersects(exposed_)) return;
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
    if (!painter_) {
        Touch(box);
        return;
    }
    if (!box.intersects(exposed_)) return;
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
    setFixedSize(width_, height_);
    if (!painter_) {
        // Everything moves: one repaint of what shows covers all that follows.
        fullRepaintPending_ = true;
        update();
    }
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
    if (fullRepaintPending_ || !isVisible()) return false;
    return box.intersects(VisibleRect());
}

void PaintBoxWidget::Touch(const QRect& box) {
    if (fullRepaintPending_ || !isVisible()) return;
    QRect r = box & rect();
    if (r.isEmpty()) return;
    dirty_ = dirty_.isNull() ? r : dirty_.united(r);
    if (!flushQueued_) {
        flushQueued_ = true;
        QTimer::singleShot(0, this, [this] { FlushDirty(); });
    }
}

void PaintBoxWidget::FlushDirty() {
    flushQueued_ = false;
    if (!dirty_.isNull()) update(dirty_);
    dirty_ = QRect();
}

void PaintBoxWidget::PaintArea(QPainter& painter, const QRect& exposed) {
    painter_ = &painter;
    exposed_ = exposed;
    painter.fillRect(exposed, palette().color(QPalette::Window));
    if (onPaint) onPaint();
    painter_ = nullptr;
}

void PaintBoxWidget::paintEvent(QPaintEvent* event) {
    fullRepaintPending_ = false;
    QPainter painter(this);
    painter.setClipRect(event->rect());
    PaintArea(painter, event->rect());
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->buttons(), event->position().toPoint());
}

void PaintBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->position().toPoint());
}

void PaintBoxWidget::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    wheelRemainder_ -= steps * 120;
    if (steps != 0) emit zoomRequested(steps, event->position().toPoint());
    event->accept();
}

}  // namespace tesslor::gui
