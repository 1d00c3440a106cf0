#pragma once
// Putting a file on the unit's card without ever losing the one already there.
#include <functional>
#include <string>

#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor {

/// Creates the file beside its target, lets write() fill it and puts it in
/// place only when all of it was written. Shows openError when it cannot be
/// created and writeError when write() or the final step fails; the earlier
/// file then stays exactly as it was. True when the new file is in place.
bool WriteWholeFile(FileSystem& files, Prompter& prompter, const std::string& path,
                    const std::function<bool(OutputFile&)>& write, const std::string& openError = "ファイルオープンエラー",
                    const std::string& writeError = "ファイルライトエラー");

}  // namespace tesslor
