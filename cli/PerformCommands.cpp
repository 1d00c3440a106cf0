#include "PerformCommands.h"

#include <algorithm>
#include <cctype>

#include "CliCommands.h"
#include "makers/PerformList.h"
#include "platform/Paths.h"

namespace tesslor::cli {

int RunPerform(const PerformOptions& options, std::ostream& err) {
    StreamPrompter prompter(err);
    PerformList list;
    list.OpenWindow();
    if (!options.from.empty() && !list.Open(options.from, prompter)) return kExitFailed;
    for (const std::string& file : options.files) {
        // One refused file would leave a list the operator did not ask for.
        if (!list.Add(file, prompter)) {
            err << "tesslor-cli: not added, nothing written: " << file << '\n';
            return kExitFailed;
        }
    }
    return list.Save(prompter) ? kExitOk : kExitFailed;
}

bool CheckPerformFile(const std::string& path, bool& ok, std::string& message) {
    std::string name = FileNamePart(path);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name != "perform.txt") return false;
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
