#pragma once
// Which configuration file a program reads when none is named: the one beside
// the executable, else the user's, else the system's.
#include <string>

namespace tesslor {

/// The name of the configuration file in the user's and the system's folders.
inline constexpr const char* kSharedConfigFileName = "tesslor.INI";

/// The system-wide configuration folder: "/etc", or "" in a Windows build,
/// which has none to look in.
std::string SystemConfigFolder();

/// The user's configuration folder for Tesslor, from the values of
/// XDG_CONFIG_HOME and HOME (null when unset): "<XDG_CONFIG_HOME>/Tesslor" when
/// that is an absolute path, else "<HOME>/.config/Tesslor", else "" (unknown).
std::string UserConfigFolderFrom(const char* xdgConfigHome, const char* home);

/// UserConfigFolderFrom with this process's environment.
std::string UserConfigFolder();

/// Whether folder is one the system installs programs into ("/usr/bin",
/// "/usr/local/bin", "/bin", "/opt/..." and the like): files the program
/// writes for itself never go there, even for a user allowed to write there.
bool IsInstalledProgramFolder(const std::string& folder);

/// The configuration file to read: besidePath when that file exists, else
/// "<userFolder>/tesslor.INI", else "<systemFolder>/tesslor.INI", the first
/// that exists; when none does, besidePath, which then reads as the defaults.
/// An empty folder is not looked in.
std::string ChooseConfigFile(const std::string& besidePath, const std::string& userFolder,
                             const std::string& systemFolder);

}  // namespace tesslor
