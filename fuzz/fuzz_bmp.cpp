// Arbitrary bytes through the BMP reader; whatever it accepts is converted into
// a picture and must survive a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/Bitmap.h"
#include "platform/BmpCodec.h"
#include "led/Ledhyoujiki.h"
#include "platform/MemoryImage.h"
#include "platform/NullSurface.h"
#include "platform/Prompter.h"
#include "FuzzSupport.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    static NullSurface surface;
    static LedHyoujikiClass doc(surface);

    MemoryImage image;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!DecodeBmp(bytes, image)) return 0;
    ReplacePictureWith(image, doc);

    MemoryImage again;
    if (!DecodeBmp(EncodeBmp24(image), again) || again.Pixels() != image.Pixels()) __builtin_trap();
    return 0;
}
