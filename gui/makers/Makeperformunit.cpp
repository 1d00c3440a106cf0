#include "makers/Makeperformunit.h"
#include "platform/NamedWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tesslor::gui {

TMakePerformForm::TMakePerformForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      AddOpenDialog(context.chooser, kPerformAddDialog),
      FileOpenDialog(context.chooser, kPerformOpenDialog),
      context_(context),
      list_(context.files) {
    setObjectName(QStringLiteral("MakePerformForm"));
    setWindowTitle(QStringLiteral("MakePerformForm"));
    setModal(true);

    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    OpenButton = NamedButton("OpenButton", "開く", this);
    AddButton = NamedButton("AddButton", "追加", this);
    DelButton = NamedButton("DelButton", "削除", this);
    SaveButton = NamedButton("SaveButton", "保存", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {OpenButton, AddButton, DelButton, SaveButton}) buttons->addWidget(b);
    buttons->addStretch();
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* columns = new QHBoxLayout;
    columns->addWidget(ListBox, 1);
    columns->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(StatusLabel);

    connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    connect(AddButton, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    connect(DelButton, &QPushButton::clicked, this, [this] { DelButtonClick(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
}

void TMakePerformForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TMakePerformForm::FormShow() {
    list_.OpenWindow();
    ShowList();
}

FormDialogs TMakePerformForm::Dialogs() {
    return FormDialogs{&FileOpenDialog, nullptr,
                       context_.driveRoot ? context_.driveRoot() : std::string()};
}

void TMakePerformForm::AddButtonClick() {
    list_.AddWithDialog(AddOpenDialog, Dialogs(), context_.prompter);
    ShowList();
}

void TMakePerformForm::DelButtonClick() {
    list_.Delete(SelectedIndex());
    ShowList();
}

void TMakePerformForm::OpenButtonClick() {
    list_.OpenWithDialog(FileOpenDialog, Dialogs(), context_.prompter);
    ShowList();
}

void TMakePerformForm::OpenPath(const std::string& path) {
    list_.Open(path, context_.prompter);
    ShowList();
}

void TMakePerformForm::SaveButtonClick() {
    list_.SaveAskingToReplace(context_.prompter);
    ShowList();
}

void TMakePerformForm::ShowList() {
    ListBox->clear();
    for (const std::string& entry : list_.Entries) ListBox->addItem(QString::fromStdString(entry));
    StatusLabel->setText(QString::fromStdString(list_.Status));
}

int TMakePerformForm::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox->selectedItems();
    return selected.isEmpty() ? -1 : ListBox->row(selected.front());
}

}  // namespace tesslor::gui
