#pragma once
// Paths and drive letters.
#include <filesystem>
#include <string>
#include <string_view>

namespace tesslor {

/// The file-name part of a path: what follows the last "\", "/" or ":".
std::string FileNamePart(const std::string& path);

/// The folder part of a path, without the trailing separator ("" when none).
std::string FolderPart(const std::string& path);

/// The path with its extension (from the last "." of the file-name part)
/// replaced by suffix; suffix is appended when there is no extension.
/// "C:\\x\\Tesslor.exe" + ".INI" gives "C:\\x\\Tesslor.INI".
std::string ReplaceExtension(const std::string& path, const std::string& suffix);

/// The folder a file lies in, as a list of one folder's files fixes it:
/// "." for a bare name, the root kept for a file in it ("/x" lies in "/",
/// "E:\\x" in "E:\\", "E:x" in "E:").
std::string FolderOfFile(const std::string& path);

/// A folder in a form two spellings of the same folder share: both
/// separators read as "/", made absolute, links and "." and ".." resolved as
/// far as the folder exists, no trailing separator. It never depends on
/// which folder a dialog left current: "" and "." are the process's folder.
std::string CanonicalFolder(const std::string& folder);

/// A UTF-8 name as the standard library's path, and back. (Given plain bytes,
/// the library on Windows would take them in the ANSI code page, and a
/// Japanese name would come out garbled.)
std::filesystem::path PathOfUtf8(std::string_view utf8);
std::string Utf8OfPath(const std::filesystem::path& path);

/// Whether two folders are the same folder, however spelt.
bool SameFolder(const std::string& a, const std::string& b);

/// name in folder, joined with the separator folder already uses ("/" unless
/// it is spelt with "\\" only); name alone when folder is "".
std::string PathInFolder(const std::string& folder, const std::string& name);

/// The lower-case extension of the file-name part, without the dot ("" when none).
std::string LowerExtension(const std::string& path);

/// name with its ASCII letters in lower case: names the card's file system
/// takes for the same file ("KION.LEE" and "kion.lee") fold to one.
std::string FoldedName(std::string name);

}  // namespace tesslor
