// Feeds arbitrary bytes to the card check as the files of one card folder
// (split at each 0xFF byte into Perform.txt, a picture, an animation and its
// list, a settings file and a text table). Whatever they hold, the scan lists
// every file once, in name order, never writes, and a card that passes has no
// failed file the unit reads and no エラー.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "card/Card.h"

namespace {

using namespace tesslor;

const char* const kNames[] = {"Perform.txt", "a.lee", "m.ana", "m.alt", "setei.txt", "t.mon"};
const std::string kFolder = "/fuzz-card";

class CardInMemory : public FileSystem {
public:
    std::map<std::string, std::string> files;  // bare name → bytes
    std::unique_ptr<OutputFile> Create(const std::string&) override { __builtin_trap(); }
    std::unique_ptr<LineReader> OpenText(const std::string& path) override {
        const auto it = files.find(Name(path));
        if (it == files.end()) return nullptr;
        return std::make_unique<MemoryLineReader>(it->second);
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        const auto it = files.find(Name(path));
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool FolderExists(const std::string& path) override { return path == kFolder; }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        entries.clear();
        if (folder != kFolder) return false;
        for (const auto& [name, bytes] : files) entries.push_back({name, FolderEntry::Type::File, bytes.size()});
        return true;
    }

private:
    static std::string Name(const std::string& path) {
        return path.rfind(kFolder + "/", 0) == 0 ? path.substr(kFolder.size() + 1) : std::string();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CardInMemory card;
    std::string part;
    std::size_t next = 0;
    for (std::size_t i = 0; i <= size && next < std::size(kNames); ++i) {
        if (i == size || data[i] == 0xFF) {
            card.files[kNames[next++]] = part;
            part.clear();
        } else {
            part.push_back(static_cast<char>(data[i]));
        }
    }
    CardScanOptions options;
    options.checkWriteNo = fuzz::AnyWriteNo;
    CardScan scan;
    std::string message;
    if (!ScanCard(card, kFolder, options, scan, message)) __builtin_trap();
    if (scan.files.size() != card.files.size()) __builtin_trap();
    for (std::size_t i = 1; i < scan.files.size(); ++i)
        if (!(scan.files[i - 1].name < scan.files[i].name)) __builtin_trap();
    for (const CardFile& f : scan.files) {
        if (f.ok != (f.status == "OK")) __builtin_trap();
        if (!scan.Find(f.name)) __builtin_trap();
    }
    if (scan.Passed()) {
        for (const CardFinding& f : scan.findings)
            if (f.severity == CardSeverity::Error) __builtin_trap();
    }
    return 0;
}
