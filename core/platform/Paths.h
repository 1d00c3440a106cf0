#pragma once
// Paths and drive letters.
#include <string>

namespace tesslor {

/// The file-name part of a path: what follows the last "\", "/" or ":".
std::string FileNamePart(const std::string& path);

/// The folder part of a path, without the trailing separator ("" when none).
std::string FolderPart(const std::string& path);

/// The path with its extension (from the last "." of the file-name part)
/// replaced by suffix; suffix is appended when there is no extension.
/// "C:\\x\\Tesslor.exe" + ".INI" gives "C:\\x\\Tesslor.INI".
std::string ReplaceExtension(const std::string& path, const std::string& suffix);

/// The lower-case extension of the file-name part, without the dot ("" when none).
std::string LowerExtension(const std::string& path);

}  // namespace tesslor
