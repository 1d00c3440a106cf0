// Feeds arbitrary bytes to the display schedule reader. Whatever it opens must
// pass the input check, write out, open again to the very same entries, and
// write the same bytes.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/ScheduleForm.h"

namespace {

using namespace tesslor;

std::map<std::string, std::string> Values(const ScheduleForm& form) {
    std::map<std::string, std::string> values;
    for (const FieldInfo& f : form.Fields()) values[f.Name] = form.Value(f.Name).value_or("");
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::SilentPrompter prompter;
    std::vector<std::string> said;
    std::string message;
    ScheduleForm form;
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    // Whatever the reader puts into an entry is something the unit takes.
    const bool opened = form.Open(in, "fuzz", said);
    if (!form.Check(prompter)) __builtin_trap();
    if (!opened) return 0;
    MemoryOutputFile first;
    if (!form.WriteLines(first, message)) __builtin_trap();

    ScheduleForm copy;
    MemoryLineReader again(first.Bytes());
    if (!copy.Open(again, "fuzz", said)) __builtin_trap();
    if (Values(copy) != Values(form)) __builtin_trap();
    MemoryOutputFile second;
    if (!copy.WriteLines(second, message) || second.Bytes() != first.Bytes()) __builtin_trap();
    return 0;
}
