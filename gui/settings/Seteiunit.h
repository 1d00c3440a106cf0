#pragma once
// The settings 1 and 2 editor: one window for both variants of the unit's
// settings file. The main window sets its caption and calls OpenInMode; the
// window lives for the whole run, so what was entered survives closing it.
#include <QDialog>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/FormWidgets.h"
#include "platform/WindowContext.h"
#include "platform/FileChooser.h"
// The core unit has this header's own name; reach it by its place in the tree.
#include "settings/SeteiForm.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tesslor::gui {

class TSeteiForm : public QDialog {
    Q_OBJECT
public:
    explicit TSeteiForm(const WindowContext& context, QWidget* parent = nullptr);

    /// Shows the window modeless in settings 2 mode (true: the noise and wind
    /// choices are shown, written and read) or settings 1 mode (false). The
    /// fields keep what was entered before.
    void OpenInMode(bool settings2);
    /// Shows the window in the mode and reads path as 開く does after its dialog.
    void OpenPath(const std::string& path, bool settings2);

    /// 開く: the open dialog from the chosen drive's root, then the file read
    /// into the window. A failed open leaves what was read so far.
    void OpenButtonClick();
    /// 書込み: the input check, the save dialog, then the file.
    void WriteButtonClick();
    /// キャンセル: hides the window; the contents stay.
    void CancelButtonClick();
    /// 標準設定: the standard values.
    void HyoujyunSeteiButtonClick();
    /// Switches the wind-only lamp mode (with its notices when switching on).
    void FuusokuSenyouKaitentouSeteiButtonClick();

    /// The edit of a field of the form's table (nullptr for other names).
    QLineEdit* Edit(const std::string& name) const;
    /// The form behind the window, for tests and for the window's own operations.
    SeteiForm& Form() { return form_; }

    QGroupBox* SouonGroupBox;
    QRadioButton* HeikinSouonRadioButton;
    QRadioButton* SyunkanSouonRadioButton;
    QGroupBox* FuusokuGroupBox;
    QRadioButton* HeikinFuusokuRadioButton;
    QRadioButton* SyunkanFuusokuRadioButton;
    QGroupBox* FuusokuSenyouPanel;  ///< holds the wind-only labels and edits
    QPushButton* OpenButton;
    QPushButton* WriteButton;
    /// カードに追加: 書込み, then onto the card's root and into its Perform.txt.
    QPushButton* CardAddButton;
    QPushButton* CancelButton;
    QPushButton* HyoujyunSeteiButton;
    QPushButton* FuusokuSenyouKaitentouSeteiButton;
    FileDialog FileOpenDialog;
    FileDialog SaveDialog;

private:
    void CreateControls();
    QGroupBox* CreateTimePanel();
    QGroupBox* CreateOndoPanel();
    QGroupBox* CreateWbgtPanel();
    // "CHKn [min] °C 以上 [max] °C 以下" in row r.
    void RangeRow(QGridLayout* g, int r, const char* chk, const char* minEdit, const char* maxEdit);
    // "CHKn [value] °C 以上 回転灯 [lamp]" in row r.
    void LampRow(QGridLayout* g, int r, const char* chk, const char* edit, const char* lampEdit);
    // A quantity's panel with "[threshold] unit 以上 回転灯 [lamp]" in its first row.
    QGroupBox* ThresholdPanel(const char* name, const char* title, const char* edit, const char* unit,
                              const char* lampEdit);
    void CreateWindOnlyPanel();
    void CreateButtons();
    // The panels in two columns over the row of buttons.
    void LayOut(std::initializer_list<QWidget*> leftPanels, std::initializer_list<QWidget*> rightPanels);
    QLineEdit* NewEdit(const char* name);
    QLabel* NewLabel(const char* text, const char* name = nullptr);
    // A unit and the word after it ("°C" "以下") side by side in one cell.
    QWidget* UnitWord(const char* unit, const char* word);
    // Widgets to form before an operation, form to widgets after it.
    void ReadForm();
    void ShowForm();
    // The window's dialogs, starting at the selected drive's root.
    FormDialogs Dialogs();
    // Shrinks or grows the window to what it shows after a mode change.
    void FitToContents();

    WindowContext context_;
    SeteiForm form_;
    FormButtons buttons_{form_, context_.prompter, [this] { return Dialogs(); }, [this] { ReadForm(); },
                         [this] { ShowForm(); }};
    std::map<std::string, QLineEdit*> edits_;
    std::vector<QWidget*> windOnlyControls_;
};

}  // namespace tesslor::gui
