#pragma once
// The shape every file command of every window has: the discard question,
// the dialog, then the read or write, which reports its own failure.
#include <functional>
#include <string>

#include "platform/FileChooser.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The discard question before anything that would lose unsaved work.
inline constexpr const char* kDiscardQuestion = "作成したデータが失われてもいいですか？";

/// True at once when nothing is unsaved; otherwise asks "作成したデータが失われてもいいですか？"
/// with Yes and No and returns false only for No.
bool ConfirmDiscard(Prompter& prompter, bool modified);

/// Reads or writes the chosen file and shows its own message on failure.
using FileAction = std::function<bool(const std::string& path)>;

/// An open through a dialog: the discard question (when modified), the dialog
/// with no name preset, then read(path). False, having done nothing, when the
/// question was refused or the dialog cancelled; otherwise read's result.
bool OpenThroughDialog(Prompter& prompter, bool modified, FileDialog& dialog, const FileAction& read);

/// A save through a dialog: the dialog preset with presetName (its InitialDir
/// set by the caller), then write(path). False when cancelled; otherwise write's result.
bool SaveThroughDialog(FileDialog& dialog, const std::string& presetName, const FileAction& write);

}  // namespace tesslor
