#include "PerformCommands.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "CliCommands.h"
#include "makers/PerformList.h"
#include "platform/Paths.h"

namespace tesslor::cli {

namespace {

// The first line `show` prints for a perform list.
const std::string kShownKindLine = "kind=perform";

// Takes the NAME=VALUE lines of `show`'s output into list (the folder is the
// file's folder, as when a "Perform.txt" there is opened). False after the
// message when a line cannot be taken.
bool TakeShown(PerformList& list, const std::string& path, const std::string& bytes, std::ostream& err) {
    list.Entries.clear();
    std::istringstream in(bytes);
    std::string line;
    std::getline(in, line);  // the kind line
    long long number = 1;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t eq = line.find('=');
        std::string problem = "NAME=VALUE ではありません";
        if (eq == std::string::npos || !list.SetValue(line.substr(0, eq), line.substr(eq + 1), problem)) {
            err << "tesslor-cli: " << path << " " << number << "行目: " << problem << '\n';
            return false;
        }
    }
    list.PerformFolder = FolderOfFile(path);
    return true;
}

}  // namespace

int RunPerform(const PerformOptions& options, std::ostream& err) {
    StreamPrompter prompter(err);
    PerformList list;
    list.OpenWindow();
    if (!options.from.empty()) {
        std::string bytes;
        const bool shown = RealFileSystem().ReadAll(options.from, bytes) &&
                           bytes.compare(0, kShownKindLine.size() + 1, kShownKindLine + "\n") == 0;
        if (shown ? !TakeShown(list, options.from, bytes, err) : !list.Open(options.from, prompter))
            return kExitFailed;
    }
    for (const std::string& file : options.files) {
        // One refused file would leave a list the operator did not ask for.
        if (!list.Add(file, prompter)) {
            err << "tesslor-cli: 追加できなかったため、何も書き込んでいません: " << file << '\n';
            return kExitFailed;
        }
    }
    if (!list.Save(prompter)) return kExitFailed;
    err << kPerformSavedMessage << '\n';
    return kExitOk;
}

int RunShowPerform(const std::string& path, std::ostream& out, std::ostream& err) {
    StreamPrompter prompter(err);
    PerformList list;
    if (!list.Open(path, prompter)) return kExitFailed;
    out << "kind=" << list.Kind() << '\n';
    for (const std::string& name : list.FieldNames()) {
        // Each line fills its name with blanks to 30 bytes for the unit: the name alone is shown.
        std::string entry = list.Value(name).value_or("");
        entry.erase(entry.find_last_not_of(' ') + 1);
        out << name << '=' << entry << '\n';
    }
    out << std::flush;
    return kExitOk;
}

bool IsPerformFile(const std::string& path) {
    std::string name = FileNamePart(path);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == "perform.txt";
}

bool CheckPerformFile(const std::string& path, bool& ok, std::string& message) {
    if (!IsPerformFile(path)) return false;
    std::string bytes;
    if (!RealFileSystem().ReadAll(path, bytes)) {
        ok = false;
        message = path + "オープンエラー";
        return true;
    }
    message = CheckPerformBytes(bytes);
    ok = message.empty();
    return true;
}

}  // namespace tesslor::cli
