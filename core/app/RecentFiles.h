#pragma once
// The files last opened or saved, newest first, for ファイル → 最近使ったファイル,
// and the kinds of file the editor opens by name (from that list or dropped
// on its window).
#include <optional>
#include <string>
#include <vector>

#include "platform/ProfileStrings.h"

namespace tesslor {

inline constexpr int kMaxRecentFiles = 8;

/// The list kept in a profile ([RecentFiles] File1 … File8), or in memory only.
class RecentFiles {
public:
    /// profile may be nullptr: the list then lives for the run only.
    explicit RecentFiles(ProfileStrings* profile);

    const std::vector<std::string>& Paths() const { return paths_; }
    /// Puts path first (from wherever it stood), keeps the newest eight and
    /// writes them. An empty path changes nothing.
    void Add(const std::string& path);
    /// Takes path out of the list (if it is there) and writes the rest.
    void Remove(const std::string& path);

private:
    void Write();
    ProfileStrings* profile_;
    std::vector<std::string> paths_;
};

/// The question asked when a listed file cannot be found any more: the list
/// keeps it on No, as for a file on a card that is only not inserted.
std::string RecentFileMissingQuestion(const std::string& path);

/// What the editor does with a file given by name.
enum class OpenedKind { LedData, OldLed, Bitmap, Png };
/// By the extension, in any case: .lee, .led, .bmp, .png; nothing for others.
std::optional<OpenedKind> OpenedKindOf(const std::string& path);
/// Images the editor takes only through 画像の読み込み (.jpg .jpeg .gif .webp
/// .tif .tiff, in any case): dropped on the window, they open its window.
bool IsImportImageName(const std::string& path);
/// Said when a file of another kind is given to open:
/// "<path> は開けません（.lee .led .bmp .png のファイルを開けます）".
std::string UnknownKindMessage(const std::string& path);

}  // namespace tesslor
