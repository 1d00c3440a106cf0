#include "app/RecentFiles.h"

#include <algorithm>
#include <cctype>

#include "platform/Paths.h"

namespace tesslor {

namespace {
constexpr const char* kSection = "RecentFiles";
std::string Key(int n) { return "File" + std::to_string(n); }
}  // namespace

RecentFiles::RecentFiles(ProfileStrings* profile) : profile_(profile) {
    if (!profile_) return;
    for (int n = 1; n <= kMaxRecentFiles; ++n) {
        const std::string path = profile_->ReadString(kSection, Key(n), "");
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > static_cast<std::size_t>(kMaxRecentFiles)) paths_.resize(kMaxRecentFiles);
    Write();
}

void RecentFiles::Remove(const std::string& path) {
    const auto end = std::remove(paths_.begin(), paths_.end(), path);
    if (end == paths_.end()) return;
    paths_.erase(end, paths_.end());
    Write();
}

void RecentFiles::Write() {
    if (!profile_) return;
    // A list that cannot be written is only a convenience lost, never an error to show.
    for (int n = 1; n <= kMaxRecentFiles; ++n)
        profile_->WriteString(kSection, Key(n), n <= static_cast<int>(paths_.size()) ? paths_[n - 1] : "");
}

std::string RecentFileMissingQuestion(const std::string& path) {
    return "「" + path + "」が見つかりません。最近使ったファイルの一覧から外しますか？";
}

bool IsImportImageName(const std::string& path) {
    const std::string ext = LowerExtension(path);
    for (const char* image : {"jpg", "jpeg", "gif", "webp", "tif", "tiff"})
        if (ext == image) return true;
    return false;
}

std::optional<OpenedKind> OpenedKindOf(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == "lee") return OpenedKind::LedData;
    if (ext == "led") return OpenedKind::OldLed;
    if (ext == "bmp") return OpenedKind::Bitmap;
    if (ext == "png") return OpenedKind::Png;
    return std::nullopt;
}

std::string UnknownKindMessage(const std::string& path) {
    return path + " は開けません（.lee .led .bmp .png のファイルを開けます）";
}

}  // namespace tesslor
