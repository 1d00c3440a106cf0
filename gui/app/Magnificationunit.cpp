#include "app/Magnificationunit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "platform/Windows.h"
#include "app/Magnification.h"

namespace tesslor::gui {

TMagnificationForm::TMagnificationForm(const WindowContext&, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MagnificationForm"));
    setWindowTitle(QStringLiteral("表示倍率"));
    setModal(true);
    Label2 = new QLabel(QStringLiteral("表示倍率"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    MagnificationComboBox = new QComboBox(this);
    MagnificationComboBox->setObjectName(QStringLiteral("MagnificationComboBox"));
    for (int percent : kMagnifications) MagnificationComboBox->addItem(QString::number(percent));
    MagnificationComboBox->setCurrentIndex(kDefaultMagnificationIndex);
    MagnificationComboBox->setMinimumContentsLength(4);
    Label3 = new QLabel(QStringLiteral("％"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(MagnificationComboBox);
    layout->addWidget(Label3);
    layout->addStretch();
    PlaceCentred(*this, kMagnificationFormSize, kSizeableFrame);
    connect(MagnificationComboBox, &QComboBox::activated, this, [this](int) { MagnificationComboBoxChange(); });
}

int TMagnificationForm::Magnification() const {
    return MagnificationOf(MagnificationComboBox->currentText().toStdString());
}

void TMagnificationForm::MagnificationComboBoxChange() {
    if (onMagnification) onMagnification(Magnification());
}

bool TMagnificationForm::StepMagnification(int steps) {
    const int i = SteppedMagnificationIndex(MagnificationComboBox->currentIndex(), steps);
    if (i == MagnificationComboBox->currentIndex()) return false;
    MagnificationComboBox->setCurrentIndex(i);
    MagnificationComboBoxChange();
    return true;
}

}  // namespace tesslor::gui
