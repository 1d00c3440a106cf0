#include "app/Animademoformunit.h"

#include <QLabel>
#include <QPalette>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "led/DemoSequence.h"
#include "led/Demounit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/Windows.h"

namespace tesslor::gui {

namespace {
// The window's outer size before any frame was captured.
constexpr WindowSize kAnimaDemoFormSize{696, 538};
// An image's size before it holds a frame.
constexpr int kEmptyImageSize = 81;
}  // namespace

TAnimaDemoForm::TAnimaDemoForm(const WindowContext&, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AnimaDemoForm"));
    setWindowTitle(QStringLiteral("AnimaDemoForm"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    QLabel** images[] = {&Image1,  &Image2,  &Image3,  &Image4,  &Image5,  &Image6,  &Image7,  &Image8,
                         &Image9,  &Image10, &Image11, &Image12, &Image13, &Image14, &Image15, &Image16,
                         &Image17, &Image18, &Image19, &Image20, &Image21, &Image22, &Image23, &Image24,
                         &Image25, &Image26, &Image27, &Image28, &Image29, &Image30};
    static_assert(std::size(images) == kMaxDemoFrames);
    for (int i = 0; i < kMaxDemoFrames; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        l->setGeometry(0, 0, kEmptyImageSize, kEmptyImageSize);
        l->setEnabled(false);
        l->hide();
        *images[i] = l;
        frameImages_.push_back(l);
    }
    PaintBox1 = new PaintBoxWidget(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setEnabled(false);
    PaintBox1->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(AnimaDemoSequence::kTickMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    PlaceCentred(*this, kAnimaDemoFormSize, kFixedDialogFrame);
}

void TAnimaDemoForm::ClearFrames() {
    for (QLabel* l : frameImages_) {
        l->move(0, 0);
        l->setEnabled(false);
        l->hide();
        l->clear();
    }
    sequence_.frameCount = 0;
    sequence_.currentFrame = 0;
}

void TAnimaDemoForm::CaptureFrame(int i, const MemoryImage& image) {
    if (i < 0 || i >= kMaxDemoFrames) return;
    QLabel* l = frameImages_[static_cast<std::size_t>(i)];
    l->move(0, 0);
    l->setPixmap(PixmapOf(image));
    l->resize(image.Width(), image.Height());
    // The client area is the frame, but never so small that the window cannot
    // be seen and closed (a display configured with no panels).
    setFixedSize(ToQSize(DemoClientSizeFor(image.Width(), image.Height())));
    CentreOnScreen(*this, DemoWindowSizeFor(image.Width(), image.Height()));
    l->setEnabled(false);
    l->hide();
    sequence_.frameCount = i + 1;
}

void TAnimaDemoForm::SetFrames(const std::vector<MemoryImage>& frames) {
    ClearFrames();
    const int count = std::min(static_cast<int>(frames.size()), kMaxDemoFrames);
    for (int i = 0; i < count; ++i) CaptureFrame(i, frames[static_cast<std::size_t>(i)]);
}

void TAnimaDemoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TAnimaDemoForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) FormHide();
    QDialog::hideEvent(event);
}

void TAnimaDemoForm::ShowCurrentFrame(bool visible) {
    if (sequence_.currentFrame < 0 || sequence_.currentFrame >= sequence_.frameCount) return;
    QLabel* l = frameImages_[static_cast<std::size_t>(sequence_.currentFrame)];
    l->setVisible(visible);
    l->setEnabled(visible);
}

void TAnimaDemoForm::FormShow() {
    for (QLabel* l : frameImages_) {
        l->setEnabled(false);
        l->hide();
    }
    sequence_.Show(sequence_.frameCount);
    ShowCurrentFrame(true);
    Timer1->start(AnimaDemoSequence::kTickMs);
}

void TAnimaDemoForm::Timer1Timer() {
    ShowCurrentFrame(false);
    sequence_.Tick();
    ShowCurrentFrame(true);
    update();
}

void TAnimaDemoForm::FormHide() { Timer1->stop(); }

}  // namespace tesslor::gui
