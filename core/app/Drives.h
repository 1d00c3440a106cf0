#pragma once
// Where the configuration files lie and what folder a drive letter names.
#include <string>

#include "platform/ProfileStrings.h"

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
/// On Windows it is the letter followed by ":\\" ("E:\\"). Elsewhere there are
/// no drive letters: the configuration's [DriveRoots] section maps letters to
/// folders ("E=/media/site/CARD"); an unmapped letter gives the user's home
/// folder ($HOME), or "" (the current folder) when even that is unknown.
std::string DriveRootFor(const ProfileStrings& config, char letter);

}  // namespace tesslor
