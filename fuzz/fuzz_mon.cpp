// Arbitrary bytes as a text message file: decoding may not crash or read past
// the input, and a table with its marks, shown in the window's rows and
// collected again, must encode to bytes that decode to that same table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "makers/MongonForm.h"
#include "makers/MongonTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const MongonTable table = DecodeMongonTable(bytes);
    for (const MongonRow& row : table.Rows) (void)FontSpecOf(row.Font);
    if (!table.HasMarks()) return 0;

    MongonForm form(2, 5);
    form.Table = table;
    form.ShowRows();
    const MongonTable collected = form.CollectedTable();
    const std::optional<std::string> encoded = EncodeMongonTable(collected);
    if (!encoded) return 0;  // a text with bytes that are not Shift-JIS
    if (encoded->size() != kMongonTableBytes) __builtin_trap();
    if (!(DecodeMongonTable(*encoded) == collected)) __builtin_trap();
    return 0;
}
