#include "app/DocumentCommands.h"

#include "platform/DialogFlows.h"
#include "app/FileDialogs.h"
#include "led/DocumentStep.h"
#include "led/DocumentPicture.h"
#include "platform/IniProfile.h"
#include "platform/NamedMessages.h"

namespace tesslor {

DocumentCommands::DocumentCommands(DocumentFiles& files, ControlBar& bar, FileChooser& chooser, RecentFiles* recent,
                                   ImageMaker makeImage)
    : FileOpenDialog(chooser, kFileOpenDialog),
      FileSaveDialog(chooser, kFileSaveDialog),
      OldFileOpenDialog(chooser, kOldFileOpenDialog),
      OldFileSaveDialog(chooser, kOldFileSaveDialog),
      BmpFileOpenDialog(chooser, kBmpFileOpenDialog),
      BmpFileSaveDialog(chooser, kBmpFileSaveDialog),
      files_(files),
      doc_(files.Document()),
      bar_(bar),
      prompter_(files.Messages()),
      recent_(recent),
      makeImage_(std::move(makeImage)) {}

void DocumentCommands::ShowSettingsInBar() {
    bar_.ShowDocumentSettings();
    bar_.DisplayModeComboBoxChange();
}

void DocumentCommands::AfterRead() {
    ShowSettingsInBar();
    doc_.Paint();
}

void DocumentCommands::Remember(const std::string& path) {
    if (!recent_ || path.empty()) return;
    recent_->Add(path);
    if (onRecentChanged) onRecentChanged();
}

RgbImage& DocumentCommands::FreshImage() {
    workImage_ = makeImage_();
    return *workImage_;
}

void DocumentCommands::NewFile() {
    const DocumentStep step(doc_);
    files_.NewData();
}

bool DocumentCommands::Open() {
    const DocumentStep step(doc_);
    FileOpenDialog.InitialDir = files_.DriveRoot();
    // A file that fails to open or read still refreshes the window; the
    // picture it leaves is the one before, as unsaved as it was. Only a file
    // read is remembered.
    const bool wentAhead = files_.OpenWithDialog(FileOpenDialog);
    if (wentAhead) AfterRead();
    const bool read = wentAhead && !FileOpenDialog.FileName.empty() && doc_.FileName == FileOpenDialog.FileName;
    if (read) Remember(FileOpenDialog.FileName);
    return read;
}

bool DocumentCommands::OpenOld() {
    const DocumentStep step(doc_);
    const bool wentAhead = files_.OpenOldWithDialog(OldFileOpenDialog);
    if (wentAhead) {
        AfterRead();
        Remember(OldFileOpenDialog.FileName);
    }
    return wentAhead;
}

bool DocumentCommands::ImportBitmap() {
    const DocumentStep step(doc_);
    // A bitmap that cannot be loaded leaves the picture as it was and is not remembered.
    if (!files_.ImportBmpWithDialog(BmpFileOpenDialog, FreshImage())) return false;
    doc_.Paint();
    Remember(BmpFileOpenDialog.FileName);
    return true;
}

bool DocumentCommands::ExportBitmap() { return files_.ExportBmpWithDialog(BmpFileSaveDialog, FreshImage()); }

bool DocumentCommands::Write(bool (DocumentFiles::*write)(FileDialog&), FileDialog& dialog) {
    const DocumentStep step(doc_);
    const bool written = (files_.*write)(dialog);
    if (written) Remember(doc_.FileName);
    return written;
}

bool DocumentCommands::Save() { return Write(&DocumentFiles::Save, FileSaveDialog); }
bool DocumentCommands::SaveAs() { return Write(&DocumentFiles::SaveAs, FileSaveDialog); }
bool DocumentCommands::SaveOld() { return Write(&DocumentFiles::SaveOldWithDialog, OldFileSaveDialog); }

bool DocumentCommands::OpenByName(const std::string& path) {
    const std::optional<OpenedKind> kind = OpenedKindOf(path);
    if (!kind) return false;
    const DocumentStep step(doc_);
    if (!files_.ConfirmDiscard()) return false;
    // No dialog showed the file a moment ago: the read's messages say which it is.
    NamedMessages named(prompter_, path);
    DocumentFiles reader = files_.WithMessagesTo(named);
    bool ok = false;
    switch (*kind) {
        case OpenedKind::LedData:
            ok = reader.OpenFile(path);
            break;
        case OpenedKind::OldLed:
            ok = reader.OpenOldFile(path);
            break;
        case OpenedKind::Bitmap:
        case OpenedKind::Png:
            ok = reader.ImportBmpFile(path, FreshImage());
            break;
    }
    if (ok) {
        if (*kind == OpenedKind::LedData || *kind == OpenedKind::OldLed) {
            AfterRead();
        } else {
            doc_.Paint();
        }
        Remember(path);
    }
    return ok;
}

void DocumentCommands::OpenRecent(const std::string& path) {
    if (OpenByName(path)) return;
    std::string probe;
    if (files_.Files().ReadPrefix(path, 1, probe)) return;
    // Gone since (moved, deleted, or on a card not inserted): after the
    // reader's own message, the operator decides whether the entry stays.
    if (!recent_ || !prompter_.Ask(RecentFileMissingQuestion(path))) return;
    recent_->Remove(path);
    if (onRecentChanged) onRecentChanged();
}

bool DocumentCommands::LoadWithoutQuestion(const std::string& path) {
    const bool read = files_.OpenFile(path);
    bar_.ShowDocumentSettings();
    doc_.Paint();
    return read;
}

std::optional<std::vector<MemoryImage>> DocumentCommands::AnimationDemoFrames(FileDialog& listDialog,
                                                                              AnimationList& list,
                                                                              DrawingSurface& layout,
                                                                              const std::function<void()>& ready) {
    // The pictures loaded are one step: undo goes back to the picture before the demo.
    const DocumentStep step(doc_);
    // The demo replaces the picture: unsaved drawing is not dropped without asking.
    if (!files_.ConfirmDiscard()) return std::nullopt;
    // The list is looked for on the card, never where an earlier dialog left off.
    listDialog.InitialDir = files_.DriveRoot();
    listDialog.FileName.clear();
    if (!listDialog.Execute()) return std::nullopt;
    // The maker's window is closed: the folder the list fixes is released
    // again whatever happens, so its next opening accepts pictures from anywhere.
    struct ReleaseFolder {
        AnimationList& list;
        ~ReleaseFolder() { list.CloseWindow(); }
    } release{list};
    if (!list.LoadAnimationList(listDialog.FileName, prompter_)) return std::nullopt;
    return CaptureDemo(list, layout, ready);
}

std::optional<std::vector<MemoryImage>> DocumentCommands::ListDemoFrames(AnimationList& list, DrawingSurface& layout,
                                                                         const std::function<void()>& ready) {
    const DocumentStep step(doc_);
    if (!files_.ConfirmDiscard()) return std::nullopt;
    return CaptureDemo(list, layout, ready);
}

std::optional<std::vector<MemoryImage>> DocumentCommands::CaptureDemo(AnimationList& list, DrawingSurface& layout,
                                                                      const std::function<void()>& ready) {
    // Frames of an earlier run are never played for a list that cannot play.
    if (!CheckDemoList(list, prompter_)) return std::nullopt;
    if (ready) ready();
    return CaptureAnimationFrames(doc_, list, [this](const std::string& path) { LoadWithoutQuestion(path); }, layout,
                                  prompter_);
}

bool DocumentCommands::Close(const std::string& driveFilePath, const std::string& driveLetter) {
    IniProfile drive(driveFilePath, files_.Files());
    // The letter is stored even when the close is then cancelled; a file that
    // cannot be written must not keep the operator from ending the program.
    if (!drive.WriteString("Drive", "Drive", driveLetter))
        prompter_.Inform("ドライブファイル " + driveFilePath + " に書き込めませんでした");
    return files_.ConfirmDiscard();
}

bool DocumentCommands::Undo() {
    if (!doc_.Undo()) return false;
    ShowSettingsInBar();
    return true;
}

bool DocumentCommands::Redo() {
    if (!doc_.Redo()) return false;
    ShowSettingsInBar();
    return true;
}

void DocumentCommands::TakeImportedPicture(const PictureDots& dots) {
    const DocumentStep step(doc_);
    ShowPicture(doc_, dots);
    doc_.FileName.clear();
}

bool DocumentCommands::EditDots(const std::function<void(PictureDots&)>& change) {
    const DocumentStep step(doc_);
    PictureDots dots = CapturePicture(doc_);
    change(dots);
    return ShowPicture(doc_, dots) != 0;
}

bool DocumentCommands::ShiftDots(int dx, int dy) {
    return EditDots([dx, dy](PictureDots& dots) { ShiftPicture(dots, dx, dy); });
}

bool DocumentCommands::FlipDotsHorizontally() {
    const int width = UsedWidth(doc_);
    return EditDots([width](PictureDots& dots) { FlipHorizontally(dots, width); });
}

bool DocumentCommands::FlipDotsVertically() {
    const int rows = UsedRows(doc_);
    return EditDots([rows](PictureDots& dots) { FlipVertically(dots, rows); });
}

bool DocumentCommands::SwapDotColors() {
    return EditDots([](PictureDots& dots) { SwapRedGreen(dots); });
}

bool DocumentCommands::ClearDots() {
    return EditDots([](PictureDots& dots) { dots = PictureDots(); });
}

}  // namespace tesslor
