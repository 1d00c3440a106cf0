// Feeds arbitrary bytes to the perform list loader and the list checker.
// Lines the loader takes and the writer accepts must save to lines of exactly
// 30 bytes and CR LF that load back to the same entries, cut to 30 bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "makers/PerformList.h"
#include "text/ShiftJis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    (void)CheckPerformBytes(bytes);

    const std::vector<std::string> entries = PerformLinesOf(bytes);
    std::string saved;
    std::vector<std::string> cut;
    for (const std::string& entry : entries) {
        std::string line;
        if (!PerformLine(entry, line)) return 0;
        if (line.size() != kPerformLineBytes + 2 || line.compare(kPerformLineBytes, 2, "\r\n") != 0) __builtin_trap();
        saved += line;
        cut.push_back(FromShiftJis(line.substr(0, kPerformLineBytes)));
    }
    // Saved lines load back as they were saved, and save again to the same bytes.
    const std::vector<std::string> again = PerformLinesOf(saved);
    if (again != cut) __builtin_trap();
    std::string resaved;
    for (const std::string& entry : again) {
        std::string line;
        if (!PerformLine(entry, line)) __builtin_trap();
        resaved += line;
    }
    if (resaved != saved) __builtin_trap();
    return 0;
}
