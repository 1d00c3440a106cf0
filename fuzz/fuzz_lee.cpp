// Feeds arbitrary bytes to the LED data file reader. Whatever it accepts must
// write out and read back to the same bytes.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "files/LedDataFile.h"
#include "platform/NullSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    static NullSurface surface;
    static fuzz::SilentPrompter prompter;
    static LedHyoujikiClass doc(surface);
    static LedHyoujikiClass copy(surface);
    fuzz::CheckRoundTrip(
        data, size, doc, copy, prompter,
        [](LedHyoujikiClass& d, LineReader& in, Prompter&) {
            // The reader that takes the dots into the document itself.
            bool (*read)(LedHyoujikiClass&, LineReader&, const WriteNoCheck&, std::string&) = &ReadLedData;
            return fuzz::ReadPicture(read, d, in);
        },
        [](const LedHyoujikiClass& d, OutputFile& out) { return WriteLedData(d, out); },
        [](LedHyoujikiClass& d) { d.ClearAll(); });
    return 0;
}
