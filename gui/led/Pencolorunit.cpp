#include "led/Pencolorunit.h"

#include <QVBoxLayout>

#include "platform/PaintBoxWidget.h"
#include "platform/Windows.h"

namespace tesslor::gui {

TPenColorForm::TPenColorForm(const WindowContext& context, const LedHyoujikiClass& document, QWidget* parent)
    : QDialog(parent), document_(document), nanSyoku_(context.config.NanSyoku) {
    setObjectName(QStringLiteral("PenColorForm"));
    setWindowTitle(QStringLiteral("PenColor"));
    setModal(true);
    PenColorRadioGroup = new RadioGroup(QStringLiteral("ペンの色"), 3, this);
    PenColorRadioGroup->setObjectName(QStringLiteral("PenColorRadioGroup"));
    PenColorRadioGroup->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(PenColorRadioGroup);
    PlaceCentred(*this, kPenColorFormSize, kSizeableFrame);
    PenColorRadioGroup->onClick = [this] { PenColorRadioGroupClick(); };
    // The group starts red, before any entry is chosen.
    QPalette pal = PenColorRadioGroup->palette();
    pal.setColor(QPalette::Window, ToQColor(kRed));
    PenColorRadioGroup->setPalette(pal);
    FormCreate();
}

void TPenColorForm::FormCreate() {
    QStringList names;
    for (int i = 0; i < document_.ReverseColorCount(); ++i)
        names << QString::fromStdString(document_.ReverseColorName(i));
    PenColorRadioGroup->SetItems(names);
    PenColorRadioGroup->SetItemIndex(InitialColorIndex(nanSyoku_));
}

void TPenColorForm::PenColorRadioGroupClick() {
    penColor_ = document_.ReverseColorValue(PenColorRadioGroup->ItemIndex());
    QPalette pal = PenColorRadioGroup->palette();
    pal.setColor(QPalette::Window, ToQColor(penColor_));
    PenColorRadioGroup->setPalette(pal);
}

}  // namespace tesslor::gui
