#pragma once
// The text message editor's window: ten rows of position, text and font, kept
// in a ".mon" file and drawn into the main window's picture. Modeless; the
// window lives for the whole run and keeps its rows, file and unsaved flag
// when it is closed. The rules live in the core's MongonForm: the window
// copies its boxes into the form's rows before an operation and back after it.
#include <QDialog>
#include <QFont>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/WindowContext.h"
#include "led/Ledhyoujiki.h"
#include "makers/MongonForm.h"
#include "platform/FileChooser.h"
#include "platform/QtImage.h"

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tesslor::gui {

class TPenColorForm;
class DotPreviewBox;

/// FontDialog1: runs the platform's font dialog preset with a row's font. A
/// test replaces choose to pick a font or cancel without a dialog on screen.
struct MongonFontDialog {
    /// The chosen font, or nothing when the operator cancelled.
    std::function<std::optional<QFont>(const QFont& preset)> choose;
};

class TMongonHensyuuForm : public QDialog {
    Q_OBJECT
public:
    /// repaintMain repaints the main window's picture after 表示データ作成.
    TMongonHensyuuForm(const WindowContext& context, LedHyoujikiClass& document, TPenColorForm& penColorForm,
                       std::function<void()> repaintMain, QWidget* parent = nullptr);
    ~TMongonHensyuuForm() override;

    /// フォント of row i: the font dialog, then (two-colour displays only) the pen colour window.
    void FontButtonClick(int row);
    /// 表示データ作成: the rows drawn, saved as tmp.bmp and converted into the picture.
    /// True when the text's picture went into the editor.
    bool MakeDataButtonClick();
    /// 表示データ作成 with its boxes shown through shown.
    bool RenderRows(Prompter& shown);
    /// カードに追加: the text's picture made as 表示データ作成 does, then
    /// added to the card by the main window (addToCard, with the texts drawn).
    void CardAddButtonClick();
    std::function<bool(const std::string& text)> addToCard;
    /// 開く.
    void FileReadButtonClick();
    /// Shows the window and reads path as 開く does after its dialog.
    void OpenPath(const std::string& path);
    /// 上書き保存.
    void FileWriteButtonClick();
    /// 名前を付けて保存.
    void FileReNameWriteButtonClick();
    /// 新規作成.
    void NewButtonClick();
    /// キャンセル（閉）: hides the window; everything stays for the next opening.
    void CancelButtonClick();
    /// Before the program ends: rows not yet in their file are shown and
    /// "保存しますか？" asked (はい runs 上書き保存). False, the rows kept and the
    /// window shown, for キャンセル and a save that did not happen.
    bool AskToSaveBeforeProgramEnd();
    /// Asks AskToSaveBeforeProgramEnd whenever mainWindow is about to close,
    /// and keeps it open on False: the rows live as long as the program does.
    void WatchProgramEnd(QWidget& mainWindow);
    /// Gives the current row one of the pixel fonts made for dot displays.
    void UnifontButtonClick();
    void MisakiButtonClick();

    /// The form behind the window.
    MongonForm& Form() { return form_; }
    /// Boxes to form rows (texts) before an operation; form rows to boxes (texts
    /// and fonts) after it. Showing does not itself mark anything unsaved.
    void ReadRows();
    void ShowRows();

    /// The row the pixel-font buttons act on: the row whose box last had the focus.
    int CurrentRow() const { return currentRow_; }
    /// Draws the preview now instead of shortly after the last change.
    void UpdatePreview();
    /// The preview's dots (480 x 80, row-major, 0 off, 1 red, 2 green, 3 yellow).
    const std::vector<std::uint8_t>& PreviewDots() const;
    /// The canvas of the last 表示データ作成.
    const QtImage& Canvas() const { return canvas_; }

    QLabel* LabelNo(int i) const { return labels_[i]; }
    QLineEdit* X_Edit(int i) const { return xEdits_[i]; }
    QLineEdit* Y_Edit(int i) const { return yEdits_[i]; }
    QLineEdit* MojiEdit(int i) const { return mojiEdits_[i]; }
    QPushButton* FontButton(int i) const { return fontButtons_[i]; }

    QPushButton* MakeDataButton;
    QPushButton* CardAddButton;
    QPushButton* FileReadButton;
    QPushButton* FileWriteButton;
    QPushButton* FileReNameWriteButton;
    QPushButton* NewButton;
    QPushButton* CancelButton;
    QPushButton* UnifontButton;
    QPushButton* MisakiButton;
    QLabel* CurrentRowLabel;
    /// The canvas, never shown: it holds the picture of the last 表示データ作成.
    QLabel* Image1;
    DotPreviewBox* PreviewBox;

    MongonFontDialog FontDialog1;
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;
    /// Runs the pen colour window modally (its exec() unless a test replaces it).
    std::function<void(QDialog&)> runPenColorForm;
    /// Where 表示データ作成 writes tmp.bmp ("" writes none).
    std::string TmpBitmapPath;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // The headings and the ten rows of label, X, Y, text box and font button.
    QGridLayout* CreateRowGrid();
    void CreateRow(QGridLayout* grid, int i, int textBoxHeight, int positionWidth);
    // An X or Y box of a row, named prefix followed by the row.
    QLineEdit* NewPositionEdit(const char* prefix, int row, int width);
    QHBoxLayout* CreatePixelFontButtons();
    // The preview with its caption (returned) and the hidden canvas.
    QLabel* CreatePreview();
    QHBoxLayout* CreateFileButtons();
    void ShowRowFont(int row);
    void SetCurrentRow(int row);
    /// A box of row i changed: the form is marked and the preview redrawn soon.
    void RowEdited(int row);
    void GivePixelFont(const MongonPixelFont& pixelFont);
    /// The window's dialogs for the form's flows.
    FormDialogs Dialogs();
    std::optional<MongonFont> RunFontDialog(const MongonFont& font);
    std::int32_t RunPenColorForm(std::optional<std::int32_t> preset);

    WindowContext context_;
    LedHyoujikiClass& document_;
    TPenColorForm& penColorForm_;
    std::function<void()> repaintMain_;
    MongonForm form_;
    QtImage canvas_;
    QtImage previewCanvas_;
    QTimer previewTimer_;
    QWidget* mainWindow_ = nullptr;
    int currentRow_ = 0;
    bool showing_ = false;
    std::array<QLabel*, kMongonRows> labels_{};
    std::array<QLineEdit*, kMongonRows> xEdits_{};
    std::array<QLineEdit*, kMongonRows> yEdits_{};
    std::array<QLineEdit*, kMongonRows> mojiEdits_{};
    std::array<QPushButton*, kMongonRows> fontButtons_{};
};

}  // namespace tesslor::gui
