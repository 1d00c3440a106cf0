// Arbitrary bytes through the CO2 reduction setting file check and the
// settings kind detection: neither may crash, read past a line or hang, and a
// file the check accepts must be one the CO2 form can write again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "files/Framing.h"
#include "files/MemoryOutputFile.h"
#include "settings/Co2Form.h"
#include "settings/SettingsKinds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string message;
    {
        MemoryLineReader in(bytes);
        SettingsKindOfContent(in);
    }
    MemoryLineReader in(bytes);
    if (!CheckCo2File(in, message)) return 0;

    // The digits of an accepted line, split as the window would hold them, write the same line.
    const std::size_t start = bytes.find("CO2SAKUGENSETEI=") + 16;
    std::string digits;
    while (start + digits.size() < bytes.size() && bytes[start + digits.size()] >= '0' &&
           bytes[start + digits.size()] <= '9')
        digits += bytes[start + digits.size()];
    Co2Form form;
    form.SetText("Edit0", "");
    form.SetText("Edit1", digits.substr(0, digits.size() > 3 ? 3 : digits.size()));
    form.SetText("Edit2", digits.size() > 3 ? digits.substr(3) : "");
    MemoryOutputFile out;
    if (!form.WriteLines(out, message)) __builtin_trap();
    if (out.Bytes().find(PadFramed("CO2SAKUGENSETEI=" + digits)) == std::string::npos) __builtin_trap();
    return 0;
}
