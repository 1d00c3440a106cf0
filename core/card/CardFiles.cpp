#include "card/CardFiles.h"

#include <algorithm>
#include <iterator>

#include "platform/Paths.h"

namespace tesslor {

namespace {
// Bytes written into memory, kept under their path on Commit.
class MemoryOutput : public OutputFile {
public:
    MemoryOutput(std::map<std::string, std::string>& into, std::string path) : into_(&into), path_(std::move(path)) {}
    bool Write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    bool Commit() override {
        (*into_)[path_] = std::move(bytes_);
        return true;
    }

private:
    std::map<std::string, std::string>* into_;
    std::string path_;
    std::string bytes_;
};
}  // namespace

std::string CardFiles::PathOf(const std::string& name) const {
    // Joined as the animation list joins its pictures' names, so that both
    // find the same file (Windows folders are written with "\").
    return PathInFolder(folder_, name);
}

bool CardFiles::Load(const std::string& name, std::string start, bool startIsWhole, std::uintmax_t maxBytes) {
    const std::string path = PathOf(name);
    if (startIsWhole) {
        loaded_[path] = std::move(start);
        return true;
    }
    std::string bytes;
    // One byte more than the limit tells a file that grew since it was listed.
    if (!disk_->ReadPrefix(path, static_cast<std::size_t>(maxBytes) + 1, bytes) || bytes.size() > maxBytes) return false;
    loaded_[path] = std::move(bytes);
    return true;
}

const std::string& CardFiles::Bytes(const std::string& path) const {
    static const std::string kNone;
    auto it = loaded_.find(path);
    return it == loaded_.end() ? kNone : it->second;
}

std::unique_ptr<OutputFile> CardFiles::Create(const std::string& path) {
    return std::make_unique<MemoryOutput>(written_, path);
}

std::unique_ptr<LineReader> CardFiles::OpenText(const std::string& path) {
    auto it = loaded_.find(path);
    if (it == loaded_.end()) return nullptr;
    // The map's nodes stay where they are while the scan reads.
    return std::make_unique<ViewLineReader>(it->second);
}

bool CardFiles::ReadAll(const std::string& path, std::string& bytes) {
    auto it = loaded_.find(path);
    if (it == loaded_.end()) return false;
    bytes = it->second;
    return true;
}

bool CardFiles::FolderExists(const std::string& path) { return path == folder_ || disk_->FolderExists(path); }

bool IsLeftByComputer(const std::string& name) {
    if (name.rfind("._", 0) == 0) return true;
    static const char* const kNames[] = {".ds_store",  ".spotlight-v100", ".trashes", ".fseventsd",
                                         "thumbs.db",  "desktop.ini",     "system volume information"};
    return std::find(std::begin(kNames), std::end(kNames), FoldedName(name)) != std::end(kNames);
}

std::string CardFileUnreadableMessage(const std::string& name) { return name + " を読み込めません"; }

}  // namespace tesslor
