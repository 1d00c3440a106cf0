// Arbitrary bytes as a GIF: the reader may not crash, hang or allocate for
// sizes the bytes merely claim, and what it reads must survive being written
// and read again with the same frames and delays.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/GifFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Screens the reader accepts reach 16 million pixels; clearing such a
    // canvas on every run would leave no time for the parsing the fuzzer is for.
    if (size >= 10 && (data[6] | (data[7] << 8)) * static_cast<long>(data[8] | (data[9] << 8)) > 65536) return 0;
    const std::optional<DecodedGif> gif = DecodeGif(bytes);
    if (!gif || gif->frames.empty() || static_cast<long long>(gif->width) * gif->height > 65536) return 0;
    const std::optional<std::string> again = EncodeAnimatedGif(gif->frames);
    if (!again) __builtin_trap();
    const std::optional<DecodedGif> back = DecodeGif(*again);
    if (!back || back->frames.size() != gif->frames.size()) __builtin_trap();
    for (std::size_t k = 0; k < back->frames.size(); ++k)
        if (back->frames[k].delayCs != gif->frames[k].delayCs) __builtin_trap();
    return 0;
}
