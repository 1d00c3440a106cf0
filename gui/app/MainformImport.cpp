// 画像の読み込み of the main window: an image file chosen on the card's drive,
// placed in its window, and taken into the picture as one undo step.
#include <QAction>

#include "app/ImageImportunit.h"
#include "app/Mainunit.h"
#include "platform/ImportImageFile.h"

namespace tesslor::gui {

namespace {
const FileDialogSetup kImageImportDialog{
    FileDialogKind::Open,
    {{"画像ファイル", "*.png *.jpg *.jpeg *.gif *.bmp *.webp *.tif *.tiff"}, {"すべてのファイル", "*"}},
    "",
    "画像の読み込み"};
}  // namespace

void TMainForm::ImportImageClick() {
    EndStroke();
    // The picture is replaced: unsaved drawing is not dropped without asking.
    if (!documentFiles_->ConfirmDiscard()) return;
    FileDialog dialog(context_.chooser, kImageImportDialog);
    dialog.InitialDir = DriveRoot();
    if (!dialog.Execute()) return;
    ImportImageFile image;
    std::string message;
    if (!ReadImportImage(files_, dialog.FileName, 1, image, message)) {
        prompter_.Inform(message);
        return;
    }
    if (!imageImportForm_) imageImportForm_ = new TImageImportForm(DisplayShapeOf(config_), this);
    imageImportForm_->SetImage(std::move(image.frames.front()), dialog.FileName, image.totalFrames);
    if (imageImportForm_->exec() != QDialog::Accepted) return;
    commands_->TakeImportedPicture(imageImportForm_->Dots());
    ShowDocument();
}

}  // namespace tesslor::gui
