#include "led/Demounit.h"

#include <QImage>
#include <QLabel>
#include <QTimer>
#include <cstring>

#include "platform/MemoryImage.h"
#include "platform/PaintBoxWidget.h"
#include "platform/Windows.h"

namespace tesslor::gui {

QPixmap PixmapOf(const MemoryImage& image) {
    QImage q(image.Width(), image.Height(), QImage::Format_RGB888);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(q.scanLine(y), image.Data() + static_cast<std::size_t>(y) * image.Width(),
                    static_cast<std::size_t>(image.Width()) * 3);
    return QPixmap::fromImage(q);
}

TDemoForm::TDemoForm(const WindowContext&, LedHyoujikiClass& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("DemoForm"));
    setWindowTitle(QStringLiteral("デモ表示"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    auto makeImage = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->move(0, 0);
        l->hide();
        return l;
    };
    Image1 = makeImage("Image1");
    Image2 = makeImage("Image2");
    Image3 = makeImage("Image3");
    PaintBox1 = new PaintBoxWidget(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TDemoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDemoForm::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TDemoForm::FormShow() {
    document_.Relayout(*PaintBox1, 80);
    Timer1->stop();
    Image1->move(0, 0);
    Image2->move(0, 0);
    Image3->move(0, 0);

    MemoryImage normal;
    document_.RenderNormal(normal);
    Image1->setPixmap(PixmapOf(normal));
    Image1->resize(normal.Width(), normal.Height());
    // The client area is the picture, but never so small that the window
    // cannot be seen and closed (a display configured with no panels); the
    // frame and caption come around it. Escape closes it as well.
    setFixedSize(ToQSize(DemoClientSizeFor(normal.Width(), normal.Height())));
    CentreOnScreen(*this, DemoWindowSizeFor(normal.Width(), normal.Height()));

    const int mode = document_.DisplayModeIndex();
    switch (DemoKindOf(mode)) {
        case DemoKind::Still: break;
        case DemoKind::Reversed: {
            MemoryImage reversed;
            document_.RenderReversed(reversed);
            Image1->setPixmap(PixmapOf(reversed));
            Image1->resize(reversed.Width(), reversed.Height());
            break;
        }
        case DemoKind::Blink:
        case DemoKind::BlinkReversed: {
            MemoryImage second;
            if (DemoKindOf(mode) == DemoKind::Blink) document_.RenderBlank(second);
            else document_.RenderReversed(second);
            Image2->setPixmap(PixmapOf(second));
            Image2->resize(second.Width(), second.Height());
            break;
        }
        case DemoKind::Scroll: {
            MemoryImage strip;
            document_.RenderScrollStrip(strip);
            Image3->setPixmap(PixmapOf(strip));
            Image3->resize(strip.Width(), strip.Height());
            break;
        }
    }
    sequence_.Start(mode, document_.ScrollStripWidth(), document_.ScrollStep());
    ApplySequence();
}

void TDemoForm::Timer1Timer() {
    sequence_.Tick();
    ApplySequence();
    if (sequence_.kind == DemoKind::Scroll) update();
}

void TDemoForm::FormHide() {
    Timer1->stop();
    sequence_.Stop();
}

void TDemoForm::ApplySequence() {
    Image1->setVisible(sequence_.image1Visible);
    Image2->setVisible(sequence_.image2Visible);
    Image3->setVisible(sequence_.image3Visible);
    Image3->move(sequence_.image3Left, 0);
    if (sequence_.timerEnabled) {
        if (!Timer1->isActive() || Timer1->interval() != sequence_.timerIntervalMs)
            Timer1->start(sequence_.timerIntervalMs);
    } else {
        Timer1->stop();
    }
}

}  // namespace tesslor::gui
