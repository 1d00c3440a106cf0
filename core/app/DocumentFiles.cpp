#include "app/DocumentFiles.h"

#include <functional>
#include <memory>

#include "app/StartupConfig.h"
#include "files/Bitmap.h"
#include "files/PictureFileMessages.h"
#include "files/LedDataFile.h"
#include "files/OldLedFile.h"
#include "files/UnitFile.h"
#include "led/DocumentCopy.h"
#include "platform/DialogFlows.h"
#include "platform/FileMessages.h"
#include "platform/Paths.h"

namespace tesslor {

namespace {
// Opens path and reads it with read; on failure read's one message (or the
// open's) is shown. The readers go through a scratch document: only a file
// read completely replaces the picture and settings.
bool ReadShowingMessage(FileSystem& files, Prompter& prompter, const std::string& path,
                        const std::function<bool(LineReader& in, std::string& message)>& read) {
    std::unique_ptr<LineReader> in = files.OpenText(path);
    if (!in) {
        prompter.Inform(kFileOpenErrorMessage);
        return false;
    }
    std::string message;
    if (read(*in, message)) return true;
    prompter.Inform(message);
    return false;
}
}  // namespace

DocumentFiles::DocumentFiles(LedHyoujikiClass& doc, Prompter& prompter, FileSystem& files, std::string customerMode)
    : doc_(doc), prompter_(prompter), files_(&files), customerMode_(std::move(customerMode)) {}

DocumentFiles DocumentFiles::WithMessagesTo(Prompter& prompter) const {
    DocumentFiles files(doc_, prompter, *files_, customerMode_);
    files.driveRoot_ = driveRoot_;
    return files;
}

bool DocumentFiles::ConfirmDiscard() { return tesslor::ConfirmDiscard(prompter_, doc_.Modified()); }

bool DocumentFiles::NewData() {
    if (!ConfirmDiscard()) return false;
    doc_.FileName.clear();
    doc_.ClearAll();
    doc_.Paint();
    // An empty picture under no name has nothing to lose.
    doc_.HeldIn("");
    return true;
}

bool DocumentFiles::CheckWriteNo(const std::string& text, int& n) const {
    return tesslor::CheckWriteNo(text, customerMode_, n);
}

WriteNoCheck DocumentFiles::WriteNoRule() const {
    return [mode = customerMode_](const std::string& text, int& n) { return tesslor::CheckWriteNo(text, mode, n); };
}

// ---- LED data file ----

bool DocumentFiles::Save(FileDialog& dialog) {
    // A picture last saved as an old LED file, or opened under another name,
    // must not have that file overwritten in this format: ask for a .lee name.
    const std::string& name = doc_.FileName;
    if (!name.empty() && LowerExtension(name) != "lee") {
        dialog.InitialDir = DriveRoot();
        return SaveThroughDialog(dialog, ReplaceExtension(name, ".lee"),
                                 [this, &dialog](const std::string& path) { return SaveToFile(path, dialog); });
    }
    return SaveToFile(name, dialog);
}

bool DocumentFiles::SaveAs(FileDialog& dialog) {
    dialog.InitialDir = DriveRoot();
    return SaveThroughDialog(dialog, doc_.FileName,
                             [this, &dialog](const std::string& path) { return SaveToFile(path, dialog); });
}

bool DocumentFiles::SaveToFile(const std::string& path, FileDialog& dialog) {
    if (path.empty()) {
        prompter_.Inform(kNoFileNameMessage);
        return SaveAs(dialog);
    }
    if (!FileNameFitsUnit(path)) {
        prompter_.Inform(kNameTooLongMessage);
        return SaveAs(dialog);
    }
    std::string message;
    if (!ShowFailure(prompter_,
                     WriteWholeFile(*files_, path, [this](OutputFile& out) { return WriteLedData(doc_, out); }, message),
                     message))
        return false;
    doc_.FileName = path;
    doc_.HeldIn(path);
    return true;
}

bool DocumentFiles::OpenWithDialog(FileDialog& dialog) {
    return OpenThroughDialog(prompter_, doc_.Modified(), dialog, [this](const std::string& path) { return OpenFile(path); });
}

bool DocumentFiles::OpenFile(const std::string& path) {
    // A broken file must not cost the picture on screen, nor leave FileName
    // naming a good file that the next overwrite-save would empty.
    const WriteNoCheck check = WriteNoRule();
    // The dots go into columns and reach the picture in one pass, once the whole file was good.
    const bool read = ReadShowingMessage(*files_, prompter_, path, [&](LineReader& in, std::string& message) {
        return ReadColumnsThroughScratch(doc_, [&](LedHyoujikiClass& settings, PictureColumns& dots) {
            return ReadLedData(settings, dots, in, check, message);
        });
    });
    if (!read) return false;
    doc_.FileName = path;
    doc_.HeldIn(path);
    return true;
}

// ---- old LED file ----

bool DocumentFiles::OpenOldWithDialog(FileDialog& dialog) {
    return OpenThroughDialog(prompter_, doc_.Modified(), dialog,
                             [this](const std::string& path) { return OpenOldFile(path); });
}

bool DocumentFiles::OpenOldFile(const std::string& path) {
    const WriteNoCheck check = WriteNoRule();
    const bool read = ReadShowingMessage(*files_, prompter_, path, [&](LineReader& in, std::string& message) {
        return ReadThroughScratch(doc_, [&](LedHyoujikiClass& scratch) { return ReadOldLed(scratch, in, check, message); });
    });
    if (!read) return false;
    // An old file never becomes the document's file: the next overwrite-save asks for a name.
    doc_.FileName = "";
    // What was read completely is kept in that file: an undo back to it leaves nothing unsaved.
    doc_.HeldIn(path);
    return true;
}

bool DocumentFiles::SaveOldWithDialog(FileDialog& dialog) {
    return SaveThroughDialog(dialog, doc_.FileName, [this](const std::string& path) { return SaveOldFile(path); });
}

bool DocumentFiles::SaveOldFile(const std::string& path) {
    if (!FileNameFitsUnit(path)) {
        prompter_.Inform(kNameTooLongMessage);
        return false;
    }
    // Every line counts: a trailer line lost on a full card would leave a file
    // the unit cannot take.
    std::string message;
    if (!ShowFailure(prompter_,
                     WriteWholeFile(*files_, path, [this](OutputFile& out) { return WriteOldLed(doc_, out); }, message),
                     message))
        return false;
    doc_.FileName = path;
    doc_.HeldIn(path);
    return true;
}

// ---- bitmaps ----

bool DocumentFiles::ImportBmpWithDialog(FileDialog& dialog, RgbImage& image) {
    return OpenThroughDialog(prompter_, doc_.Modified(), dialog,
                             [this, &image](const std::string& path) { return ImportBmpFile(path, image); });
}

bool DocumentFiles::ImportBmpFile(const std::string& path, RgbImage& image) {
    // A file that cannot be loaded leaves the picture as it was: with FileName
    // still naming its file, an emptied picture would be one overwrite-save
    // away from destroying that file.
    if (!image.LoadFromFile(path)) {
        prompter_.Inform(kBitmapFileError);
        return false;
    }
    ReplacePictureWith(image, doc_);
    // The converted picture is a new one that no LED data file holds: with
    // the earlier name kept, the next overwrite-save would replace that file
    // without a word. Closing asks before it is lost; 上書き保存 asks a name.
    doc_.FileName.clear();
    return true;
}

bool DocumentFiles::ImportImage(const DrawingSurface& image) {
    if (!ConfirmDiscard()) return false;
    ReplacePictureWith(image, doc_);
    return true;
}

bool DocumentFiles::ExportBmpWithDialog(FileDialog& dialog, RgbImage& image) {
    // A name asked for and then not written would leave the operator looking for a file.
    if (doc_.LastUsedColumn() < 0) {
        prompter_.Inform(kEmptyBitmapMessage);
        return false;
    }
    return SaveThroughDialog(dialog, "", [this, &image](const std::string& path) { return ExportBmpFile(path, image); });
}

bool DocumentFiles::ExportBmpFile(const std::string& path, RgbImage& image) {
    // An empty picture gives out no file: there is nothing in it.
    if (!RenderPictureToImage(doc_, image)) {
        prompter_.Inform(kEmptyBitmapMessage);
        return false;
    }
    if (!image.SaveToFile(path)) {
        // The operator must learn that the file was not written.
        const std::string why = image.ErrorText();
        prompter_.Inform(why.empty() ? CannotWriteMessage(path) : why);
        return false;
    }
    return true;
}

}  // namespace tesslor
