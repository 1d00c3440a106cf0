#pragma once
// The card as one thing: every file of the one folder the display unit reads
// (not its subfolders), each with its kind told by content, its reader's
// verdict and a short summary, and the findings across files: a list that
// names a file the card lacks, two pictures in one table slot, an animation
// saved before one of its pictures changed. A scan reads each file once into
// memory and never writes into the folder.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "led/Ledhyoujiki.h"
#include "platform/Files.h"
#include "platform/MemoryImage.h"

namespace tesslor {

enum class CardKind {
    Picture,        ///< "picture": .lee
    OldPicture,     ///< "old-picture": .led
    Animation,      ///< "animation": .ana
    AnimationList,  ///< "animation-list": .alt or files.txt
    Text,           ///< "text": .mon
    Settings1,      ///< "settings1"
    Settings2,      ///< "settings2"
    Settings3,      ///< "settings3"
    Schedule,       ///< "schedule"
    Perform,        ///< "perform": Perform.txt
    Co2,            ///< "co2"
    Bitmap,         ///< "bitmap": .bmp, .png
    Other,          ///< "other"
};

/// The kind's word as tesslor-cli prints it ("picture", "animation-list", ...).
const char* CardKindWord(CardKind kind);
/// The kind in Japanese, as the card window shows it.
const char* CardKindCaption(CardKind kind);
/// Whether the display unit itself reads files of the kind (the others are
/// the editor's own: old pictures, lists, text tables, bitmaps).
bool UnitReadsKind(CardKind kind);

/// One file of the card.
struct CardFile {
    std::string name;  ///< bare name, UTF-8
    CardKind kind = CardKind::Other;
    bool ok = true;
    std::string status;  ///< "OK" or the reader's message
    /// key=value pairs in print order: writeno, mode, width; type, writeno,
    /// pictures, time; entries.
    std::vector<std::pair<std::string, std::string>> summary;
    std::uintmax_t size = 0;

    // What the findings need.
    int writeNo = -1;                  ///< pictures and animations; -1 when unknown
    bool superAnimation = false;       ///< animations
    std::vector<std::string> entries;  ///< perform lists and animation lists, in order
    /// The summary's value for key, "" when it has none.
    std::string Summary(const std::string& key) const;
};

enum class CardSeverity {
    Error,    ///< "エラー": the unit will not show what the operator prepared
    Caution,  ///< "注意"
};
/// "エラー" or "注意".
const char* CardSeverityWord(CardSeverity severity);

struct CardFinding {
    CardSeverity severity = CardSeverity::Caution;
    std::string message;             ///< names every file involved
    std::vector<std::string> files;  ///< the names involved, for the window
};

struct CardScan {
    std::string folder;
    std::vector<CardFile> files;  ///< in byte order of the names
    std::vector<CardFinding> findings;

    /// The file of that name (the unit's card is case-blind: ASCII letters
    /// match either case); nullptr when the card has none.
    const CardFile* Find(const std::string& name) const;
    /// The 1-based line of Perform.txt naming the file, 0 when none does.
    int PerformPosition(const std::string& name) const;
    /// True when no file of a kind the unit reads failed and no finding is an エラー.
    bool Passed() const;
    /// How many findings are エラー.
    int ErrorCount() const;

    /// Builds the lookups of Find and PerformPosition; ScanCard does it once the files are read.
    void Index();

private:
    std::map<std::string, std::size_t> exact_;   // name → index in files
    std::map<std::string, std::size_t> folded_;  // name with ASCII letters in lower case → first such file
    std::map<std::string, int> performLines_;    // name of a listed file → its first line
};

struct CardScanOptions {
    DisplayShape shape;         ///< the display pictures are read for
    WriteNoCheck checkWriteNo;  ///< the write-number rule of the configuration; every number passes when empty
    /// Makes the image bitmaps are read into, over the given files; a plain
    /// MemoryImage (BMP only) when empty.
    std::function<std::unique_ptr<RgbImage>(FileSystem&)> newImage;
};

/// Most bytes a file of the kind can hold; a larger one is refused unread.
std::uintmax_t CardKindMaxBytes(CardKind kind);

/// Scans folder. False, with message set in Japanese, when the folder does
/// not exist or cannot be read.
bool ScanCard(FileSystem& files, const std::string& folder, const CardScanOptions& options, CardScan& scan,
              std::string& message);

/// Reads the one file at path as a scan of its folder reads it: its kind from
/// its name and content, the reader's verdict and the summary. False when
/// the file cannot be read or its reader refuses it (file.status says why).
bool ScanCardFile(FileSystem& files, const std::string& path, const CardScanOptions& options, CardFile& file);
/// The message for a folder that is not there.
std::string CardFolderMissingMessage(const std::string& folder);

}  // namespace tesslor
