// A build without Qt (the Windows tool) cannot draw text in real fonts: it
// reads the text message file, so that a broken one still gets its message,
// and then says what it lacks.
#include "TextCommands.h"
#include "makers/MongonTable.h"

namespace tesslor::cli {

bool ReadTextMessagePicture(DocumentFiles& files, const std::string& path) {
    MongonTable table;
    if (!ReadWholeTextMessageFile(files, path, table)) return false;
    files.Messages().Inform(kNoTextPictureMessage);
    return false;
}

}  // namespace tesslor::cli
