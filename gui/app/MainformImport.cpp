// 画像の読み込み of the main window: an image file chosen on the card's drive,
// placed in its window, and taken into the picture as one undo step.
#include <QAction>
#include <QComboBox>

#include "app/ImageImportunit.h"
#include "app/ImportAnimation.h"
#include "app/Mainunit.h"
#include "platform/ImportImageFile.h"
#include "platform/Paths.h"

namespace tesslor::gui {

namespace {
const FileDialogSetup kImageImportDialog{
    FileDialogKind::Open,
    {{"画像ファイル", "*.png *.jpg *.jpeg *.gif *.bmp *.webp *.tif *.tiff"}, {"すべてのファイル", "*"}},
    "",
    "画像の読み込み"};
const FileDialogSetup kImportAnimationDialog{
    FileDialogKind::Save, {{"アニメーションファイルリスト", "*.alt"}}, "alt", "動画として読み込む"};
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
    if (!ReadImportImage(files_, dialog.FileName, kImportAnimationFrames, image, message)) {
        prompter_.Inform(message);
        return;
    }
    if (!imageImportForm_) imageImportForm_ = new TImageImportForm(DisplayShapeOf(config_), this);
    imageImportForm_->SetImage(image.frames.front(), dialog.FileName, image.totalFrames);
    const int result = imageImportForm_->exec();
    if (result == TImageImportForm::kAnimationChosen) {
        ImportAnimation(image, FileNamePart(dialog.FileName), imageImportForm_->Options());
        return;
    }
    if (result != QDialog::Accepted) return;
    commands_->TakeImportedPicture(imageImportForm_->Dots());
    ShowDocument();
}

void TMainForm::ImportAnimation(const ImportImageFile& image, const std::string& imageName,
                                const ImportOptions& options) {
    FileDialog dialog(context_.chooser, kImportAnimationDialog);
    dialog.InitialDir = DriveRoot();
    dialog.FileName = PathInFolder(DriveRoot(), ReplaceExtension(imageName, ".alt"));
    if (!dialog.Execute()) return;
    std::vector<PictureDots> frames;
    for (const RgbaImage& frame : image.frames) frames.push_back(ImportImageDots(frame, options, DisplayShapeOf(config_)));
    // The animation takes the write number the bar shows, as a picture saved now would.
    const std::string writeNo = WriteNoMaskComboBox->currentText().trimmed().toStdString();
    std::string message;
    if (!WriteImportedAnimation(files_, config_, dialog.FileName, frames, image.delaysCs, writeNo, message)) {
        prompter_.Inform(message);
        return;
    }
    std::string done = FileNamePart(dialog.FileName) + " と絵 " + std::to_string(frames.size()) + " 枚を書き込みました";
    const int kept = static_cast<int>(frames.size());
    if (image.totalFrames > kept) done += "\n" + FramesLeftOutNotice(image.totalFrames, kept);
    prompter_.Inform(done);
}

}  // namespace tesslor::gui
