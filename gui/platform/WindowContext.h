#pragma once
// What the editor takes from its surroundings, and what every window of it is
// given: the same message boxes, file dialogs, file system, configuration and
// drive-root lookup. A test swaps any of them; a new window takes one of these.
#include <functional>
#include <string>

#include "app/StartupConfig.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor::gui {

/// The editor's surroundings, from main() or a test.
struct EditorEnvironment {
    Prompter* prompter = nullptr;
    FileChooser* chooser = nullptr;
    FileSystem* files = nullptr;  ///< nullptr: the real file system
    std::string configPath;       ///< the configuration file beside the executable (only read)
    std::string driveFilePath;    ///< the drive file (read at first showing, written at close)
    std::string recentFilesPath;  ///< where 最近使ったファイル is kept ("": for the run only)
    /// Where GIFで保存 starts ("": the user's pictures folder, else the home folder).
    std::string picturesFolder;
};

/// What every window is given. Valid for the whole run.
struct WindowContext {
    Prompter& prompter;
    FileChooser& chooser;
    FileSystem& files;
    const StartupConfig& config;
    /// The root folder of the drive selected in the main window, where the
    /// windows' file dialogs start ("" when no drive is selected).
    std::function<std::string()> driveRoot;
    /// Says what a window's カードに追加 did in the main window's status line
    /// (the window has closed by then); unset, a box says it.
    std::function<void(const std::string&)> tellCardAdded = {};
    /// Where files for people rather than the unit (a demo's GIF) are proposed.
    std::string picturesFolder = {};
};

}  // namespace tesslor::gui
