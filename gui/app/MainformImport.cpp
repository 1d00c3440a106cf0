// 画像の読み込み of the main window: an image file chosen on the card's drive,
// placed in its window, and taken into the picture as one undo step.
#include <QAction>
#include <QApplication>
#include <QComboBox>

#include "app/ImageImportunit.h"
#include "app/ImportAnimation.h"
#include "app/Mainunit.h"
#include "makers/AnimationList.h"
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

// The pointer shows work under way for as long as the guard lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
}  // namespace

void TMainForm::ImportImageClick() {
    EndStroke();
    // The picture is replaced: unsaved drawing is not dropped without asking.
    if (!documentFiles_->ConfirmDiscard()) return;
    FileDialog dialog(context_.chooser, kImageImportDialog);
    dialog.InitialDir = DriveRoot();
    if (!dialog.Execute()) return;
    PlaceImportedImage(dialog.FileName);
}

void TMainForm::ImportImageByName(const std::string& path) {
    EndStroke();
    if (!documentFiles_->ConfirmDiscard()) return;
    PlaceImportedImage(path);
}

void TMainForm::PlaceImportedImage(const std::string& path) {
    ImportImageFile image;
    std::string message;
    AllowImportSizedImages();
    // A large photograph takes a second or two to decode and fit: the
    // pointer says the program is at work, not hung.
    bool read = false;
    {
        const WaitCursor busy;
        read = ReadImportImage(files_, path, kImportAnimationFrames, image, message);
        if (read) {
            if (!imageImportForm_) imageImportForm_ = new TImageImportForm(DisplayShapeOf(config_), this);
            imageImportForm_->SetImage(image.first, path, image.totalFrames);
        }
    }
    if (!read) {
        prompter_.Inform(message);
        return;
    }
    int result = imageImportForm_->exec();
    // An animation not written (its name not given, a No, a refusal such as a
    // frame that lights nothing) comes back to the window as it was left.
    while (result == TImageImportForm::kAnimationChosen &&
           !ImportAnimation(image, FileNamePart(path), imageImportForm_->Options()))
        result = imageImportForm_->exec();
    imageImportForm_->ForgetImage();
    // The shortcuts work at once, without a click into the window first.
    activateWindow();
    if (result != QDialog::Accepted) return;
    commands_->TakeImportedPicture(imageImportForm_->Dots());
    ShowDocument();
    ShowPictureStart();
}

bool TMainForm::ImportAnimation(const ImportImageFile& image, const std::string& imageName,
                                const ImportOptions& options) {
    const int count = image.KeptFrames();
    std::vector<PictureDots> frames;
    {
        // Each frame is composed again from the file and fitted: a while for a large image.
        const WaitCursor busy;
        ForEachImportFrame(image, [&](const RgbaImage& frame) {
            frames.push_back(ImportImageDots(frame, options, DisplayShapeOf(config_)));
        });
    }
    // The animation takes the write number the bar shows, as a picture saved now would.
    const std::string writeNo = WriteNoMaskComboBox->currentText().trimmed().toStdString();
    // A write number the animation cannot take, or a frame that lights
    // nothing, is said before a name is asked for (and the list replaced).
    std::string message = ImportedAnimationRefusal(files_, config_, "", frames, writeNo);
    if (!message.empty()) {
        prompter_.Inform(message);
        return false;
    }
    FileDialog dialog(context_.chooser, kImportAnimationDialog);
    dialog.InitialDir = DriveRoot();
    dialog.FileName = PathInFolder(DriveRoot(), ReplaceExtension(imageName, ".alt"));
    if (!dialog.Execute()) return false;
    // The name chosen may be too long for the unit: said before anything is written.
    message = ImportedAnimationRefusal(files_, config_, dialog.FileName, frames, writeNo);
    if (!message.empty()) {
        prompter_.Inform(message);
        return false;
    }
    // The dialog asked about the list itself; the pictures beside it and its
    // animation data may be the operator's own work under the same names.
    std::vector<std::string> existing = ExistingImportedAnimationFiles(files_, dialog.FileName, count);
    std::erase(existing, FileNamePart(AnimationList::ListPathFor(dialog.FileName)));
    if (!existing.empty() && !prompter_.Confirm(ImportReplaceQuestion(existing))) return false;
    if (!WriteImportedAnimation(files_, config_, dialog.FileName, frames, image.delaysCs, writeNo, message)) {
        prompter_.Inform(message);
        return false;
    }
    // A picture open here from one of those files is no longer what the file holds.
    for (const std::string& path : ImportedAnimationFiles(dialog.FileName, count)) Document().Rewritten(path);
    ShowDocument();
    std::string done = FileNamePart(dialog.FileName) + " と絵 " + std::to_string(count) + " 枚を書き込みました";
    if (image.totalFrames > count) done += "\n" + FramesLeftOutNotice(image.totalFrames, count);
    prompter_.Inform(done);
    return true;
}

}  // namespace tesslor::gui
