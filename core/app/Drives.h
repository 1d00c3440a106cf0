#pragma once
// Where the configuration files lie and what folder a drive letter names.
#include <set>
#include <string>

#include "platform/Files.h"
#include "platform/ProfileStrings.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The configuration file beside the executable: its path with the extension
/// replaced by ".INI" ("/opt/x/tesslor" gives "/opt/x/tesslor.INI").
std::string ConfigFilePathFor(const std::string& executablePath);

/// The drive file beside the executable: the extension replaced by "Drive.INI",
/// with no separator ("C:\\x\\Tesslor.exe" gives "C:\\x\\TesslorDrive.INI").
std::string DriveFilePathFor(const std::string& executablePath);

/// The running program's own path; "" when the platform cannot tell.
std::string ExecutablePath();

/// The root folder of the drive named by letter, where the save dialogs start.
/// The configuration's [DriveRoots] section may map a letter to a folder
/// ("E=/media/site/CARD") on every system. Unmapped, a letter is the drive
/// itself on Windows ("E:\\"); elsewhere, where there are no drive letters,
/// the user's home folder ($HOME), or "" (the current folder) when even that
/// is unknown.
std::string DriveRootFor(const ProfileStrings& config, char letter);

/// The letters [DriveRoots] gives a folder, "A" to "Z" in order.
std::string MappedDriveLetters(const ProfileStrings& config);

/// The user's home folder ($HOME), "" when unknown.
std::string HomeFolder();

/// The folder every window's dialogs start in for the drive selected in the
/// main window. One per run, shared by all windows.
class DriveRootLookup {
public:
    DriveRootLookup(const ProfileStrings& config, Prompter& prompter, FileSystem& files)
        : config_(config), prompter_(prompter), files_(files) {}

    /// The root folder of the drive named by the selector's text ("" when no
    /// drive is selected). A letter whose folder does not exist (a card not
    /// inserted, a mapping mistyped) gives the home folder instead, and the
    /// operator is told so the first time for each letter in a run.
    std::string RootFor(const std::string& driveText);

private:
    const ProfileStrings& config_;
    Prompter& prompter_;
    FileSystem& files_;
    std::set<char> told_;
};

/// "ドライブ E のフォルダ <folder> が見つかりません。ホームフォルダ <home> から開きます".
std::string MissingDriveFolderMessage(char letter, const std::string& folder, const std::string& home);

}  // namespace tesslor
