#pragma once
// The picture document's file operations: the LED data file, the old LED file
// and bitmaps, each through its dialog or by name, with the questions and
// messages the operator sees. The formats only read and write; this is where
// their failures are shown, the discard question is asked and the document's
// file name and the file known to hold the picture follow a read or a write.
#include <functional>
#include <string>

#include "led/Ledhyoujiki.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "platform/Surface.h"

namespace tesslor {

class DocumentFiles {
public:
    /// customerMode decides which write numbers a file may carry. Files are
    /// read and written through files (the real file system by default).
    DocumentFiles(LedHyoujikiClass& doc, Prompter& prompter, FileSystem& files = RealFileSystem(),
                  std::string customerMode = "customer");

    /// True at once when nothing is unsaved; otherwise asks "作成したデータが失われてもいいですか？".
    bool ConfirmDiscard();
    /// After ConfirmDiscard(): no file name, every dot off, repainted. Settings
    /// stay. True when it went ahead.
    bool NewData();
    /// A write number the customer mode offers; n = its value.
    bool CheckWriteNo(const std::string& text, int& n) const;

    // ---- LED data file (.lee) ----
    /// SaveToFile(FileName, dialog); a picture whose file is not a .lee asks
    /// for a .lee name instead of overwriting that file.
    bool Save(FileDialog& dialog);
    /// Dialog preset with FileName at the selected drive's root; writes on confirmation.
    /// True when a file was written.
    bool SaveAs(FileDialog& dialog);
    /// Writes the LED data file; on an empty or too long name it says so and goes on
    /// as SaveAs. True when the file was written (by this call or the SaveAs).
    bool SaveToFile(const std::string& path, FileDialog& dialog);
    /// Discard question, dialog, OpenFile. False, having changed nothing, when refused
    /// or cancelled; true otherwise, also when the file then failed to open or read.
    bool OpenWithDialog(FileDialog& dialog);
    /// Reads the LED data file without asking. True when it was read completely;
    /// a file that fails leaves the picture, its settings and FileName as they were.
    bool OpenFile(const std::string& path);

    // ---- old LED file (.led) ----
    /// Discard question, dialog, OpenOldFile. The same result rule as OpenWithDialog.
    bool OpenOldWithDialog(FileDialog& dialog);
    /// Reads an old LED file. True when it was read completely; FileName becomes "" then.
    bool OpenOldFile(const std::string& path);
    /// Dialog preset with FileName; writes on confirmation. True when a file was written.
    bool SaveOldWithDialog(FileDialog& dialog);
    /// Writes an old LED file (30-byte name rule, no dialog). True when written.
    bool SaveOldFile(const std::string& path);

    // ---- bitmaps ----
    /// Discard question, dialog, load into image and convert. False, having changed
    /// nothing, when refused or cancelled; true otherwise, also when loading failed.
    bool ImportBmpWithDialog(FileDialog& dialog, RgbImage& image);
    /// Loads path into image and converts it (no question). True when converted.
    bool ImportBmpFile(const std::string& path, RgbImage& image);
    /// Converts an image the caller has drawn into the picture (discard question first).
    /// True when converted.
    bool ImportImage(const DrawingSurface& image);
    /// Dialog, render into image, save. True when a file was written.
    bool ExportBmpWithDialog(FileDialog& dialog, RgbImage& image);
    /// Renders into image and saves to path. False (nothing written) for an empty
    /// picture or a failed save.
    bool ExportBmpFile(const std::string& path, RgbImage& image);

    LedHyoujikiClass& Document() { return doc_; }
    /// The same operations on the same document and files, their questions
    /// and messages shown through prompter instead.
    DocumentFiles WithMessagesTo(Prompter& prompter) const;

    Prompter& Messages() { return prompter_; }
    FileSystem& Files() { return *files_; }
    void SetFileSystem(FileSystem& files) { files_ = &files; }
    /// Root folder of the drive selected in the main window ("E:\" on Windows);
    /// the save-as dialog starts there. Without a provider it starts in "".
    void SetDriveRootProvider(std::function<std::string()> provider) { driveRoot_ = std::move(provider); }
    std::string DriveRoot() const { return driveRoot_ ? driveRoot_() : std::string(); }

private:
    WriteNoCheck WriteNoRule() const;

    LedHyoujikiClass& doc_;
    Prompter& prompter_;
    FileSystem* files_;
    std::string customerMode_;
    std::function<std::string()> driveRoot_;
};

}  // namespace tesslor
