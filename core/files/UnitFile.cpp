#include "files/UnitFile.h"

#include "platform/Paths.h"
#include "text/ShiftJis.h"

namespace tesslor {

bool FileNameFitsUnit(const std::string& path) { return NameFitsUnit(FileNamePart(path)); }

bool NameFitsUnit(const std::string& name) {
    const auto length = ShiftJisLength(name);
    return length && *length <= kUnitNameBytes;
}

bool WriteWholeFile(FileSystem& files, const std::string& path, const std::function<bool(OutputFile&)>& write,
                    std::string& message, const std::string& openError, const std::string& writeError) {
    std::unique_ptr<OutputFile> out = files.Create(path);
    if (!out) {
        message = CreateRefusal(files, path, openError);
        return false;
    }
    // An uncommitted file is dropped when out goes, so a card that is full or
    // pulled halfway keeps its earlier file whole.
    if (!write(*out) || !out->Commit()) {
        message = writeError;
        return false;
    }
    return true;
}

}  // namespace tesslor
