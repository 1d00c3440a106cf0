#include "app/Animademoformunit.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "led/DemoGif.h"
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

TAnimaDemoForm::TAnimaDemoForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), gifSaver_(context, *this) {
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
    GifSaveButton = gifSaver_.Button;
    GifSaveButton->setEnabled(false);
    connect(GifSaveButton, &QPushButton::clicked, this, [this] { GifSaveButtonClick(); });
    PlaceCentred(*this, kAnimaDemoFormSize, kFixedDialogFrame);
    gifSaver_.Place(width(), height() - kDemoButtonStripHeight);
}

void TAnimaDemoForm::ClearFrames() {
    gifSaver_.Status->clear();
    for (QLabel* l : frameImages_) {
        l->move(0, 0);
        l->setEnabled(false);
        l->hide();
        l->clear();
    }
    sequence_.FrameCount = 0;
    sequence_.CurrentFrame = 0;
    pictures_.clear();
    GifSaveButton->setEnabled(false);
}

void TAnimaDemoForm::CaptureFrame(int i, const MemoryImage& image) {
    if (i < 0 || i >= kMaxDemoFrames) return;
    QLabel* l = frameImages_[static_cast<std::size_t>(i)];
    l->move(0, 0);
    l->setPixmap(PixmapOf(image));
    l->resize(image.Width(), image.Height());
    // The client area is the frame, but never so small that the window cannot
    // be seen and closed (a display configured with no panels), with the
    // button strip below it.
    const QSize client = DemoClientWithStrip(image.Width(), image.Height());
    setFixedSize(client);
    gifSaver_.Place(client.width(), client.height() - kDemoButtonStripHeight);
    CentreOnScreen(*this, DemoWindowWithStrip(image.Width(), image.Height()));
    l->setEnabled(false);
    l->hide();
    sequence_.FrameCount = i + 1;
    pictures_.resize(static_cast<std::size_t>(i) + 1);
    pictures_[static_cast<std::size_t>(i)] = image;
    GifSaveButton->setEnabled(image.Width() > 0 && image.Height() > 0);
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
    if (sequence_.CurrentFrame < 0 || sequence_.CurrentFrame >= sequence_.FrameCount) return;
    QLabel* l = frameImages_[static_cast<std::size_t>(sequence_.CurrentFrame)];
    l->setVisible(visible);
    l->setEnabled(visible);
}

void TAnimaDemoForm::FormShow() {
    for (QLabel* l : frameImages_) {
        l->setEnabled(false);
        l->hide();
    }
    sequence_.Show(sequence_.FrameCount);
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

std::vector<MemoryImage> TAnimaDemoForm::CapturedPictures() const {
    // Every frame shows at the window's top-left corner over black, in a
    // window the size of the last frame captured: a frame of another size is
    // cut off or padded with black as the window would show it.
    std::vector<MemoryImage> shown;
    if (pictures_.empty()) return shown;
    const int width = pictures_.back().Width(), height = pictures_.back().Height();
    if (width <= 0 || height <= 0) return shown;
    for (const MemoryImage& p : pictures_) {
        if (p.Width() == width && p.Height() == height) {
            shown.push_back(p);
            continue;
        }
        MemoryImage canvas(width, height);
        const int w = std::min(width, p.Width()), h = std::min(height, p.Height());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) canvas.SetPixel(x, y, p.GetPixel(x, y));
        shown.push_back(std::move(canvas));
    }
    return shown;
}

void TAnimaDemoForm::GifSaveButtonClick() { gifSaver_.Save(AnimationGifFrames(CapturedPictures()), listFile_); }

}  // namespace tesslor::gui
