#pragma once
// What a card scan reads through: every file of the folder read once into
// memory and served from there to the readers, and anything they would write
// kept in memory as well, so a scan never writes into the card.
#include <map>
#include <string>
#include <vector>

#include "card/Card.h"
#include "platform/Files.h"

namespace tesslor {

class CardFiles : public FileSystem {
public:
    /// Files of folder (given without a trailing separator) read through disk.
    CardFiles(FileSystem& disk, std::string folder) : disk_(&disk), folder_(std::move(folder)) {}

    /// The path of a name in the folder.
    std::string PathOf(const std::string& name) const;
    /// Takes the file into memory: start when it is the whole file, else read
    /// again whole (at most the kind's limit beyond which nothing is read).
    /// False when it cannot be read.
    bool Load(const std::string& name, std::string start, bool startIsWhole, std::uintmax_t maxBytes);
    /// The bytes loaded for path ("" for none).
    const std::string& Bytes(const std::string& path) const;

    std::unique_ptr<OutputFile> Create(const std::string& path) override;
    std::unique_ptr<LineReader> OpenText(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool FolderExists(const std::string& path) override;

private:
    FileSystem* disk_;
    std::string folder_;
    std::map<std::string, std::string> loaded_;
    std::map<std::string, std::string> written_;
};

/// Whether a name is one that computers leave on a card for their own use: a
/// Mac's "._" files beside each file it copied, its .DS_Store and its
/// .Spotlight-V100, .Trashes and .fseventsd folders; Windows' Thumbs.db,
/// desktop.ini and System Volume Information folder. ASCII case is not told
/// apart. The unit passes them by; the scan never reads them.
bool IsLeftByComputer(const std::string& name);

/// "<name> を読み込めません".
std::string CardFileUnreadableMessage(const std::string& name);

/// The findings across the scanned files, appended to scan.findings.
/// leftByComputers are the folder's entries IsLeftByComputer names, files and
/// folders, in name order.
void AddCardFindings(CardScan& scan, CardFiles& files, const std::vector<FolderEntry>& leftByComputers);

}  // namespace tesslor
