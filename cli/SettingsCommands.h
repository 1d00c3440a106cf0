#pragma once
// tesslor-cli's settings files: `make` fills a settings window's form as the
// operator would and writes its file, `show` prints a file's form, and `check`
// opens settings files with their window's reader.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tesslor::cli {

/// One `--set NAME=VALUE` or `--set-file FILE`, in the order given.
struct FormAssignment {
    bool fromFile = false;  ///< text is a file of NAME=VALUE lines
    std::string text;       ///< "NAME=VALUE", or the file's path
};

struct MakeOptions {
    std::string kind;  ///< settings1, settings2, settings3, co2, schedule or text
    std::string from;  ///< "" for none
    bool standard = false;
    bool windOnly = false;
    std::vector<FormAssignment> assignments;
    std::string output;
};

/// The assignments in the order given, each --set-file's NAME=VALUE lines in
/// its place (blank lines skipped, CR LF taken as LF). False, with why set,
/// when a --set-file cannot be read.
bool ExpandAssignments(const std::vector<FormAssignment>& given, std::vector<std::string>& assignments,
                       std::string& why);

/// The window's steps in order: its state at creation, --from (its 開く),
/// --standard (標準設定), --wind-only, the assignments, then its check and its
/// write. Messages go to err as the window shows them. Returns 0, 1 (an open,
/// check or write failed; nothing written) or 2 (a name the window does not
/// have, a bad box value, --from or --wind-only where the kind has none).
int RunMake(const MakeOptions& options, std::ostream& err);

/// Opens path with the reader of its kind (found from the content) and prints
/// "kind=KIND" and one "NAME=VALUE" line per control. Returns 0, 1 (the
/// reader failed) or 2 (a file of no kind that can be shown).
int RunShow(const std::string& path, std::ostream& out, std::ostream& err);

/// Whether path holds a settings, schedule or CO2 reduction setting file, told by its content.
bool IsSettingsFile(const std::string& path);

/// For `check`: when path is a settings file (by content), opens it with its
/// reader, sets message to its first failure ("" when it opened) and returns
/// true; returns false for any other file.
bool CheckSettingsFile(const std::string& path, bool& ok, std::string& message);

}  // namespace tesslor::cli
