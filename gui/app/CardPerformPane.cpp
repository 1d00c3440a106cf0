#include "app/CardPerformPane.h"

#include <QAbstractItemModel>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/NamedWidgets.h"
#include "platform/Paths.h"

namespace tesslor::gui {

CardPerformPane::CardPerformPane(FileSystem& files, Prompter& prompter, QWidget* parent)
    : QWidget(parent), list_(files), prompter_(prompter) {
    setObjectName(QStringLiteral("CardPerformPane"));
    PerformListBox = new QListWidget(this);
    PerformListBox->setObjectName(QStringLiteral("PerformListBox"));
    PerformListBox->setDragDropMode(QAbstractItemView::InternalMove);
    UpButton = NamedButton("UpButton", "上へ", this);
    DownButton = NamedButton("DownButton", "下へ", this);
    RemoveButton = NamedButton("RemoveButton", "外す", this);
    AddButton = NamedButton("AddButton", "追加", this);
    SaveButton = NamedButton("SaveButton", "保存", this);
    // Nothing is selected in the card's table yet.
    SetCanAdd(false);
    // Two rows: the pane stays narrow beside the card's table.
    auto* buttons = new QGridLayout;
    buttons->addWidget(UpButton, 0, 0);
    buttons->addWidget(DownButton, 0, 1);
    buttons->addWidget(RemoveButton, 0, 2);
    buttons->addWidget(AddButton, 1, 0);
    buttons->addWidget(SaveButton, 1, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Perform順（上から表示します）"), this));
    layout->addWidget(PerformListBox, 1);
    layout->addLayout(buttons);
    connect(UpButton, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(DownButton, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(AddButton, &QPushButton::clicked, this, [this] {
        if (selectedNames) Add(selectedNames());
    });
    connect(SaveButton, &QPushButton::clicked, this, [this] { Save(); });
    connect(PerformListBox->model(), &QAbstractItemModel::rowsMoved, this, [this] { TakeOrderFromListBox(); });
}

void CardPerformPane::Load(const std::string& folder) {
    folder_ = folder;
    list_.OpenWindow();
    const std::string path = PathInFolder(folder, "Perform.txt");
    std::string probe;
    // A card without Perform.txt starts an empty list of its own folder.
    if (!list_.Files().ReadPrefix(path, 1, probe) || !list_.Open(path, prompter_)) list_.PerformFolder = folder;
    // The blanks that pad a line are the file's, not the name's: 保存 pads again.
    for (std::string& entry : list_.Entries) entry.erase(entry.find_last_not_of(' ') + 1);
    list_.Modified = false;
    ShowList(-1);
}

bool CardPerformPane::Save() {
    if (folder_.empty()) return false;
    list_.PerformFolder = folder_;
    if (!list_.Save(prompter_)) return false;
    ShowList(PerformListBox->currentRow());
    if (onSaved) onSaved();
    return true;
}

bool CardPerformPane::ConfirmLeave() {
    if (!list_.Modified) return true;
    switch (prompter_.AskSave(kPerformUnsavedQuestion)) {
        case SaveChoice::Save:
            return Save();
        case SaveChoice::Discard:
            // Dropped: the list is the card's again.
            Load(folder_);
            return true;
        case SaveChoice::Cancel:
            break;
    }
    // キャンセル (or Escape): the work and the window stay.
    return false;
}

void CardPerformPane::SetCanAdd(bool can) {
    AddButton->setEnabled(can);
    AddButton->setToolTip(can ? QStringLiteral("カードの表で選んだファイルを Perform順の最後に追加します")
                              : QStringLiteral("追加するファイルをカードの表で選んでください"));
}

void CardPerformPane::Add(const std::vector<std::string>& names) {
    for (const std::string& name : names) list_.Add(PathInFolder(folder_, name), prompter_);
    ShowList(static_cast<int>(list_.Entries.size()) - 1);
}

void CardPerformPane::MoveSelected(int steps) { ShowList(list_.Move(PerformListBox->currentRow(), steps)); }

void CardPerformPane::RemoveSelected() {
    const int row = PerformListBox->currentRow();
    list_.Delete(row);
    ShowList(std::min(row, static_cast<int>(list_.Entries.size()) - 1));
}

void CardPerformPane::ShowList(int selected) {
    // The view must hear of every row (blocking the model's signals would
    // leave it showing nothing); only a drag's move is taken as an edit.
    PerformListBox->clear();
    for (const std::string& entry : list_.Entries) PerformListBox->addItem(QString::fromStdString(entry));
    if (selected >= 0 && selected < PerformListBox->count()) PerformListBox->setCurrentRow(selected);
    SaveButton->setText(list_.Modified ? QStringLiteral("保存 *") : QStringLiteral("保存"));
}

void CardPerformPane::TakeOrderFromListBox() {
    std::vector<std::string> order;
    for (int i = 0; i < PerformListBox->count(); ++i) order.push_back(PerformListBox->item(i)->text().toStdString());
    if (order == list_.Entries) return;
    list_.Entries = std::move(order);
    list_.Modified = true;
    SaveButton->setText(QStringLiteral("保存 *"));
}

}  // namespace tesslor::gui
