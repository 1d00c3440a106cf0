#include "makers/Makeperformunit.h"
#include "platform/NamedWidgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tesslor::gui {

// The dialog gives a file's full name: the list's 30-byte rule alone decides whether it is taken.
const FileDialogSetup kPerformAddDialog{
    FileDialogKind::Open,
    {{"標準ＬＥＤデータ", "*.lee"},
     {"動画データ", "*.ana"},
     {"設定データ（setei.txt)", "*.txt"},
     {"表示スケジュールデータ", "*.txt"},
     {"CO2削減設定", "*.co2"}},
    "",
    "ファイルの追加"};
const FileDialogSetup kPerformOpenDialog{FileDialogKind::Open, {{"Perform.txt", "Perform.txt"}}, "", ""};

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
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ListBox, 1);
    layout->addLayout(buttons);

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

void TMakePerformForm::AddButtonClick() {
    AddOpenDialog.InitialDir = context_.driveRoot();
    if (!AddOpenDialog.Execute()) return;
    list_.Add(AddOpenDialog.FileName, context_.prompter);
    ShowList();
}

void TMakePerformForm::DelButtonClick() {
    list_.Delete(SelectedIndex());
    ShowList();
}

void TMakePerformForm::OpenButtonClick() {
    FileOpenDialog.InitialDir = context_.driveRoot();
    FileOpenDialog.FileName = kPerformFileName;
    if (!FileOpenDialog.Execute()) return;
    list_.Open(FileOpenDialog.FileName, context_.prompter);
    ShowList();
}

void TMakePerformForm::SaveButtonClick() { list_.Save(context_.prompter); }

void TMakePerformForm::ShowList() {
    ListBox->clear();
    for (const std::string& entry : list_.Entries) ListBox->addItem(QString::fromStdString(entry));
}

int TMakePerformForm::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox->selectedItems();
    return selected.isEmpty() ? -1 : ListBox->row(selected.front());
}

}  // namespace tesslor::gui
