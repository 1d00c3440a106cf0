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
    MagnificationComboBox->addItem(QString::fromUtf8(kFitMagnificationText));
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
    // A pick is all the window is for: it closes with it.
    connect(MagnificationComboBox, &QComboBox::activated, this, [this](int) {
        MagnificationComboBoxChange();
        accept();
    });
}

int TMagnificationForm::Magnification() const {
    if (FitSelected()) return fitMagnification ? fitMagnification() : 100;
    return MagnificationOf(MagnificationComboBox->currentText().toStdString());
}

bool TMagnificationForm::FitSelected() const {
    return MagnificationComboBox->currentText() == QString::fromUtf8(kFitMagnificationText);
}

std::string TMagnificationForm::Choice() const { return MagnificationComboBox->currentText().toStdString(); }

bool TMagnificationForm::SelectChoice(const std::string& text) {
    const int i = MagnificationComboBox->findText(QString::fromStdString(text));
    if (i < 0) return false;
    MagnificationComboBox->setCurrentIndex(i);
    return true;
}

void TMagnificationForm::SelectFit() {
    SelectChoice(kFitMagnificationText);
    MagnificationComboBoxChange();
}

void TMagnificationForm::MagnificationComboBoxChange() {
    if (onMagnification) onMagnification(Magnification());
}

bool TMagnificationForm::StepMagnification(int steps) {
    const int from = FitSelected() ? MagnificationIndexBelow(Magnification()) : MagnificationComboBox->currentIndex();
    const int i = SteppedMagnificationIndex(from, steps);
    if (i == MagnificationComboBox->currentIndex() || (FitSelected() && kMagnifications[i] == Magnification()))
        return false;
    MagnificationComboBox->setCurrentIndex(i);
    MagnificationComboBoxChange();
    return true;
}

}  // namespace tesslor::gui
