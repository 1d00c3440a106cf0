#include "app/ImageImportunit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/BoardPreviewBox.h"

namespace tesslor::gui {

namespace {
template <class Widget>
Widget* Named(Widget* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
}  // namespace

TImageImportForm::TImageImportForm(const DisplayShape& shape, QWidget* parent) : QDialog(parent), shape_(shape) {
    setObjectName(QStringLiteral("ImageImportForm"));
    setWindowTitle(QStringLiteral("画像の読み込み"));
    CreateControls();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(OptionsGrid());
    layout->addWidget(PreviewArea(parent));
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(InfoLabel, 1);
    buttons->addWidget(AnimationButton);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    ConnectControls();
    UpdatePreview();
}

void TImageImportForm::CreateControls() {
    ColourComboBox = Named(new QComboBox(this), "ColourComboBox");
    ColourComboBox->addItems({QStringLiteral("自動"), QStringLiteral("赤"), QStringLiteral("緑"), QStringLiteral("橙")});
    ColourComboBox->setToolTip(QStringLiteral("自動: 表示器の色を画像の色から選びます。赤・緑・橙: 明るさで一色に"));
    // A one-colour board lights its one colour wherever the image is bright
    // enough: a colour to choose would change nothing.
    if (shape_.NanSyoku != 2) {
        ColourComboBox->setEnabled(false);
        ColourComboBox->setToolTip(QStringLiteral("１色の表示器です。明るさがしきい値以上の点を点灯します（反転では、しきい値未満の点）"));
    }
    ThresholdSlider = Named(new QSlider(Qt::Horizontal, this), "ThresholdSlider");
    ThresholdSlider->setRange(0, 255);
    ThresholdSlider->setValue(128);
    ThresholdLabel = Named(new QLabel(this), "ThresholdLabel");
    ThresholdLabel->setMinimumWidth(28);
    InvertCheckBox = Named(new QCheckBox(QStringLiteral("反転"), this), "InvertCheckBox");
    DitherComboBox = Named(new QComboBox(this), "DitherComboBox");
    DitherComboBox->addItems({QStringLiteral("なし"), QStringLiteral("規則的"), QStringLiteral("誤差拡散")});
    SizeComboBox = Named(new QComboBox(this), "SizeComboBox");
    SizeComboBox->addItems({QStringLiteral("原寸"), QStringLiteral("全体に合わせる")});
    XSpinBox = Named(new QSpinBox(this), "XSpinBox");
    YSpinBox = Named(new QSpinBox(this), "YSpinBox");
    for (QSpinBox* box : {XSpinBox, YSpinBox}) box->setRange(-kMaxImportSide, kMaxImportSide);
    PreviewBox = Named(new BoardPreviewBox(shape_, kPreviewMagnification, this), "PreviewBox");
    PreviewBox->setToolTip(QStringLiteral("ドラッグで位置を動かせます（青い線の内側が表示器に一度に映る範囲です）"));
    PreviewBox->setCursor(Qt::SizeAllCursor);
    InfoLabel = Named(new QLabel(this), "InfoLabel");
    OkButton = Named(new QPushButton(QStringLiteral("OK"), this), "OkButton");
    OkButton->setDefault(true);
    CancelButton = Named(new QPushButton(QStringLiteral("キャンセル"), this), "CancelButton");
    AnimationButton = Named(new QPushButton(QStringLiteral("動画として読み込む…"), this), "AnimationButton");
    AnimationButton->setToolTip(QStringLiteral("1 枚ずつ絵にして、アニメーションリストとアニメーションデータを書き込みます"));
    AnimationButton->hide();
}

QGridLayout* TImageImportForm::OptionsGrid() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("色"), this), 0, 0);
    grid->addWidget(ColourComboBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("しきい値"), this), 0, 2);
    grid->addWidget(ThresholdSlider, 0, 3);
    grid->addWidget(ThresholdLabel, 0, 4);
    grid->addWidget(InvertCheckBox, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("ディザ"), this), 1, 0);
    grid->addWidget(DitherComboBox, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("大きさ"), this), 1, 2);
    grid->addWidget(SizeComboBox, 1, 3, Qt::AlignLeft);
    auto* position = new QHBoxLayout;
    position->addWidget(new QLabel(QStringLiteral("位置 X"), this));
    position->addWidget(XSpinBox);
    position->addWidget(new QLabel(QStringLiteral("Y"), this));
    position->addWidget(YSpinBox);
    grid->addLayout(position, 1, 4, 1, 2);
    grid->setColumnStretch(3, 1);
    return grid;
}

QScrollArea* TImageImportForm::PreviewArea(QWidget* parent) {
    // On a screen narrower than the board at this size the preview scrolls,
    // instead of pushing the window's buttons past the screen's edge.
    PreviewScroll = Named(new QScrollArea(this), "PreviewScroll");
    PreviewScroll->setFrameShape(QFrame::NoFrame);
    PreviewScroll->setAlignment(Qt::AlignHCenter);
    PreviewScroll->setWidget(PreviewBox);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - 40 : PreviewBox->width();
    const bool cut = PreviewBox->width() > room;
    PreviewScroll->setMinimumWidth(cut ? std::max(room, 320) : PreviewBox->width());
    // As tall as the board and the bar under it: nothing to scroll down to.
    PreviewScroll->setFixedHeight(PreviewBox->height() +
                                  (cut ? PreviewScroll->horizontalScrollBar()->sizeHint().height() : 0));
    return PreviewScroll;
}

void TImageImportForm::ConnectControls() {
    for (QComboBox* box : {ColourComboBox, DitherComboBox})
        connect(box, &QComboBox::currentIndexChanged, this, &TImageImportForm::UpdatePreview);
    // A position chosen for one size would leave the other off the board: a
    // new size starts at the top-left corner.
    connect(SizeComboBox, &QComboBox::currentIndexChanged, this, [this] {
        const QSignalBlocker x(XSpinBox), y(YSpinBox);
        XSpinBox->setValue(0);
        YSpinBox->setValue(0);
        UpdatePreview();
    });
    connect(ThresholdSlider, &QSlider::valueChanged, this, &TImageImportForm::UpdatePreview);
    connect(InvertCheckBox, &QCheckBox::toggled, this, &TImageImportForm::UpdatePreview);
    for (QSpinBox* box : {XSpinBox, YSpinBox})
        connect(box, &QSpinBox::valueChanged, this, &TImageImportForm::UpdatePreview);
    connect(PreviewBox, &BoardPreviewBox::Dragged, this, [this](int dx, int dy) {
        XSpinBox->setValue(XSpinBox->value() + dx);
        YSpinBox->setValue(YSpinBox->value() + dy);
    });
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(AnimationButton, &QPushButton::clicked, this, [this] { done(kAnimationChosen); });
}

void TImageImportForm::SetImage(RgbaImage image, const std::string& name, int frames) {
    QString info = QString::fromStdString(name) + QStringLiteral("  %1 × %2").arg(image.width).arg(image.height);
    if (frames > 1) info += QStringLiteral("（%1 枚のうち最初の 1 枚）").arg(frames);
    AnimationButton->setVisible(frames > 1);
    InfoLabel->setText(info);
    InfoLabel->setToolTip(QString::fromStdString(name));
    preview_ = ImportPreview(std::move(image));
    const QSignalBlocker x(XSpinBox), y(YSpinBox);
    XSpinBox->setValue(0);
    YSpinBox->setValue(0);
    UpdatePreview();
}

ImportOptions TImageImportForm::Options() const {
    ImportOptions o;
    o.colour = static_cast<ImportColour>(ColourComboBox->currentIndex());
    o.threshold = ThresholdSlider->value();
    o.invert = InvertCheckBox->isChecked();
    o.dither = static_cast<ImportDither>(DitherComboBox->currentIndex());
    o.fit = SizeComboBox->currentIndex() == 1;
    o.x = XSpinBox->value();
    o.y = YSpinBox->value();
    return o;
}

void TImageImportForm::UpdatePreview() {
    ThresholdLabel->setText(QString::number(ThresholdSlider->value()));
    dots_ = preview_.Dots(Options(), shape_);
    PreviewBox->SetDots(dots_);
}

}  // namespace tesslor::gui
