#pragma once
// The card window's Perform順: the card's Perform.txt edited in place. Entries
// move up and down (buttons or dragging), leave the list, or come from the
// files selected in the card's table; 保存 writes Perform.txt whole, and the
// window asks before unsaved changes are dropped.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "makers/PerformList.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

class QListWidget;
class QPushButton;

namespace tesslor::gui {

/// "Perform.txt の並びを変更しました。保存しますか？": asked when the window closes or looks elsewhere.
inline constexpr const char* kPerformUnsavedQuestion = "Perform.txt の並びを変更しました。保存しますか？";

class CardPerformPane : public QWidget {
    Q_OBJECT
public:
    CardPerformPane(FileSystem& files, Prompter& prompter, QWidget* parent = nullptr);

    /// The Perform.txt of folder (an empty list when the card has none); unsaved changes are dropped.
    void Load(const std::string& folder);
    bool Modified() const { return list_.Modified; }
    /// 保存: Perform.txt written whole. True when it is in place.
    bool Save();
    /// Before the window closes or looks at another folder: when there are
    /// unsaved changes, kPerformUnsavedQuestion; はい saves them, いいえ drops
    /// them. False when the changes stay (キャンセル or Escape, or a save that failed).
    bool ConfirmLeave();
    /// Whether 追加 has something to add (files selected in the card's
    /// table); without, the button is off and its tip says what to select.
    void SetCanAdd(bool can);
    /// 追加: the names given (the files selected in the card's table) at the end.
    void Add(const std::vector<std::string>& names);
    /// 上へ / 下へ for the selected entry.
    void MoveSelected(int steps);
    /// 外す: the selected entry leaves the list.
    void RemoveSelected();
    const std::vector<std::string>& Entries() const { return list_.Entries; }

    /// The names selected in the card's table, for 追加.
    std::function<std::vector<std::string>()> selectedNames;
    /// Runs after a good 保存 (the card is scanned again).
    std::function<void()> onSaved;

    QListWidget* PerformListBox;
    QPushButton* UpButton;
    QPushButton* DownButton;
    QPushButton* RemoveButton;
    QPushButton* AddButton;
    QPushButton* SaveButton;

private:
    void ShowList(int selected);
    /// After a drag: the entries in the order the list box shows them.
    void TakeOrderFromListBox();

    PerformList list_;
    Prompter& prompter_;
    std::string folder_;
};

}  // namespace tesslor::gui
