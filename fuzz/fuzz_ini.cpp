// Arbitrary bytes as the configuration file: the start-up rules must always
// give a valid configuration, and a value written into the file must read back.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "app/Drives.h"
#include "app/StartupConfig.h"
#include "platform/IniProfile.h"

namespace {

using namespace tesslor;

// One file held in memory; Commit() replaces it.
class OneFileSystem : public FileSystem {
public:
    std::string bytes;

    std::unique_ptr<OutputFile> Create(const std::string&) override {
        class Out : public OutputFile {
        public:
            explicit Out(std::string& target) : target_(target) {}
            bool Write(std::string_view b) override {
                pending_.append(b);
                return true;
            }
            bool Commit() override {
                target_ = pending_;
                return true;
            }

        private:
            std::string& target_;
            std::string pending_;
        };
        return std::make_unique<Out>(bytes);
    }
    std::unique_ptr<LineReader> OpenText(const std::string&) override {
        return std::make_unique<MemoryLineReader>(bytes);
    }
    bool ReadAll(const std::string&, std::string& out) override {
        out = bytes;
        return true;
    }
    bool FolderExists(const std::string&) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OneFileSystem fs;
    fs.bytes.assign(reinterpret_cast<const char*>(data), size);
    IniProfile profile("tesslor.INI", fs);

    const StartupConfig c = ReadStartupConfig(profile);
    if (c.NanSyoku != -1 && c.NanSyoku != 1 && c.NanSyoku != 2) __builtin_trap();
    if (c.TateMaisuu > 5 || c.YokoMaisuu > 5) __builtin_trap();
    if (c.CustomerMode != "root" && c.CustomerMode != "customer51_60" && c.CustomerMode != "customer")
        __builtin_trap();
    ReadKiki(profile);
    DriveRootFor(profile, 'E');

    // The drive letter the editor stores at close must come back as written.
    if (profile.WriteString("Drive", "Drive", "E")) {
        if (profile.ReadString("Drive", "Drive", "") != "E") __builtin_trap();
        // Whatever else the file held still reads as before.
        const StartupConfig again = ReadStartupConfig(profile);
        if (!(again == c)) __builtin_trap();
    }
    return 0;
}
