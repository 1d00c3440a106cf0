#pragma once
// Writing a prepared folder onto the card: every file of a known kind copied
// whole (a temporary file, then a rename), read back and compared byte for
// byte, Perform.txt last so the unit never finds a list naming a file not yet
// written. At the first failure it stops; the files written before stay
// complete and no partial file is left.
#include <functional>
#include <string>
#include <vector>

#include "card/Card.h"

namespace tesslor {

struct CardWriteResult {
    std::vector<std::string> written;     ///< names written and verified, in order
    std::string failedName;               ///< the file the write stopped at ("" when none)
    std::string failure;                  ///< why, in Japanese ("" when none)
    bool cancelled = false;               ///< stopped between files on request
    std::vector<CardFinding> leftAlone;   ///< files on the card the source lacks (注意)
    bool Succeeded() const { return failure.empty() && !cancelled; }
};

/// Before each file: its index (from 0), the number of files and its name.
/// Returning false stops before that file (cancel between files).
using CardWriteProgress = std::function<bool(std::size_t index, std::size_t count, const std::string& name)>;

/// The files of source, in the order they are written: every file of a known
/// kind in name order, Perform.txt last.
std::vector<std::string> CardWriteOrder(const CardScan& source);

/// Writes the files of source (scanned before) into the folder card. written
/// is told of each file once it is in place and verified. The result says
/// what was done; a card folder that does not exist, or is the source
/// folder itself, fails before anything is written.
CardWriteResult WriteCard(FileSystem& files, const CardScan& source, const std::string& card,
                          const CardWriteProgress& progress = {},
                          const std::function<void(const std::string& name)>& written = {});

/// "NAME: 書き込み完了", the line reported for each file written.
std::string CardWrittenLine(const std::string& name);

}  // namespace tesslor
