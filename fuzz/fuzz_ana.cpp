// Feeds arbitrary bytes to the animation data file checker. It must say
// a message about a file it refuses and nothing about one it passes,
// and a file it passes holds at least the define section and one picture.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "makers/AnimationList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    std::string message;
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    const bool ok = CheckAnimationData(in, message);
    if (message.empty() != ok) __builtin_trap();
    // Ten define lines, a picture's five keyword lines and the closing line of
    // 31 bytes each (a bare line feed being the shortest line end), and 160
    // data lines of at least "$000:" and a line feed.
    if (ok && size < (10 + 5 + 1) * 31u + 160 * 6u) __builtin_trap();
    return 0;
}
