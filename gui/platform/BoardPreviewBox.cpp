#include "platform/BoardPreviewBox.h"

namespace tesslor::gui {

namespace {
// Floor division: the dot left of the first one is -1, not 0.
int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
}  // namespace

BoardPreviewBox::BoardPreviewBox(const DisplayShape& shape, int magnification, QWidget* parent)
    : PaintBoxWidget(parent), board_(std::make_unique<LedHyoujikiClass>(*this, shape)) {
    board_->Relayout(*this, magnification);
    onPaint = [this] { board_->Paint(); };
    connect(this, &PaintBoxWidget::mousePressed, this, [this](Qt::MouseButton button, Qt::MouseButtons, QPoint at) {
        if (button == Qt::LeftButton) dragFrom_ = DotUnder(at);
    });
    connect(this, &PaintBoxWidget::mouseMoved, this, [this](Qt::MouseButtons buttons, QPoint at) {
        if (!(buttons & Qt::LeftButton)) return;
        const QPoint dot = DotUnder(at);
        const QPoint moved = dot - dragFrom_;
        if (moved.isNull()) return;
        dragFrom_ = dot;
        emit Dragged(moved.x(), moved.y());
    });
}

BoardPreviewBox::~BoardPreviewBox() { onPaint = nullptr; }

void BoardPreviewBox::SetDots(const PictureDots& dots) {
    // Every dot at once: one repaint of the box is cheaper than one per dot.
    if (ApplyPicture(*board_, dots) > 0) Refresh();
}

PictureDots BoardPreviewBox::Dots() const { return CapturePicture(*board_); }

QPoint BoardPreviewBox::DotUnder(QPoint at) const {
    // A panel's pitch holds its 16 dots; sixteenths of it are dots, so the
    // count runs on evenly over the frames and past the picture's edges.
    const LedBoardClass& first = board_->Board(0, 0);
    const int pitch = std::max(1, board_->Pitch());
    return {FloorDiv((at.x() - first.X) * 16, pitch), FloorDiv((at.y() - first.Y) * 16, pitch)};
}

}  // namespace tesslor::gui
