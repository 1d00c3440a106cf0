#pragma once
// The animation maker's window: the ordered list of pictures, the animation's
// type, write number and display time, and the list and animation files the
// unit plays. The window lives for the whole run; every opening starts with an
// empty list, while type, write number and display time keep their values.
#include <QDialog>
#include <functional>

#include "platform/WindowContext.h"
#include "makers/AnimationList.h"
#include "platform/FileChooser.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tesslor::gui {

class RadioGroup;

// The maker's dialogs are set up beside its form.
using tesslor::kAnimationListOpenDialog;
using tesslor::kAnimationPictureDialog;
using tesslor::kAnimationSaveDialog;

class TMakeAnimationForm : public QDialog {
    Q_OBJECT
public:
    explicit TMakeAnimationForm(const WindowContext& context, QWidget* parent = nullptr);

    /// The list behind the window. After changing it from outside, call ShowList().
    AnimationList& List() { return list_; }

    /// The opening: the list emptied, no current list, nothing unsaved.
    void FormShow();
    /// The closing question; true when the window may close (PictureFolder is then emptied).
    bool FormCloseQuery();

    void AddButtonClick();
    void InsertButtonClick();
    void DelButtonClick();
    void OpenButtonClick();
    /// Reads the list path as 開く does after its dialog (the window is showing).
    void OpenPath(const std::string& path);
    /// 名前を付けて保存. True when the files were written.
    bool SaveButtonClick();
    /// 上書き保存. True when the files were written.
    bool OverSaveButtonClick();
    /// カードに追加: saved (上書き保存), then its animation data copied onto
    /// the card's root and listed at the end of its Perform.txt.
    bool CardAddButtonClick();
    /// 上書き保存 with its boxes shown through shown.
    bool OverSave(Prompter& shown);
    /// 再生: the list as it stands played as 動画のデモ plays one (the main window runs it).
    std::function<void()> play;

    /// Widgets to list before an operation, list to widgets after it.
    void ReadList();
    void ShowList();
    /// The selected entry of ListBox, -1 for none.
    int SelectedIndex() const;

    QListWidget* ListBox;
    RadioGroup* AnimationTypeRadioGroup;
    QLabel* Label1;  ///< 書き込みNo
    QLineEdit* WriteNoMaskEdit;
    QLabel* Label2;  ///< １枚の表示時間
    QLineEdit* P_TimeMaskEdit;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* OpenButton;
    QPushButton* AddButton;
    QPushButton* InsertButton;
    QPushButton* DelButton;
    QPushButton* SaveButton;
    QPushButton* OverSaveButton;
    QPushButton* CardAddButton;
    QPushButton* PlayButton;
    /// What the last good save wrote; empty otherwise.
    QLabel* StatusLabel;
    FileDialog AddOpenDialog;
    FileDialog SaveDialog;
    FileDialog OpenDialog;

public slots:
    /// The close button and Escape come here: the closing question first.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    // The list, its buttons, the settings and the file buttons side by side.
    void LayOutControls();
    /// 追加 (insertBefore -1) and 挿入.
    void AddOrInsert(int insertBefore);
    /// The form's dialogs, starting from the selected drive's root.
    FormDialogs Dialogs();
    /// An edit of type, write number or display time by the operator.
    void SettingEdited();

    WindowContext context_;
    AnimationList list_;
    bool showing_ = false;
};

}  // namespace tesslor::gui
