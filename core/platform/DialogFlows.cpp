#include "platform/DialogFlows.h"

namespace tesslor {

bool ConfirmDiscard(Prompter& prompter, bool modified) {
    if (!modified) return true;
    return prompter.Confirm(kDiscardQuestion);
}

bool OpenThroughDialog(Prompter& prompter, bool modified, FileDialog& dialog, const FileAction& read) {
    if (!ConfirmDiscard(prompter, modified)) return false;
    return SaveThroughDialog(dialog, "", read);
}

bool SaveThroughDialog(FileDialog& dialog, const std::string& presetName, const FileAction& write) {
    dialog.FileName = presetName;
    if (!dialog.Execute()) return false;
    // The dialog may be shown again by write (a name too long for the unit): keep our own copy.
    const std::string chosen = dialog.FileName;
    return write(chosen);
}

}  // namespace tesslor
