// Feeds arbitrary bytes to the animation data file checker. It must say
// exactly one thing about a file it refuses and nothing about one it passes,
// and a file it passes holds at least the define section and one picture.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "makers/AnimationList.h"

namespace {

class CountingPrompter : public tesslor::fuzz::SilentPrompter {
public:
    void Inform(const std::string&) override { ++count; }
    int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    CountingPrompter prompter;
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    const bool ok = CheckAnimationData(in, prompter);
    if (prompter.count != (ok ? 0 : 1)) __builtin_trap();
    // Ten define lines, a picture's five keyword lines and the closing line of
    // 31 bytes each (a bare line feed being the shortest line end), and 160
    // data lines of at least "$000:" and a line feed.
    if (ok && size < (10 + 5 + 1) * 31u + 160 * 6u) __builtin_trap();
    return 0;
}
