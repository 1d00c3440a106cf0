#pragma once
// The settings 3 editor (設定３): every alarm band with its lamp and message
// choice, the switchable bands of noise, vibration, rain and wind, the
// 8-segment displays and the G mode. The window lives for the whole run and
// keeps its contents when hidden; everything it checks, writes and reads is
// the core form's.
#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "platform/FormWidgets.h"
#include "platform/WindowContext.h"
#include "platform/FileChooser.h"
// The core unit has this header's own name; reach it by its place in the tree.
#include "settings/Setei3Form.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace tesslor::gui {

class TSetei2Form : public QDialog {
    Q_OBJECT
public:
    explicit TSetei2Form(const WindowContext& context, QWidget* parent = nullptr);

    /// 開く: the open dialog from the chosen drive's root, then the file read
    /// into the window. A failed open leaves what was read so far.
    void OpenButtonClick();
    /// Shows the window and reads path as 開く does after its dialog.
    void OpenPath(const std::string& path);
    /// 書込み: the settings check, the save dialog, then the file.
    void WriteButtonClick();
    /// キャンセル: hides the window; the contents stay.
    void CancelButtonClick();
    /// 標準設定: the standard values.
    void HyoujyunSeteiButtonClick();
    /// 設定チェック: the settings check; "設定チェック　OK" when it passes.
    void SeteiChkButtonClick();

    /// The controls of the form's fields by name (nullptr for other names).
    QLineEdit* Edit(const std::string& name) const;
    QComboBox* List(const std::string& name) const;
    /// A check box or radio button.
    QAbstractButton* Box(const std::string& name) const;

    /// The form behind the window.
    Setei3Form& Form() { return form_; }

    QGroupBox* SouonGroupBox;
    QRadioButton* HeikinSouonRadioButton;
    QRadioButton* SyunkanSouonRadioButton;
    QGroupBox* FuusokuGroupBox;
    QRadioButton* HeikinFuusokuRadioButton;
    QRadioButton* SyunkanFuusokuRadioButton;
    QCheckBox* GModeCheckBox;
    QPushButton* OpenButton;
    QPushButton* WriteButton;
    /// カードに追加: 書込み, then onto the card's root and into its Perform.txt.
    QPushButton* CardAddButton;
    QPushButton* CancelButton;
    QPushButton* HyoujyunSeteiButton;
    QPushButton* SeteiChkButton;
    FileDialog FileOpenDialog;
    FileDialog SaveDialog;

protected:
    /// The bands are enabled and coloured anew each time the window is shown.
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateTimes();
    QWidget* CreateQuantity(int quantity);
    QWidget* CreateSegments();
    QLineEdit* NewEdit(const char* name);
    QComboBox* NewList(const std::string& name, std::span<const char* const> items, bool emptyItem = false);
    // Widgets to form before an operation, form to widgets after it.
    void ReadForm();
    void ShowForm();
    // The window's dialogs, starting at the selected drive's root.
    FormDialogs Dialogs();
    // Enables and colours the controls of every switchable band as the form's
    // boxes say (each box's change reaches the form at once).
    void ApplyBandEnabling();

    WindowContext context_;
    Setei3Form form_;
    FormButtons buttons_{form_, context_.prompter, [this] { return Dialogs(); }, [this] { ReadForm(); },
                         [this] { ShowForm(); }};
    std::map<std::string, QLineEdit*> edits_;
    std::map<std::string, QComboBox*> lists_;
    std::map<std::string, QAbstractButton*> boxes_;
    std::vector<QGridLayout*> bandGrids_;  // the quantities' grids, their columns lined up
};

}  // namespace tesslor::gui
