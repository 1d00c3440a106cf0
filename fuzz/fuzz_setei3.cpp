// Feeds arbitrary bytes to the settings 3 reader. Whatever it opens must write
// out, open again to the very same window contents and write the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "settings/Setei3Form.h"

namespace {

bool SameValues(const tesslor::Setei3Form& a, const tesslor::Setei3Form& b) {
    for (const tesslor::FieldInfo& f : a.Fields())
        if (a.Value(f.Name) != b.Value(f.Name)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    static fuzz::SilentPrompter prompter;
    Setei3Form form;
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    if (!form.Open(in, "fuzz", prompter)) return 0;

    MemoryOutputFile first;
    if (!form.WriteLines(first, prompter)) __builtin_trap();
    Setei3Form copy;
    MemoryLineReader again(first.Bytes());
    if (!copy.Open(again, "fuzz", prompter) || !SameValues(form, copy)) __builtin_trap();
    MemoryOutputFile second;
    if (!copy.WriteLines(second, prompter) || second.Bytes() != first.Bytes()) __builtin_trap();
    return 0;
}
