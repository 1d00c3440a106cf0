#pragma once
// The editing area: a widget that is the document's drawing surface.
//
// The paint box can be far larger than the screen (38,513 x 6,442 pixels at
// 1000 %), so it is never backed by an image of its own size. Inside a paint
// event the model draws straight through a QPainter and skips whatever lies
// outside the exposed rectangle; outside a paint event (a pen stroke, a file
// being loaded) drawing only marks the touched rectangle for repainting.
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>

#include "platform/Surface.h"

class QPainter;

namespace tesslor::gui {

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
    void PaintArea(QPainter& painter, const QRect& exposed);

    /// The paint handler (PaintBox1Paint).
    std::function<void()> onPaint;

    /// The part of the widget that its ancestors let show (widget coordinates).
    QRect VisibleRect() const;

signals:
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    /// The wheel turned with Ctrl held: steps up (positive) or down, at pos.
    void zoomRequested(int steps, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Touch(const QRect& box);
    void FlushDirty();

    QPainter* painter_ = nullptr;
    QRect exposed_;
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
};

/// Qt colour of an RGB value.
QColor ToQColor(Rgb c);

}  // namespace tesslor::gui
