// Feeds arbitrary bytes to the animation list loader. Whatever it accepts
// must give numbers that read back as themselves, and a list written out
// again from what was loaded must load to the same list.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "makers/AnimationList.h"
#include "text/ShiftJis.h"

namespace {

using namespace tesslor;

// One list file held in memory; nothing can be written.
class OneFileSystem : public FileSystem {
public:
    std::string bytes;
    std::unique_ptr<OutputFile> Create(const std::string&) override { return nullptr; }
    std::unique_ptr<LineReader> OpenText(const std::string&) override {
        return std::make_unique<MemoryLineReader>(bytes);
    }
    bool ReadAll(const std::string&, std::string& out) override {
        out = bytes;
        return true;
    }
    bool FolderExists(const std::string&) override { return true; }
};

// The list's lines as the maker writes them; nothing when an entry has no
// Shift-JIS form that reads back the same.
std::optional<std::string> ListBytes(const AnimationList& list) {
    std::string out = list.Type == kAnimationNormal ? "ANIMATION_QUALITY_NORMAL\r\n" : "ANIMATION_QUALITY_SUPER\r\n";
    out += list.WriteNoText + "\r\n" + list.TimeText + "\r\n";
    for (const std::string& entry : list.Entries) {
        std::optional<std::string> sjis = ToShiftJis(entry);
        if (!sjis || FromShiftJis(*sjis) != entry) return std::nullopt;
        out += *sjis + "\r\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentPrompter prompter;
    OneFileSystem files;
    files.bytes.assign(reinterpret_cast<const char*>(data), size);
    AnimationList list(files);
    if (!list.LoadAnimationList("/card/anim.alt", prompter)) return 0;
    if (list.PictureFolder != "/card" || list.CurrentFile != "/card/anim.alt" || list.Modified) __builtin_trap();
    if (std::to_string(std::stoi(list.WriteNoText)) != list.WriteNoText) __builtin_trap();
    if (std::to_string(std::stoi(list.TimeText)) != list.TimeText) __builtin_trap();

    std::optional<std::string> again = ListBytes(list);
    if (!again) return 0;
    OneFileSystem copyFiles;
    copyFiles.bytes = *again;
    AnimationList copy(copyFiles);
    if (!copy.LoadAnimationList("/card/anim.alt", prompter)) __builtin_trap();
    if (copy.Type != list.Type || copy.WriteNoText != list.WriteNoText || copy.TimeText != list.TimeText ||
        copy.Entries != list.Entries)
        __builtin_trap();
    return 0;
}
