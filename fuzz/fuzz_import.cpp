// Arbitrary bytes through the import path: the first byte picks the options
// (colour, dithering, fit, 反転, a board of one, two or five panel rows), the
// second the threshold, the rest is a GIF whose frames are composed and put
// onto the board. Nothing may crash, hang, read outside an image or allocate
// for sizes the bytes merely claim; the dots must stay within the enabled rows.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/GifFile.h"
#include "led/ImageImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    if (size < 2) return 0;
    const std::uint8_t pick = data[0];
    ImportOptions o;
    o.colour = static_cast<ImportColour>(pick & 3);
    o.dither = static_cast<ImportDither>((pick >> 2) % 3);
    o.fit = (pick & 0x10) != 0;
    o.invert = (pick & 0x20) != 0;
    o.threshold = data[1];
    o.x = static_cast<int>(pick) - 128;
    o.y = static_cast<int>(data[1] & 0x3F) - 32;
    const DisplayShape shape{(pick >> 6) == 0 ? 1 : (pick >> 6) == 1 ? 2 : 5, 5, (pick & 0x40) ? 1 : 2};
    const std::string_view gif(reinterpret_cast<const char*>(data + 2), size - 2);
    // Screens past 65,536 pixels are refused here only to leave the fuzzer its
    // time for parsing; the reader itself takes up to 8192 a side.
    if (gif.size() >= 10) {
        const long w = static_cast<std::uint8_t>(gif[6]) | (static_cast<std::uint8_t>(gif[7]) << 8);
        const long h = static_cast<std::uint8_t>(gif[8]) | (static_cast<std::uint8_t>(gif[9]) << 8);
        if (w * h > 65536) return 0;
    }
    int frames = 0;
    ForEachGifFrame(gif, [&](const RgbaImage& screen, int) {
        const PictureDots dots = ImportImageDots(screen, o, shape);
        for (int y = EnabledDotRows(shape); y < PictureDots::kRows; ++y)
            for (int x = 0; x < PictureDots::kColumns; ++x)
                if (dots.Get(x, y) != kOff) __builtin_trap();
        return ++frames < 8;
    });
    return 0;
}
