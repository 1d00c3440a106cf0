// Feeds arbitrary bytes to the settings 1 and 2 reader, in both variants.
// Whatever it opens and the input check then accepts must write out, open
// again to the very same fields and modes, and write the same bytes.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/SeteiForm.h"

namespace {

using namespace tesslor;

std::map<std::string, std::string> Values(const SeteiForm& form) {
    std::map<std::string, std::string> values;
    for (const FieldInfo& f : form.Fields()) values[f.Name] = form.Value(f.Name).value_or("");
    for (const auto& [key, value] : form.ModeValues()) values["mode:" + key] = value;
    return values;
}

void RoundTrip(const std::string& bytes, bool settings2, Prompter& prompter) {
    std::vector<std::string> said;
    std::string message;
    SeteiForm form(settings2);
    MemoryLineReader in(bytes);
    if (!form.Open(in, "fuzz", said)) return;
    if (!form.Check(prompter)) return;
    MemoryOutputFile first;
    if (!form.WriteLines(first, message)) __builtin_trap();

    SeteiForm copy(settings2);
    MemoryLineReader again(first.Bytes());
    if (!copy.Open(again, "fuzz", said)) __builtin_trap();
    if (Values(copy) != Values(form)) __builtin_trap();
    MemoryOutputFile second;
    if (!copy.WriteLines(second, message) || second.Bytes() != first.Bytes()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentPrompter prompter;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(bytes, false, prompter);
    RoundTrip(bytes, true, prompter);
    return 0;
}
