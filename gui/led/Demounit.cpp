#include "led/Demounit.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "led/DemoGif.h"
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

QSize DemoClientWithStrip(int pictureWidth, int pictureHeight) {
    const DemoWindowSize client = DemoClientSizeFor(pictureWidth, pictureHeight);
    return QSize(client.width, client.height + kDemoButtonStripHeight);
}

WindowSize DemoWindowWithStrip(int pictureWidth, int pictureHeight) {
    WindowSize outer = DemoWindowSizeFor(pictureWidth, pictureHeight);
    outer.height += kDemoButtonStripHeight;
    return outer;
}

DemoGifSaver::DemoGifSaver(const WindowContext& context, QDialog& form)
    : context_(context),
      dialog_(context.chooser, FileDialogSetup{FileDialogKind::Save,
                                               {{"GIFアニメーション", "*.gif"}},
                                               "gif",
                                               "GIFで保存"}) {
    // The strip is opaque and lies above the images, which may reach below
    // the picture (the reversed and scrolling renderings are 480 high).
    Strip = new QWidget(&form);
    Strip->setObjectName(QStringLiteral("GifSaveStrip"));
    QPalette pal = Strip->palette();
    pal.setColor(QPalette::Window, Qt::black);
    Strip->setPalette(pal);
    Strip->setAutoFillBackground(true);
    Button = new QPushButton(QStringLiteral("GIFで保存"), Strip);
    Button->setObjectName(QStringLiteral("GifSaveButton"));
    Button->setAutoDefault(false);
    Button->setToolTip(QStringLiteral("表示中のデモをGIFアニメーションとして保存します"));
    Status = new QLabel(Strip);
    Status->setObjectName(QStringLiteral("GifSaveStatus"));
    QPalette text = Status->palette();
    text.setColor(QPalette::WindowText, Qt::white);
    Status->setPalette(text);
    Place(kDemoMinimumClient.width, kDemoMinimumClient.height);
}

void DemoGifSaver::Place(int clientWidth, int top) {
    Strip->setGeometry(0, top, clientWidth, kDemoButtonStripHeight);
    const QSize hint = Button->sizeHint();
    const int height = std::min(hint.height(), kDemoButtonStripHeight - 6);
    const int width = std::min(hint.width(), clientWidth - 8);
    Button->setGeometry(clientWidth - 4 - width, (kDemoButtonStripHeight - height) / 2, width, height);
    Status->setGeometry(4, 0, std::max(0, clientWidth - width - 12), kDemoButtonStripHeight);
    Strip->raise();
}

bool DemoGifSaver::Save(const std::vector<GifFrame>& frames, const std::string& shownFile) {
    if (frames.empty()) return false;
    Status->clear();
    dialog_.InitialDir = context_.picturesFolder;
    dialog_.FileName = GifPathFor(shownFile, context_.picturesFolder);
    if (!dialog_.Execute()) return false;
    std::string error;
    if (!WriteAnimatedGif(context_.files, dialog_.FileName, frames, &error)) {
        context_.prompter.Inform(error);
        return false;
    }
    const QString said = QString::fromStdString(GifSavedText(dialog_.FileName));
    Status->setText(Status->fontMetrics().elidedText(said, Qt::ElideMiddle, Status->width()));
    Status->setToolTip(said);
    return true;
}

TDemoForm::TDemoForm(const WindowContext& context, LedHyoujikiClass& document, QWidget* parent)
    : QDialog(parent), document_(document), gifSaver_(context, *this) {
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
    GifSaveButton = gifSaver_.Button;
    connect(GifSaveButton, &QPushButton::clicked, this, [this] { GifSaveButtonClick(); });
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
    // What an earlier showing saved is not this showing's news.
    gifSaver_.Status->clear();
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
    // cannot be seen and closed (a display configured with no panels), with
    // the button strip below it; the frame and caption come around it.
    // Escape closes it as well.
    const QSize client = DemoClientWithStrip(normal.Width(), normal.Height());
    setFixedSize(client);
    gifSaver_.Place(client.width(), client.height() - kDemoButtonStripHeight);
    GifSaveButton->setEnabled(normal.Width() > 0 && normal.Height() > 0);
    CentreOnScreen(*this, DemoWindowWithStrip(normal.Width(), normal.Height()));

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

void TDemoForm::GifSaveButtonClick() {
    // The frames need the document laid out as the demo lays it out, which
    // holds from FormShow until the main window takes the document back.
    if (document_.CurrentSurface() != PaintBox1) return;
    gifSaver_.Save(DemoGifFrames(document_), document_.FileName);
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
