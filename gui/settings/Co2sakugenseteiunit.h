#pragma once
// The CO2 reduction setting maker: the starting amount of the unit's CO2
// reduction figure in three boxes, checked and written as the unit's file.
#include <QDialog>

#include "platform/WindowContext.h"
#include "platform/FileChooser.h"
#include "settings/Co2Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tesslor::gui {

class TCO2SakugenSeteiForm : public QDialog {
    Q_OBJECT
public:
    explicit TCO2SakugenSeteiForm(const WindowContext& context, QWidget* parent = nullptr);

    /// 作成・終了: check, ask for the file, write it, close the window. The
    /// window stays open when the check fails, the dialog is cancelled or the
    /// file cannot be written.
    void Button1Click();
    /// The check, then the save dialog and the write. True when written.
    bool WriteChecked(Prompter& shown);
    /// キャンセル: closes the window; the texts are kept.
    void Button2Click();

    Co2Form& Form() { return form_; }

    QLineEdit* Edit0;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLabel* HintLabel;
    QPushButton* Button1;
    QPushButton* Button2;
    /// カードに追加: written as 書込み does, then onto the card and into its Perform.txt.
    QPushButton* CardAddButton;
    FileDialog SaveDialog;

private:
    void ReadForm();
    void ShowForm();

    const WindowContext& context_;
    Co2Form form_;
};

}  // namespace tesslor::gui
