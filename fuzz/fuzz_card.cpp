// Feeds arbitrary bytes to the card check as the files of one card folder
// (split at each 0xFF byte into Perform.txt, a picture, an animation and its
// list, a settings file and a text table; any parts after them come in pairs,
// a file's name and its bytes, a name ending in "/" making a folder).
// Whatever they hold, the scan lists every file once, in name order, never
// writes, never reads a file a computer left there, and a card that passes
// has no failed file the unit reads and no エラー.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "card/Card.h"
#include "card/CardWrite.h"
#include "card/CardFiles.h"

namespace {

using namespace tesslor;

const char* const kNames[] = {"Perform.txt", "a.lee", "m.ana", "m.alt", "setei.txt", "t.mon"};
const std::string kFolder = "/fuzz-card";

class CardInMemory : public FileSystem {
public:
    std::map<std::string, std::string> files;  // bare name → bytes
    std::vector<std::string> folders;
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
        for (const std::string& name : folders) entries.push_back({name, FolderEntry::Type::Folder, 0});
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
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF)
            parts.emplace_back();
        else
            parts.back().push_back(static_cast<char>(data[i]));
    }
    for (std::size_t i = 0; i < parts.size() && i < std::size(kNames); ++i) card.files[kNames[i]] = parts[i];
    std::set<std::string> leftByComputers;
    for (std::size_t i = std::size(kNames); i < parts.size(); i += 2) {
        std::string name = parts[i];
        const bool folder = !name.empty() && name.back() == '/';
        if (folder) name.pop_back();
        // A folder lists bare names only: never a "/" or a NUL, never "." or
        // "..", never one of the scan's own unfinished saves.
        const bool separator = name.find_first_of(std::string("/\0", 2)) != std::string::npos;
        if (name.empty() || name == "." || name == ".." || separator || IsCardWriteWorkFile(name) || card.files.count(name))
            continue;
        if (IsLeftByComputer(name)) leftByComputers.insert(name);
        if (folder)
            card.folders.push_back(name);
        else
            card.files[name] = i + 1 < parts.size() ? parts[i + 1] : std::string();
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
        if (IsLeftByComputer(f.name) && (f.kind != CardKind::Other || !f.ok)) __builtin_trap();
    }
    // Whatever computers left is told in one caution, naming each of them.
    std::size_t noted = 0;
    for (const CardFinding& f : scan.findings) {
        if (f.files.empty() || !IsLeftByComputer(f.files.front())) continue;
        if (f.severity != CardSeverity::Caution || ++noted > 1) __builtin_trap();
        if (std::set<std::string>(f.files.begin(), f.files.end()) != leftByComputers) __builtin_trap();
    }
    if (noted != (leftByComputers.empty() ? 0u : 1u)) __builtin_trap();
    if (scan.Passed()) {
        for (const CardFinding& f : scan.findings)
            if (f.severity == CardSeverity::Error) __builtin_trap();
    }
    return 0;
}
