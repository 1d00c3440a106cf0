#include "platform/DotPreviewBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "led/Ledhyoujiki.h"

namespace tesslor::gui {

namespace {
constexpr int kColumns = LedHyoujikiClass::kDotColumns;
constexpr int kRows = LedHyoujikiClass::kDotRows;
constexpr std::size_t kDotCount = static_cast<std::size_t>(kColumns) * kRows;
}  // namespace

DotPreviewBox::DotPreviewBox(QWidget* parent) : QWidget(parent), dots_(kDotCount, 0) {
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
    DrawImage();
}

QSize DotPreviewBox::sizeHint() const { return QSize(kColumns * kDotPixels, kRows * kDotPixels); }

void DotPreviewBox::SetDots(std::vector<std::uint8_t> dots) {
    if (dots.size() != kDotCount) dots.assign(kDotCount, 0);
    if (dots == dots_) return;
    dots_ = std::move(dots);
    DrawImage();
    update();
}

void DotPreviewBox::SetShape(int enabledRows, int windowColumns) {
    enabledRows = std::clamp(enabledRows, 0, kRows / 16);
    windowColumns = std::clamp(windowColumns, 0, kColumns / 16);
    if (enabledRows == enabledRows_ && windowColumns == windowColumns_) return;
    enabledRows_ = enabledRows;
    windowColumns_ = windowColumns;
    DrawImage();
    update();
}

void DotPreviewBox::DrawImage() {
    image_ = QImage(kColumns * kDotPixels, kRows * kDotPixels, QImage::Format_RGB32);
    image_.fill(Qt::black);
    // An unlit LED is a dark grey point, so the operator sees the display's
    // grid even where nothing is lit.
    static const QRgb colours[4] = {qRgb(48, 48, 48), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0)};
    const int rows = enabledRows_ * 16;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const std::uint8_t c = dots_[static_cast<std::size_t>(y) * kColumns + x] & 3;
            const int size = c == 0 ? 1 : kDotPixels;
            for (int dy = 0; dy < size; ++dy)
                for (int dx = 0; dx < size; ++dx) image_.setPixel(x * kDotPixels + dx, y * kDotPixels + dy, colours[c]);
        }
    QPainter painter(&image_);
    const int bottom = rows * kDotPixels;
    painter.fillRect(0, bottom, image_.width(), image_.height() - bottom, palette().color(QPalette::Window));
    if (windowColumns_ == 0 || rows == 0) return;
    // The blue line round the unit's window, as the editor draws it.
    painter.setPen(QColor(0, 0, 255));
    const int right = windowColumns_ * 16 * kDotPixels;
    painter.drawLine(right, 0, right, bottom);
    painter.drawLine(0, bottom, right, bottom);
}

void DotPreviewBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragFrom_ = event->position().toPoint() / kDotPixels;
}

void DotPreviewBox::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint() / kDotPixels;
    const QPoint moved = at - dragFrom_;
    if (moved.isNull()) return;
    dragFrom_ = at;
    emit Dragged(moved.x(), moved.y());
}

void DotPreviewBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

}  // namespace tesslor::gui
