#pragma once
// カードの確認: the card (the selected drive's root, or a folder chosen) at a
// glance: every file with its kind, write number, content, state, place in
// Perform.txt and a small picture; the findings across files below; writing
// a prepared folder onto the card with its progress and result.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "platform/WindowContext.h"
#include "card/Card.h"

class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace tesslor::gui {

class CardPerformPane;

/// The card window's dialogs.
inline const FileDialogSetup kCardFolderDialog{FileDialogKind::Folder, {}, "", "確認するフォルダー"};
inline const FileDialogSetup kCardSourceDialog{FileDialogKind::Folder, {}, "", "カードへ書き出すフォルダー"};

/// The table's columns, in order.
enum CardColumn { kCardName, kCardKind, kCardWriteNo, kCardContent, kCardState, kCardPerform, kCardColumns };

class TCardForm : public QDialog {
    Q_OBJECT
public:
    explicit TCardForm(const WindowContext& context, QWidget* parent = nullptr);
    ~TCardForm() override;

    /// Opens a file where it is edited; given its kind and path.
    std::function<void(CardKind kind, const std::string& path)> onOpen;

    /// Looks at folder (a scan at once, thumbnails as the event loop goes on).
    void ShowFolder(const std::string& folder);
    /// Scans the shown folder again.
    void Rescan();
    /// フォルダーの選択: another folder to look at.
    void FolderButtonClick();
    /// カードへ書き出し: a source folder chosen, then written onto the shown folder.
    void WriteButtonClick();
    /// Stops a write before its next file.
    void CancelWriteButtonClick();
    /// Opens the file of a table row as a double-click does.
    void OpenRow(int row);
    /// 空いている番号にする for the picture selected.
    void FreeNumberButtonClick();
    /// Makes every thumbnail still missing at once (tests; the window makes them lazily).
    void MakeAllThumbnails();

    const CardScan& Scan() const { return scan_; }

    FileDialog FolderDialog;
    FileDialog SourceDialog;
    QLabel* FolderLabel;
    QPushButton* FolderButton;
    QPushButton* RefreshButton;
    /// For a picture sharing its write number with another: the lowest free one, on the card.
    QPushButton* FreeNumberButton;
    QPushButton* WriteButton;
    QPushButton* CancelWriteButton;
    QPushButton* CloseButton;
    QTableWidget* FileTable;
    QTableWidget* FindingTable;
    QLabel* SummaryLabel;
    QProgressBar* WriteProgress;
    QListWidget* WriteResult;
    /// Perform順 of the card, edited in place.
    CardPerformPane* PerformPane;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Escape: ignored while a write runs.
    void reject() override;

private:
    void CreateControls();
    void CreateTables();
    void LayOutControls();
    /// Scans source, shows the plan and asks what must be asked. False when
    /// the write is not to go ahead (its message shown).
    bool PrepareWrite(const std::string& source, CardScan& prepared);
    /// Writes prepared onto the card, showing progress and the outcome.
    void RunWrite(const CardScan& prepared);
    void ShowScan();
    /// Watches the shown folder; while it is gone, looks for it again now and then.
    void FollowFolder();
    /// The buttons that act on the selected rows follow the selection.
    void SelectionChanged();
    /// The selected row's picture when another picture of the card uses its write number.
    const CardFile* SelectedSharingPicture() const;
    void ShowMessage(const std::string& message);
    // Makes the next thumbnails; stops when none is missing.
    void NextThumbnails();
    CardScanOptions Options() const;

    WindowContext context_;
    CardScan scan_;
    std::string folder_;
    std::size_t nextThumbnail_ = 0;
    bool writing_ = false;
    bool cancelWrite_ = false;
    QFileSystemWatcher* watcher_;
    QTimer* rescanTimer_;
    QTimer* thumbnailTimer_;
    QTimer* folderLookTimer_;
};

}  // namespace tesslor::gui
