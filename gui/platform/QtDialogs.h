#pragma once
// Message boxes and file dialogs of the running editor.
#include <QPointer>
#include <QWidget>

#include "platform/FileChooser.h"
#include "platform/Prompter.h"

namespace tesslor::gui {

/// Modal message boxes over the active window, with Japanese button texts.
class QtPrompter : public Prompter {
public:
    void Inform(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool Ask(const std::string& text) override;
    SaveChoice AskSave(const std::string& text) override;
};

/// Qt's own file dialog, drawn by Qt itself wherever the editor runs. The
/// chosen folder becomes the process's current folder, so a dialog without an
/// initial folder opens where the last one ended.
class QtFileChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileDialogRequest& request) override;
    std::optional<std::vector<std::string>> ChooseMany(const FileDialogRequest& request) override;
};

/// The filter list as Qt writes it: "ＬＥＤデータファイル(*.lee)" entries joined by ";;".
QString QtFilterString(const std::vector<FileFilter>& filters);

}  // namespace tesslor::gui
