#pragma once
// The perform list maker's window: the list of files the unit plays, in the
// operator's order, and the "Perform.txt" written beside them. Modal; every
// opening starts with an empty list.
#include <QDialog>

#include "platform/WindowContext.h"
#include "makers/PerformList.h"
#include "platform/FileChooser.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tesslor::gui {

// The maker's dialogs are set up beside its form.
using tesslor::kPerformAddDialog;
using tesslor::kPerformOpenDialog;

class TMakePerformForm : public QDialog {
    Q_OBJECT
public:
    explicit TMakePerformForm(const WindowContext& context, QWidget* parent = nullptr);

    /// The list behind the window. After changing it from outside, call ShowList().
    PerformList& List() { return list_; }

    /// The opening: the list and its folder emptied.
    void FormShow();
    /// 追加: the add dialog from the list's folder (the chosen drive's root
    /// while none is fixed), then the file added.
    void AddButtonClick();
    /// 削除: the selected entry removed (nothing when none is selected).
    void DelButtonClick();
    /// 開く: the open dialog from the chosen drive's root, then the list loaded.
    void OpenButtonClick();
    /// Reads the list path as 開く does after its dialog (the window is showing).
    void OpenPath(const std::string& path);
    /// 保存: "Perform.txt" written into the list's folder; the status line says so.
    void SaveButtonClick();

    /// List to widgets.
    void ShowList();
    /// The selected entry of ListBox, -1 for none.
    int SelectedIndex() const;

    QListWidget* ListBox;
    QPushButton* OpenButton;
    QPushButton* AddButton;
    QPushButton* DelButton;
    QPushButton* SaveButton;
    /// What the last good 保存 wrote; empty otherwise.
    QLabel* StatusLabel;
    FileDialog AddOpenDialog;
    FileDialog FileOpenDialog;

protected:
    void showEvent(QShowEvent* event) override;

private:
    FormDialogs Dialogs();

    WindowContext context_;
    PerformList list_;
};

}  // namespace tesslor::gui
