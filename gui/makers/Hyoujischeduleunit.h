#pragma once
// The display schedule editor's window: 24 entries of one or two digits, in
// three rows of eight, written to and read from a schedule file. Modeless; the
// window lives for the whole run and every close empties its entries.
#include <QDialog>
#include <array>

#include "platform/WindowContext.h"
#include "settings/ScheduleForm.h"
#include "platform/FileChooser.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tesslor::gui {

using tesslor::kScheduleOpenDialog;
using tesslor::kScheduleWriteDialog;

class THyoujiScheduleForm : public QDialog {
    Q_OBJECT
public:
    explicit THyoujiScheduleForm(const WindowContext& context, QWidget* parent = nullptr);

    /// 開く: the dialog from the chosen drive's root, then the file read into the entries.
    void OpenButtonClick();
    /// Shows the window and reads path as 開く does after its dialog.
    void OpenPath(const std::string& path);
    /// 書込み: the input check, the dialog, then the file.
    void WriteButtonClick();
    /// キャンセル: closes the window. Entries not yet written are asked about
    /// first ("保存しますか？"); a closed window's entries are emptied.
    void CancelButtonClick();
    /// While the window is open, the main window's closing (the program's
    /// end) first closes it, with its question about entries not written;
    /// キャンセル there keeps the program running.
    void WatchProgramEnd(QWidget& mainWindow);

    /// The form behind the window.
    ScheduleForm& Form() { return form_; }
    /// Entry n (1 to 24).
    QLineEdit* Edit(int n) const { return edits_[n - 1]; }

    QPushButton* OpenButton;
    QPushButton* WriteButton;
    QPushButton* CardAddButton;
    QPushButton* CancelButton;
    /// Chooses the file to open.
    FileDialog FileOpenDialog;
    /// Chooses the file to write (it need not exist); it starts where 開く last
    /// started, and where the platform likes before any 開く.
    FileDialog FileWriteDialog;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // Widgets to form before an operation, form to widgets after it.
    void ReadForm();
    void ShowForm();
    void ClearEntries();
    FormDialogs Dialogs();

    WindowContext context_;
    ScheduleForm form_;
    std::array<QLineEdit*, kScheduleEntries> edits_{};
    std::array<QLabel*, kScheduleEntries> labels_{};
};

}  // namespace tesslor::gui
