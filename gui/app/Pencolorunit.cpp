#include "app/Pencolorunit.h"

#include <QVBoxLayout>

#include "platform/PaintBoxWidget.h"

namespace tesslor::gui {

TPenColorForm::TPenColorForm(const LedHyoujikiClass& document, int nanSyoku, QWidget* parent)
    : QDialog(parent), document_(document), nanSyoku_(nanSyoku) {
    setObjectName(QStringLiteral("PenColorForm"));
    setWindowTitle(QStringLiteral("PenColor"));
    setModal(true);
    PenColorRadioGroup = new RadioGroup(QStringLiteral("ペンの色"), 3, this);
    PenColorRadioGroup->setObjectName(QStringLiteral("PenColorRadioGroup"));
    PenColorRadioGroup->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(PenColorRadioGroup);
    resize(189 - 16, 100 - 38);  // the window's outer size is 189 x 100
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
    PenColorRadioGroup->SetItemIndex(nanSyoku_ == -1 ? 2 : 0);
}

void TPenColorForm::PenColorRadioGroupClick() {
    penColor_ = document_.ReverseColorValue(PenColorRadioGroup->ItemIndex());
    QPalette pal = PenColorRadioGroup->palette();
    pal.setColor(QPalette::Window, ToQColor(penColor_));
    PenColorRadioGroup->setPalette(pal);
}

}  // namespace tesslor::gui
