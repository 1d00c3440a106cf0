#include "app/Magnificationunit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "platform/Windows.h"
#include "text/Numbers.h"

namespace tesslor::gui {

TMagnificationForm::TMagnificationForm(const WindowContext&, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MagnificationForm"));
    setWindowTitle(QStringLiteral("表示倍率"));
    setModal(true);
    Label2 = new QLabel(QStringLiteral("表示倍率"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    MagnificationComboBox = new QComboBox(this);
    MagnificationComboBox->setObjectName(QStringLiteral("MagnificationComboBox"));
    MagnificationComboBox->addItems({"25", "50", "80", "100", "125", "150", "200", "400", "800", "1000"});
    MagnificationComboBox->setCurrentIndex(3);
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
    int value = LeadingInt(MagnificationComboBox->currentText().toStdString());
    return value > 0 ? value : 100;
}

void TMagnificationForm::MagnificationComboBoxChange() {
    if (onMagnification) onMagnification(Magnification());
}

bool TMagnificationForm::StepMagnification(int steps) {
    int i = MagnificationComboBox->currentIndex() + steps;
    i = std::clamp(i, 0, MagnificationComboBox->count() - 1);
    if (i == MagnificationComboBox->currentIndex()) return false;
    MagnificationComboBox->setCurrentIndex(i);
    MagnificationComboBoxChange();
    return true;
}

}  // namespace tesslor::gui
