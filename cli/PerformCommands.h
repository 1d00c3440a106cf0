#pragma once
// tesslor-cli's perform lists: `perform` builds "Perform.txt" as the perform
// list maker does, and `check` reads files named "Perform.txt".
#include <ostream>
#include <string>
#include <vector>

namespace tesslor::cli {

struct PerformOptions {
    /// a "Perform.txt" to start from, or what `show` printed of one ("" to start empty)
    std::string from;
    std::vector<std::string> files;  ///< files to add in order, as 追加 does
};

/// Starts empty, or from the lines of `from` as 開く loads them, or from the
/// EntryN=NAME lines `show` printed into `from` (its folder is then the
/// list's folder), adds each file
/// as 追加 does (the files need not exist; their folder is the rule's folder),
/// then saves "Perform.txt" in the list's folder as 保存 does. Messages go to
/// err. Returns 0, or 1 when the load, an addition (nothing is then written)
/// or the save failed.
int RunPerform(const PerformOptions& options, std::ostream& err);

/// `show` of a perform list: opens it as 開く does and prints "kind=perform"
/// and one EntryN=NAME line per entry, the name without the blanks that fill
/// its line. Returns 0, or 1 when the file cannot be read (its message on err).
int RunShowPerform(const std::string& path, std::ostream& out, std::ostream& err);

/// Whether path names a file "Perform.txt" (in any case).
bool IsPerformFile(const std::string& path);

/// For `check`: when path names a file "Perform.txt" (in any case), checks
/// its lines, sets ok and message (the first fault, "" when good) and returns
/// true; false for any other file.
bool CheckPerformFile(const std::string& path, bool& ok, std::string& message);

}  // namespace tesslor::cli
