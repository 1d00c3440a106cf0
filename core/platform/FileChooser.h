#pragma once
// File dialogs. A FileDialog keeps its properties between uses, as the editor's
// dialogs do; Execute() asks the platform's chooser (or a test's script).
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tesslor {

struct FileFilter {
    std::string description;  ///< e.g. "ＬＥＤデータファイル(*.lee)"
    std::string pattern;      ///< e.g. "*.lee"
};

enum class FileDialogKind { Open, Save, Folder };

/// Everything a chooser needs to show one dialog.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::vector<FileFilter> filters;
    std::string defaultExt;   ///< without the dot; "" for none
    std::string initialDir;   ///< "" for the current folder
    std::string fileName;     ///< preset name (may carry a folder)
    std::string title;        ///< "" for the platform's default
    bool overwritePrompt = false;
    bool multiple = false;    ///< an open dialog that takes several files at once
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    /// Shows the dialog; the chosen path, or nothing when the operator cancels.
    virtual std::optional<std::string> Choose(const FileDialogRequest& request) = 0;
    /// An open dialog taking several files: the chosen paths in the order
    /// chosen, or nothing when cancelled. A chooser that picks one file at a
    /// time gives that one.
    virtual std::optional<std::vector<std::string>> ChooseMany(const FileDialogRequest& request) {
        std::optional<std::string> one = Choose(request);
        if (!one) return std::nullopt;
        return std::vector<std::string>{*one};
    }
};

/// What stays the same between showings of one dialog.
struct FileDialogSetup {
    FileDialogKind kind = FileDialogKind::Open;
    std::vector<FileFilter> filters;
    std::string defaultExt;  ///< without the dot; "" for none
    std::string title;       ///< "" for the platform's default
};

/// A dialog object owned by a window and reused: the document sets FileName and
/// InitialDir, then calls Execute(). A save dialog asks before overwriting.
class FileDialog {
public:
    FileDialog(FileChooser& chooser, const FileDialogSetup& setup) : chooser_(&chooser) {
        request_.kind = setup.kind;
        request_.filters = setup.filters;
        request_.defaultExt = setup.defaultExt;
        request_.title = setup.title;
        request_.overwritePrompt = setup.kind == FileDialogKind::Save;
    }
    FileDialog(FileChooser& chooser, FileDialogKind kind, std::vector<FileFilter> filters,
               std::string defaultExt = "", std::string title = "")
        : FileDialog(chooser, FileDialogSetup{kind, std::move(filters), std::move(defaultExt), std::move(title)}) {}

    std::string FileName;    ///< preset before Execute(), the chosen path after it
    std::string InitialDir;  ///< folder the dialog starts in
    std::vector<std::string> FileNames;  ///< every path chosen by the last Execute or ExecuteMany

    /// Shows the dialog. True when the operator confirmed; FileName then holds the path.
    bool Execute() {
        FileDialogRequest r = request_;
        r.fileName = FileName;
        r.initialDir = InitialDir;
        std::optional<std::string> chosen = chooser_->Choose(r);
        if (!chosen) return false;
        FileName = *chosen;
        FileNames = {*chosen};
        return true;
    }
    /// Shows an open dialog that takes several files. True when the operator
    /// confirmed at least one; FileNames then holds them in the order chosen
    /// and FileName the first.
    bool ExecuteMany() {
        FileDialogRequest r = request_;
        r.fileName = FileName;
        r.initialDir = InitialDir;
        r.multiple = true;
        std::optional<std::vector<std::string>> chosen = chooser_->ChooseMany(r);
        if (!chosen || chosen->empty()) return false;
        FileNames = *chosen;
        FileName = FileNames.front();
        return true;
    }

private:
    FileChooser* chooser_;
    FileDialogRequest request_;
};

}  // namespace tesslor
